#include "ElementWindowProc.h"

#include "AccessibleElement.h"
#include "Button.h"
#include "ChoiceBox.h"
#include "CommandElement.h"
#include "ContrastTheme.h"
#include "DisplayScale.h"
#include "Form.h"
#include "Image.h"
#include "Menu.h"
#include "PanelChildren.h"
#include "Slider.h"
#include "Timer.h"

#include <commctrl.h>
#include <windowsx.h>

#include <unordered_map>
#include <utility>
#include <vector>

namespace NeloUtility {

HCURSOR waitCursorHandle = nullptr;
HCURSOR handCursorHandle = nullptr;
bool hoverTracking = false;
Form* activeForm = nullptr;
PanelChildren* activePanel = nullptr;
PanelChildren* lastClickedPanel = nullptr;
HWND mainWindow = nullptr;

void SubclassControl(GUIElement& element) {
    if (element.window == nullptr) return;
    LONG_PTR previous =
        SetWindowLongPtrW(element.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ElementWindowProc));
    if (previous == 0) {
        GetLastError();
        return;
    }
    element.previousWindowProc = reinterpret_cast<WNDPROC>(previous);
}

namespace {
// A control whose element goes while its window lives on gets its own procedure back, so
// that its messages still reach it.
void ReleaseSubclass(const GUIElement& element) {
    if (element.previousWindowProc == nullptr || !IsWindow(element.window)) return;
    const auto ours = reinterpret_cast<LONG_PTR>(&ElementWindowProc);
    if (GetWindowLongPtrW(element.window, GWLP_WNDPROC) == ours)
        SetWindowLongPtrW(element.window, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(element.previousWindowProc));
}
}  // namespace

// Called by every element's destructor: the process-wide pointers must not outlive it.
void ForgetElement(GUIElement* element) {
    if (static_cast<GUIElement*>(activeForm) == element) activeForm = nullptr;
    if (static_cast<GUIElement*>(activePanel) == element) activePanel = nullptr;
    if (static_cast<GUIElement*>(lastClickedPanel) == element) lastClickedPanel = nullptr;
    if (element != nullptr) ReleaseSubclass(*element);
    ForgetAccessible(element);
}

GUIElement* FindElementByWindow(HWND window) {
    if (window == nullptr) return nullptr;
    for (GUIElement* element : ElementRegistry)
        if (element != nullptr && element->window == window) return element;
    if (!ElementRegistry.empty()) {
        GUIElement* newest = ElementRegistry.back();
        if (newest != nullptr && newest->window == nullptr) return newest;
    }
    return nullptr;
}

GUIElement* FindElementById(int id) {
    for (GUIElement* element : ElementRegistry)
        if (element != nullptr && element->commandId == id) return element;
    return nullptr;
}

SubMenu* FindSubMenuById(int id) {
    for (GUIElement* element : ElementRegistry) {
        auto* item = dynamic_cast<SubMenu*>(element);
        if (item != nullptr && item->commandId == id) return item;
    }
    return nullptr;
}

namespace {

struct Message {
    HWND window;
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
    int X() const { return GET_X_LPARAM(lParam); }
    int Y() const { return GET_Y_LPARAM(lParam); }
};

// The pointer of a mouse message in the element's layout units.
POINT PointerUnits(const GUIElement& element, const Message& m) {
    const int dpi = ElementDpi(element);
    return POINT{ToUnits(m.X(), dpi), ToUnits(m.Y(), dpi)};
}

// Handlers return true when the message ends with `result`, false for the default path.
using Handled = std::pair<bool, LRESULT>;
const Handled kDefault{false, 0};

void LoadCursors() {
    if (waitCursorHandle == nullptr) waitCursorHandle = LoadCursorW(nullptr, IDC_WAIT);
    if (handCursorHandle == nullptr) handCursorHandle = LoadCursorW(nullptr, IDC_HAND);
}

void TrackMouse(GUIElement& element, const Message& m) {
    const POINT pointer = PointerUnits(element, m);
    element.OnMouseMove(pointer.x, pointer.y);
    // Hover and leave notices are asked for only for an element that listens to them: while
    // a request is open the system keeps checking where the pointer is (Wine with a timer
    // every 400 ms), which would wake an idle program whose pointer rests on its window.
    if (hoverTracking || (element.MouseHover == nullptr && element.MouseLeave == nullptr)) return;
    TRACKMOUSEEVENT request{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, element.window, HOVER_DEFAULT};
    hoverTracking = TrackMouseEvent(&request) != FALSE;
}

void ActivateForm(Form& form, HWND window) {
    lastClickedPanel = nullptr;
    if (GetForegroundWindow() != window) {
        form.UnregisterHotKeys();
        form.OnDeactivated();
        return;
    }
    if (activeForm != nullptr) {
        activeForm->UnregisterHotKeys();
        activeForm->OnDeactivated();
    }
    if (activePanel != nullptr) {
        activePanel->OnDeactivated();
        activePanel = nullptr;
    }
    form.RegisterHotKeys();
    form.OnActivated();
    activeForm = &form;
    Form* companion = form.companionForm;
    if (companion != nullptr && companion->created && form.window != nullptr) {
        // Placed below, not activated: activating it would take the focus from its owner.
        SetWindowPos(companion->window, form.window, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void ActivatePanel(PanelChildren& panel, HWND window) {
    if (GetForegroundWindow() != window) {
        panel.OnDeactivated();
        return;
    }
    if (activePanel != nullptr) activePanel->OnDeactivated();
    panel.OnActivated();
    activePanel = &panel;
}

void OnActivate(GUIElement* element, HWND window) {
    if (auto* form = dynamic_cast<Form*>(element)) {
        ActivateForm(*form, window);
    } else if (auto* panel = dynamic_cast<PanelChildren*>(element)) {
        ActivatePanel(*panel, window);
    }
}

void MoveFocusWithTab(GUIElement* element, HWND window) {
    HWND dialog = window;
    if (auto* child = dynamic_cast<Child*>(element); child != nullptr && child->parent != nullptr)
        dialog = child->parent->window;
    bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    // A form holding the focus itself starts from its first (or last) tab stop.
    HWND next = GetNextDlgTabItem(dialog, window == dialog ? nullptr : window, backwards);
    if (next == nullptr) return;
    if (GUIElement* target = FindElementByWindow(next)) target->FocusByKeyboard();
    // The keyboard is in use: focus marks show from now on, in a form that hid them.
    if (Form* form = FormOf(window)) form->HideFocusMarks(false);
}

Handled OnCharMessage(GUIElement& element, WPARAM character) {
    bool accepted = element.OnChar(static_cast<int>(character));
    if (auto* child = dynamic_cast<Child*>(&element);
        child != nullptr && child->parent != nullptr && child->parent->keyPreview)
        child->parent->OnChar(static_cast<int>(character));
    return accepted ? kDefault : Handled{true, 1};
}

// After a command or a tick the form is looked up again: the command may have closed it.
void KeepFocusOf(HWND window) {
    if (Form* form = FormOf(window)) form->KeepFocus();
}

void OnCommand(const Message& m) {
    WORD code = HIWORD(m.wParam);
    int id = LOWORD(m.wParam);
    HWND control = reinterpret_cast<HWND>(m.lParam);
    if (control == nullptr && (code == 0 || code == 1)) {  // a menu item, or its shortcut key
        SubMenu* item = FindSubMenuById(id);
        if (item == nullptr || (code == 1 && !item->enabled)) return;
        if (item->checkable) {
            item->checkMark = !item->ReadCheckMark();
            if (item->created) item->ApplyCheck();
        }
        if (item->command) item->command(item);
        KeepFocusOf(m.window);
        return;
    }
    GUIElement* element = FindElementByWindow(control);
    if (auto* choice = dynamic_cast<ChoiceBox*>(element)) {
        choice->OnNotification(code);
        KeepFocusOf(m.window);
        return;
    }
    auto* commandElement = dynamic_cast<CommandElement*>(element);
    if (commandElement == nullptr || !commandElement->command) return;
    commandElement->command(element);
    KeepFocusOf(m.window);
}

void OnTimerMessage(const Message& m) {
    // Only the timers set on this window: native controls run timers of their own.
    auto* timer = dynamic_cast<Timer*>(FindElementById(static_cast<int>(m.wParam)));
    if (timer == nullptr || !timer->Tick) return;
    if (timer->parent == nullptr || timer->parent->window != m.window) return;
    timer->Tick(timer);
    KeepFocusOf(m.window);
}

Handled OnDrawItem(const Message& m) {
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    auto* button = dynamic_cast<Button*>(FindElementById(static_cast<int>(m.wParam)));
    if (button == nullptr || item == nullptr || item->CtlType != ODT_BUTTON) return kDefault;
    button->PaintFace(*item);
    return {true, TRUE};
}

Handled OnSetCursor(GUIElement& element, const Message& m) {
    if (LOWORD(m.lParam) != HTCLIENT) return kDefault;
    if (element.GetHandCursor()) {
        SetCursor(handCursorHandle);
        return {true, 1};
    }
    if (element.GetWaitCursor()) {
        SetCursor(waitCursorHandle);
        return {true, 1};
    }
    return kDefault;
}

Handled OnNotify(const Message& m) {
    auto* header = reinterpret_cast<const NMHDR*>(m.lParam);
    if (header == nullptr) return kDefault;
    GUIElement* element = FindElementByWindow(header->hwndFrom);
    if (element == nullptr) return kDefault;
    int code = static_cast<int>(header->code);
    if (auto* slider = dynamic_cast<Slider*>(element);
        slider != nullptr && code == static_cast<int>(NM_CUSTOMDRAW))
        return {true, slider->OnCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(m.lParam))};
    if (code == static_cast<int>(HDN_ITEMCHANGEDW) || code == static_cast<int>(HDN_ITEMCLICKW)) {
        auto* item = reinterpret_cast<const NMHEADERW*>(m.lParam);
        int kind = code == static_cast<int>(HDN_ITEMCHANGEDW) ? 1 : 2;
        element->OnGridNotify(kind, {item->iItem, item->iButton}, {});
    } else if (code == static_cast<int>(NM_RCLICK)) {
        element->OnGridNotify(3, {}, {});
    }
    return kDefault;
}

// Sets the requested position on one bar of the window, scrolls the contents by what the
// bar really moved, and tells the panel what was asked for.
void ScrollPanel(PanelChildren& panel, HWND window, bool vertical, int oldPosition, int requested) {
    int bar = vertical ? SB_VERT : SB_HORZ;
    SCROLLINFO setting{};
    setting.cbSize = sizeof(SCROLLINFO);
    setting.fMask = SIF_POS;
    setting.nPos = requested;
    SetScrollInfo(window, bar, &setting, TRUE);
    SCROLLINFO now{};
    now.cbSize = sizeof(SCROLLINFO);
    now.fMask = SIF_POS;
    GetScrollInfo(window, bar, &now);
    if (now.nPos != oldPosition) {
        int moved = oldPosition - now.nPos;
        ScrollWindow(window, vertical ? 0 : moved, vertical ? moved : 0, nullptr, nullptr);
        UpdateWindow(window);
    }
    if (requested != oldPosition) panel.FireScrolled(vertical, oldPosition - requested);
}

SCROLLINFO ReadScrollInfo(HWND window, bool vertical) {
    SCROLLINFO info{};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, vertical ? SB_VERT : SB_HORZ, &info);
    return info;
}

int RequestedPosition(const SCROLLINFO& info, int request, bool vertical) {
    int page = static_cast<int>(info.nPage);
    switch (request) {
        case SB_LINEUP: return info.nPos - 1;
        case SB_LINEDOWN: return info.nPos + 1;
        case SB_PAGEUP: return info.nPos - page;
        case SB_PAGEDOWN: return info.nPos + page;
        case SB_THUMBTRACK: return info.nTrackPos;
        case SB_TOP: return vertical ? info.nMin : info.nPos;
        case SB_BOTTOM: return vertical ? info.nMax : info.nPos;
        default: return info.nPos;
    }
}

Handled OnScroll(GUIElement* element, const Message& m) {
    bool vertical = m.id == WM_VSCROLL;
    int request = LOWORD(m.wParam);
    if (m.lParam > 0 && request == TB_ENDTRACK) {
        element = FindElementByWindow(reinterpret_cast<HWND>(m.lParam));
        if (auto* slider = dynamic_cast<Slider*>(element)) slider->OnValueChanged();
    }
    auto* panel = dynamic_cast<PanelChildren*>(element);
    if (panel == nullptr || !(vertical ? panel->verticalScrollBar : panel->horizontalScrollBar))
        return kDefault;
    if (vertical) lastClickedPanel = panel;
    SCROLLINFO info = ReadScrollInfo(m.window, vertical);
    ScrollPanel(*panel, m.window, vertical, info.nPos, RequestedPosition(info, request, vertical));
    return {true, 0};
}

Handled OnMouseWheel(GUIElement* element, const Message& m) {
    auto* panel = dynamic_cast<PanelChildren*>(element);
    if (panel == nullptr) panel = lastClickedPanel;
    if (panel == nullptr || !panel->verticalScrollBar) return kDefault;
    SCROLLINFO info = ReadScrollInfo(panel->window, true);
    int wheel = GET_WHEEL_DELTA_WPARAM(m.wParam);
    int page = static_cast<int>(info.nPage);
    int requested = wheel > 0 ? info.nPos - page : info.nPos + page;
    ScrollPanel(*panel, panel->window, true, info.nPos, requested);
    return {true, 0};
}

void OnDestroy(GUIElement* element, HWND window) {
    if (auto* form = dynamic_cast<Form*>(element)) form->UnregisterHotKeys();
    if (element != nullptr) element->OnDestroyed();
    if (window == mainWindow) PostQuitMessage(0);
}

// The mouse buttons: the element hears where, in layout units.
Handled OnMouseButton(GUIElement& element, const Message& m) {
    const POINT p = PointerUnits(element, m);
    switch (m.id) {
        case WM_LBUTTONDOWN:
            element.OnLeftButtonDown(p.x, p.y);
            lastClickedPanel = dynamic_cast<PanelChildren*>(&element);
            break;
        case WM_LBUTTONUP: element.OnLeftButtonUp(p.x, p.y); break;
        case WM_LBUTTONDBLCLK: element.OnLeftDoubleClick(p.x, p.y); break;
        case WM_RBUTTONDOWN: element.OnRightButtonDown(p.x, p.y); break;
        case WM_RBUTTONUP: element.OnRightButtonUp(p.x, p.y); break;
        case WM_RBUTTONDBLCLK: element.OnRightDoubleClick(p.x, p.y); break;
        default: break;
    }
    return kDefault;
}

// A form moved to a screen of another scale: wParam holds the new DPI in both words,
// lParam the rectangle the system suggests.
Handled OnDpiChangedMessage(GUIElement& element, const Message& m) {
    auto* form = dynamic_cast<Form*>(&element);
    if (form == nullptr) return kDefault;
    form->OnDpiChanged(LOWORD(m.wParam), reinterpret_cast<const RECT*>(m.lParam));
    return {true, 0};
}

// The Windows session ends (wParam FALSE: another program held the end up, and the session
// goes on). The form settles what it must, and its window goes with the session, so that a
// process the system leaves running (a restart manager's close) has nothing left to do.
Handled OnEndSession(GUIElement& element, const Message& m) {
    auto* form = dynamic_cast<Form*>(&element);
    if (form == nullptr || m.wParam == FALSE) return kDefault;
    form->OnSessionEnd();
    DestroyWindow(m.window);
    return {true, 0};
}

// While contrast is on, a form and a panel are filled with the window's colour instead of
// their class's brush.
Handled OnEraseBackground(GUIElement& element, const Message& m) {
    if (dynamic_cast<Form*>(&element) == nullptr && dynamic_cast<PanelChildren*>(&element) == nullptr)
        return kDefault;
    if (!ContrastOn()) return kDefault;
    RECT client{};
    GetClientRect(m.window, &client);
    FillRect(reinterpret_cast<HDC>(m.wParam), &client, GetSysColorBrush(COLOR_WINDOW));
    return {true, 1};
}

// The system's colours or its contrast theme changed: a form and everything in it are
// painted again at once.
Handled OnSystemColours(GUIElement& element, const Message& m) {
    auto* form = dynamic_cast<Form*>(&element);
    if (form == nullptr || (m.id == WM_SETTINGCHANGE && m.wParam != SPI_SETHIGHCONTRAST)) return kDefault;
    RepaintForm(m.window);
    form->OnThemeChanged();
    return kDefault;
}

// The messages that need an element; the others are handled in ElementWindowProc itself.
Handled Dispatch(GUIElement& element, const Message& m) {
    switch (m.id) {
        case WM_CREATE:
            if (auto* form = dynamic_cast<Form*>(&element)) {
                form->dpi = WindowDpi(m.window);
                form->OnCreated(m.window);
            }
            return kDefault;
        case WM_DPICHANGED: return OnDpiChangedMessage(element, m);
        case WM_GETMINMAXINFO:
            if (auto* form = dynamic_cast<Form*>(&element))
                form->LimitTrackSize(*reinterpret_cast<MINMAXINFO*>(m.lParam));
            return kDefault;
        case WM_MOVE: element.OnMoved(); return kDefault;
        case WM_SIZE: element.OnResized(); return kDefault;
        case WM_ACTIVATE: OnActivate(&element, m.window); return kDefault;
        case WM_SETFOCUS: element.OnGotFocus(); return kDefault;
        case WM_KILLFOCUS: element.OnLostFocus(); return kDefault;
        case WM_PAINT:
            element.OnPaint();
            TrackMouse(element, m);
            return kDefault;
        case WM_CLOSE: return element.OnClosing() ? kDefault : Handled{true, 1};
        case WM_SHOWWINDOW:
            element.OnShown();
            element.OnResized();
            return kDefault;
        case WM_SETCURSOR: return OnSetCursor(element, m);
        case WM_KEYUP: element.OnKeyUp(static_cast<int>(m.wParam)); return kDefault;
        case WM_CHAR: return OnCharMessage(element, m.wParam);
        case WM_ERASEBKGND: return OnEraseBackground(element, m);
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE: return OnSystemColours(element, m);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: {
            HBRUSH brush = element.OnControlColor(reinterpret_cast<HDC>(m.wParam));
            if (brush != nullptr) return {true, reinterpret_cast<LRESULT>(brush)};
            return kDefault;
        }
        case WM_MOUSEMOVE: TrackMouse(element, m); return kDefault;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK: return OnMouseButton(element, m);
        case WM_MOUSEHOVER: element.OnMouseHover(); return kDefault;
        case WM_MOUSELEAVE: element.OnMouseLeave(); return kDefault;
        case WM_QUERYENDSESSION:  // a form never holds the session's end up
            return dynamic_cast<Form*>(&element) != nullptr ? Handled{true, TRUE} : kDefault;
        case WM_ENDSESSION: return OnEndSession(element, m);
        case WM_COPYDATA:
            if (auto* form = dynamic_cast<Form*>(&element); form != nullptr && m.lParam != 0) {
                const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(m.lParam);
                return {true, form->OnCopyData(data->dwData, data->lpData, data->cbData) ? TRUE : FALSE};
            }
            return kDefault;
        case WM_HOTKEY:
            if (auto* form = dynamic_cast<Form*>(&element)) form->DeliverHotKey(static_cast<int>(m.wParam));
            return kDefault;
        default: return kDefault;
    }
}

// True when the window is all client area: no border, caption, menu bar or scroll bar.
bool HasNoFrame(HWND window) {
    RECT outer{}, client{};
    return GetWindowRect(window, &outer) && GetClientRect(window, &client) &&
           outer.right - outer.left == client.right && outer.bottom - outer.top == client.bottom;
}

Handled Handle(GUIElement* element, const Message& m) {
    switch (m.id) {
        case WM_NCPAINT:
            // Nothing to paint outside the client area; the default would still fetch a
            // device context for the whole window, a round trip to the window system.
            if (HasNoFrame(m.window)) return {true, 0};
            break;
        case WM_DESTROY: OnDestroy(element, m.window); return kDefault;
        case WM_KEYDOWN:
            if (m.wParam == VK_TAB) MoveFocusWithTab(element, m.window);
            if (element != nullptr) element->OnKeyDown(static_cast<int>(m.wParam));
            return kDefault;
        case WM_MOUSELEAVE: hoverTracking = false; break;
        case WM_COMMAND: OnCommand(m); return kDefault;
        case WM_SYSCHAR:
            // Alt with a letter: a form that answers access keys presses what the letter marks.
            if (Form* form = FormOf(m.window);
                form != nullptr && form->accessKeys && form->PressAccessKey(static_cast<int>(m.wParam)))
                return {true, 0};
            break;
        case WM_TIMER: OnTimerMessage(m); return kDefault;
        case WM_DRAWITEM: return OnDrawItem(m);
        case WM_NOTIFY: return OnNotify(m);
        case WM_HSCROLL:
        case WM_VSCROLL: return OnScroll(element, m);
        case WM_MOUSEWHEEL: return OnMouseWheel(element, m);
        case WM_GETOBJECT:
            if (LRESULT reply = AnswerGetObject(element, m.window, m.wParam, m.lParam)) return {true, reply};
            break;
        default: break;
    }
    if (element == nullptr) return kDefault;
    return Dispatch(*element, m);
}

}  // namespace

LRESULT CALLBACK ElementWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LoadCursors();
    GUIElement* element = FindElementByWindow(window);
    const WNDPROC previous =
        element != nullptr && element->window == window ? element->previousWindowProc : nullptr;

    Handled handled = Handle(element, Message{window, message, wParam, lParam});
    if (handled.first) return handled.second;

    if (previous != nullptr) {
        const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
        // A picture is framed over what its window painted.
        if (auto* image = message == WM_PAINT ? dynamic_cast<Image*>(element) : nullptr)
            image->PaintContrastFrame();
        return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace NeloUtility
