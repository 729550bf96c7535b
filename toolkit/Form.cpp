#include "Form.h"

#include "DisplayScale.h"
#include "ElementWindowProc.h"
#include "CommandElement.h"
#include "Menu.h"
#include "Slider.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <utility>

namespace NeloUtility {

std::vector<DeferredDelete> DeferredDeletes;

namespace {
// Window-class names of every form; the registered class records point into these.
std::deque<std::wstring> formClassNames;

constexpr DWORD kCaptionedStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
constexpr DWORD kModalFrameBit = 0x80;  // DS_MODALFRAME
}  // namespace

Form::Form(HINSTANCE instanceHandle) : GUIElement(instanceHandle) { kind = "form"; }

Form::Form(HINSTANCE instanceHandle, DialogFormTag) : Form(instanceHandle) { dialogStyle = true; }

Form::~Form() {
    if (created && window != nullptr) {
        SendMessageW(window, WM_CLOSE, 0, 0);
        created = false;
        DestroyWindow(window);
    }
}

void Form::OnFormHook() {}
void Form::ReleaseElements() {}

namespace {
DWORD FormStyle(const Form& form, DWORD* extendedStyle) {
    DWORD style = WS_POPUP;
    *extendedStyle = 0;
    if (form.titleBar) {
        style = kCaptionedStyle;
        if (form.minimizeBox) style |= WS_MINIMIZEBOX;
        if (form.maximizeBox) style |= WS_THICKFRAME;
    }
    if (form.dialogStyle) {
        *extendedStyle = kDialogExStyle | (form.dialogTopmost ? WS_EX_TOPMOST : 0);
        style = kCaptionedStyle | (form.modalFrame ? kModalFrameBit : 0);
    }
    if (!form.maximizeBox) style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX);
    if (!form.minimizeBox) style &= ~static_cast<DWORD>(WS_MINIMIZEBOX);
    if (!form.enabled) style |= WS_DISABLED;
    return style;
}
}  // namespace

void Form::Create() {
    if (created) return;
    std::wstring title = text;
    int classNumber = nextControlId;
    commandId = TakeNextControlId();
    formClassNames.push_back(L"Window" + Int64ToWideText(classNumber));

    windowClass = WNDCLASSW{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = ElementWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        iconId != 0 ? LoadIconW(instance, MAKEINTRESOURCEW(iconId)) : LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = backColor == static_cast<COLORREF>(-1) ? GetSysColorBrush(COLOR_BTNFACE)
                                                                       : CreateSolidBrush(backColor);
    windowClass.lpszClassName = formClassNames.back().c_str();
    RegisterClassW(&windowClass);

    DWORD extendedStyle = 0;
    DWORD style = FormStyle(*this, &extendedStyle);
    if (!visible) style &= ~static_cast<DWORD>(WS_VISIBLE);  // shown later, at its final size
    const int systemDpi = SystemDpi();
    const PixelRect place = PixelRectOf(*this, systemDpi);
    HWND made = CreateWindowExW(extendedStyle, windowClass.lpszClassName, title.c_str(), style, place.x,
                                place.y, place.width, place.height, nullptr, nullptr, instance, nullptr);
    if (made == nullptr) GetLastError();
    window = made;
    if (mainWindow == nullptr) mainWindow = window;

    if (dpi == 0) dpi = WindowDpi(window);  // normally set at WM_CREATE already
    OnCreated(window);  // already ran inside CreateWindowExW when this is the newest element
    // A window that came up on a screen of another scale than the system's: the fonts
    // made so far and the frame follow it.
    if (window != nullptr && dpi != systemDpi) OnDpiChanged(dpi, nullptr);
    if (visible) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    created = true;
    CreateTooltip(window);
    if (font != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetFontHandle()), TRUE);
}

namespace {
// The outer size that gives the window a client area of this many pixels: the window's
// own frame, caption and menu bar are added to it (each counted as 0 if negative).
SIZE OuterSizeForClient(HWND window, int clientWidth, int clientHeight) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    LONG extraWidth = std::max(0L, (outer.right - outer.left) - (client.right - client.left));
    LONG extraHeight = std::max(0L, (outer.bottom - outer.top) - (client.bottom - client.top));
    return SIZE{clientWidth + extraWidth, clientHeight + extraHeight};
}

bool ClientAreaIs(HWND window, int clientWidth, int clientHeight) {
    RECT client{};
    return GetClientRect(window, &client) && client.right - client.left == clientWidth &&
           client.bottom - client.top == clientHeight;
}

// Gives the form's window the outer size for a client area of that many layout units;
// false when it already has it. The outer size is set in pixels, as measured: going
// through layout units could miss the client area by a pixel at a scale above 100 %.
bool ResizeToClient(Form& form, int clientWidth, int clientHeight, UINT flags) {
    const int scale = ElementDpi(form);
    const int pixelWidth = ToPixels(clientWidth, scale), pixelHeight = ToPixels(clientHeight, scale);
    if (ClientAreaIs(form.window, pixelWidth, pixelHeight)) return false;
    const SIZE outer = OuterSizeForClient(form.window, pixelWidth, pixelHeight);
    form.width = ToUnits(outer.cx, scale);
    form.height = ToUnits(outer.cy, scale);
    SetWindowPos(form.window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOMOVE | flags);
    return true;
}
}  // namespace

void Form::SetClientSize(int clientWidth, int clientHeight) {
    if (!created || !ResizeToClient(*this, clientWidth, clientHeight, 0)) return;
    GetPosition();
    RefreshTooltip();
    Redraw();
}

void Form::FitWindowToClient(int clientWidth, int clientHeight) {
    if (window != nullptr) ResizeToClient(*this, clientWidth, clientHeight, SWP_NOACTIVATE);
}

void Form::Close() {
    if (window != nullptr) SendMessageW(window, WM_CLOSE, 0, 0);
    if (!IsWindow(window)) created = false;
}

// Worked out in pixels, so that the window is centred to the pixel at any scale.
void Form::CenterOnScreen() {
    const int scale = ElementDpi(*this);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int outerWidth = ToPixels(width, scale), outerHeight = ToPixels(height, scale);
    if (created) {
        RECT outer{};
        GetWindowRect(window, &outer);
        outerWidth = outer.right - outer.left;
        outerHeight = outer.bottom - outer.top;
        width = ToUnits(outerWidth, scale);
        height = ToUnits(outerHeight, scale);
    }
    const int left = (screenWidth - outerWidth) / 2, top = (screenHeight - outerHeight) / 2;
    x = ToUnits(left, scale);
    y = ToUnits(top, scale);
    if (!created) return;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    Redraw();
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

namespace {
// The frame, caption and menu bar around the client area, in pixels.
SIZE FrameAround(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return SIZE{(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}
}  // namespace

bool Form::FitsOnWorkArea(int clientWidth, int clientHeight) {
    if (window == nullptr) return true;
    const int scale = ElementDpi(*this);
    const RECT work = WorkAreaOf(window);
    const SIZE frame = FrameAround(window);
    return ToPixels(clientWidth, scale) + frame.cx <= work.right - work.left &&
           ToPixels(clientHeight, scale) + frame.cy <= work.bottom - work.top;
}

// A client area of that many units at a high display scale could make the window larger
// than the screen, hiding its caption and its lower controls: it shrinks, keeping its
// proportions, until the whole window fits the work area, and the window is centred there.
void Form::FitOnWorkArea(int clientWidth, int clientHeight) {
    if (window == nullptr || clientWidth <= 0 || clientHeight <= 0) return;
    const int scale = ElementDpi(*this);
    const SIZE wanted{ToPixels(clientWidth, scale), ToPixels(clientHeight, scale)};
    const RECT work = WorkAreaOf(window);
    const SIZE frame = FrameAround(window);
    const LONG workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    const double shrink = std::min({1.0, static_cast<double>(workWidth - frame.cx) / wanted.cx,
                                    static_cast<double>(workHeight - frame.cy) / wanted.cy});
    const LONG outerWidth = std::lround(wanted.cx * shrink) + frame.cx;
    const LONG outerHeight = std::lround(wanted.cy * shrink) + frame.cy;
    width = ToUnits(outerWidth, scale);
    height = ToUnits(outerHeight, scale);
    SetWindowPos(window, nullptr, work.left + (workWidth - outerWidth) / 2,
                 work.top + (workHeight - outerHeight) / 2, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    GetPosition();
}

namespace {
bool InsideWorkArea(HWND window) {
    const RECT work = WorkAreaOf(window);
    RECT outer{};
    GetWindowRect(window, &outer);
    return outer.left >= work.left && outer.top >= work.top && outer.right <= work.right &&
           outer.bottom <= work.bottom;
}
}  // namespace

void Form::ShowWhole(int clientWidth, int clientHeight) {
    wholeClient = SIZE{clientWidth, clientHeight};
    if (window == nullptr) return;
    ResizeToClient(*this, clientWidth, clientHeight, SWP_NOACTIVATE);
    if (InsideWorkArea(window)) return;
    FitOnWorkArea(clientWidth, clientHeight);
    if (!FitsOnWorkArea(clientWidth, clientHeight)) FitLayout(clientWidth, clientHeight);
}

void Form::ShowIcons() {
    if (window == nullptr || iconId == 0) return;
    struct Size {
        WPARAM which;
        int widthMetric;
        int heightMetric;
    };
    const int scale = ElementDpi(*this);
    for (Size size : {Size{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}, Size{ICON_BIG, SM_CXICON, SM_CYICON}}) {
        HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                 SystemMetricForDpi(size.widthMetric, scale),
                                 SystemMetricForDpi(size.heightMetric, scale), LR_SHARED);
        if (icon != nullptr)  // otherwise the window keeps the class icon
            SendMessageW(window, WM_SETICON, size.which, reinterpret_cast<LPARAM>(icon));
    }
}

SIZE Form::ClientSize() {
    const int scale = ElementDpi(*this);
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client)) return SIZE{width, height};
    return SIZE{ToUnits(client.right - client.left, scale), ToUnits(client.bottom - client.top, scale)};
}

namespace {

const GUIElement* TopOf(const GUIElement* element) {
    while (element->parent != nullptr) element = element->parent;
    return element;
}

bool HasWindow(const GUIElement& element) {
    return dynamic_cast<const Child*>(&element) != nullptr && element.created && element.window != nullptr &&
           IsWindow(element.window);
}

// A font of the form made again at the new scale; the old handle is kept until no
// window uses it any more.
void Rescale(FontSpec* font, int newDpi, std::vector<HFONT>& retired) {
    if (font == nullptr || font->dpi == newDpi) return;
    if (font->handle != nullptr) retired.push_back(font->handle);
    font->handle = nullptr;
    font->dpi = newDpi;
}

// A child's window placed and sized anew, its font and what else it has made again.
void RescaleChild(GUIElement& element, int newDpi) {
    const PixelRect place = PixelRectOf(element, newDpi);
    SetWindowPos(element.window, nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (element.font != nullptr)
        SendMessageW(element.window, WM_SETFONT, reinterpret_cast<WPARAM>(element.font->GetFontHandle()),
                     FALSE);
    element.OnScaleChanged(newDpi);
}

}  // namespace

void Form::OnDpiChanged(int newDpi, const RECT* suggested) {
    if (newDpi <= 0) return;
    dpi = newDpi;
    if (suggested != nullptr)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    GetPosition();
    RECT outer{};
    if (GetWindowRect(window, &outer)) {
        width = ToUnits(outer.right - outer.left, newDpi);
        height = ToUnits(outer.bottom - outer.top, newDpi);
    }
    if (wholeClient.cx > 0) {
        fittedLayout = SIZE{0, 0};  // the whole client area may fit at the new scale
        layoutDpi = 0;
        layoutOrigin = POINT{0, 0};
        PlaceChildren(newDpi);
        ShowWhole(wholeClient.cx, wholeClient.cy);
    } else if (fittedLayout.cx > 0) {
        layoutDpi = 0;  // worked out again for the new scale
        FitLayout(fittedLayout.cx, fittedLayout.cy);
    } else {
        PlaceChildren(newDpi);
    }
    ShowIcons();
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The form's font at its own scale, and every child placed, sized and given its font at
// the children's scale; a font's old handle is kept until no window uses it any more.
void Form::PlaceChildren(int childDpi) {
    std::vector<GUIElement*> children;
    for (GUIElement* element : ElementRegistry)
        if (element != nullptr && element != this && TopOf(element) == this) children.push_back(element);
    std::vector<HFONT> retired;
    // A form whose font its children share (it picks the font for its controls) has it at
    // their scale.
    const bool shared = std::any_of(children.begin(), children.end(),
                                    [this](const GUIElement* child) { return child->font == font; });
    Rescale(font, shared ? childDpi : dpi, retired);
    for (GUIElement* element : children)
        if (element->font != font) Rescale(element->font, childDpi, retired);
    if (font != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetFontHandle()), FALSE);
    for (GUIElement* element : children)
        if (HasWindow(*element)) RescaleChild(*element, childDpi);
    for (HFONT handle : retired) DeleteObject(handle);
}

namespace {
// The scale at which a layout of that many pixels at formDpi fills the client area
// without spilling over either side.
int FittedDpi(SIZE client, SIZE layout, int formDpi) {
    const double across = static_cast<double>(client.cx) / ToPixels(layout.cx, formDpi);
    const double down = static_cast<double>(client.cy) / ToPixels(layout.cy, formDpi);
    const int fitted = static_cast<int>(formDpi * std::min(across, down));
    return std::max(fitted, kLayoutDpi / 4);
}
}  // namespace

void Form::FitLayout(int layoutWidth, int layoutHeight) {
    fittedLayout = SIZE{layoutWidth, layoutHeight};
    RECT client{};
    if (window == nullptr || !GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return;
    const SIZE pixels{client.right, client.bottom};
    const int formDpi = ElementDpi(*this);
    const int childDpi = FittedDpi(pixels, fittedLayout, formDpi);
    const POINT origin{(pixels.cx - ToPixels(layoutWidth, childDpi)) / 2,
                       (pixels.cy - ToPixels(layoutHeight, childDpi)) / 2};
    if (childDpi == layoutDpi && origin.x == layoutOrigin.x && origin.y == layoutOrigin.y) return;
    layoutDpi = childDpi;
    layoutOrigin = origin;
    PlaceChildren(childDpi);
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Form::LimitTrackSize(MINMAXINFO& limits) {
    if (leastClient.cx <= 0 || window == nullptr) return;
    const int scale = ElementDpi(*this);
    const SIZE frame = FrameAround(window);
    const RECT work = WorkAreaOf(window);
    // Never more than the screen can show: the layout shrinks below its least size instead.
    limits.ptMinTrackSize.x = std::min(ToPixels(leastClient.cx, scale) + frame.cx, work.right - work.left);
    limits.ptMinTrackSize.y = std::min(ToPixels(leastClient.cy, scale) + frame.cy, work.bottom - work.top);
}

void Form::RegisterHotKeys() {
    for (size_t i = 0; i < hotKeys.size(); ++i)
        RegisterHotKey(window, static_cast<int>(i) + 1, hotKeys[i].modifiers, hotKeys[i].virtualKey);
}

void Form::UnregisterHotKeys() {
    for (size_t id = 1; id <= hotKeys.size(); ++id) UnregisterHotKey(window, static_cast<int>(id));
}

void Form::DeliverHotKey(int id) {
    if (id < 1 || static_cast<size_t>(id) > hotKeys.size()) return;
    const HotKey& entry = hotKeys[static_cast<size_t>(id) - 1];
    HWND foreground = GetForegroundWindow();
    if (foreground == window) {
        if (entry.handler) entry.handler(this, entry.modifiers, entry.virtualKey);
        return;
    }
    // Another form is in front: it answers with its own entry for the same keys.
    Form* front = dynamic_cast<Form*>(FindElementByWindow(foreground));
    if (front == nullptr) return;
    for (const HotKey& candidate : front->hotKeys) {
        if (candidate.modifiers == entry.modifiers && candidate.virtualKey == entry.virtualKey) {
            if (candidate.handler) candidate.handler(front, candidate.modifiers, candidate.virtualKey);
            return;
        }
    }
}

namespace {
wchar_t UpperCase(wchar_t letter) {
    CharUpperBuffW(&letter, 1);
    return letter;
}

// The letter a caption marks with "&" ("&&" is a plain "&"), upper case; 0 for none.
wchar_t MarkedLetter(const std::wstring& caption) {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != L'&') continue;
        if (caption[at + 1] != L'&') return UpperCase(caption[at + 1]);
        ++at;
    }
    return 0;
}
}  // namespace

bool Form::PressAccessKey(int character) {
    const wchar_t wanted = UpperCase(static_cast<wchar_t>(character));
    for (GUIElement* element : ElementRegistry) {
        if (element == nullptr || element->parent != this || !element->created ||
            element->window == nullptr || !IsWindowVisible(element->window) ||
            !IsWindowEnabled(element->window) || MarkedLetter(element->GetText()) != wanted)
            continue;
        if (auto* command = dynamic_cast<CommandElement*>(element); command != nullptr && command->command) {
            element->Focus();
            command->command(element);
            KeepFocus();
            return true;
        }
        HWND target = element->window;
        if ((GetWindowLongW(target, GWL_STYLE) & WS_TABSTOP) == 0)
            target = GetNextDlgTabItem(window, target, FALSE);
        if (GUIElement* next = FindElementByWindow(target)) next->FocusByKeyboard();
        return true;
    }
    return false;
}

GUIElement* Form::DefaultFocus() { return nullptr; }
void Form::OnSessionEnd() {}
void Form::OnThemeChanged() {}
bool Form::OnCopyData(ULONG_PTR, const void*, DWORD) { return false; }

bool FocusMarksHidden(HWND window) {
    const Form* form = FormOf(window);
    return form != nullptr && form->focusMarksHidden;
}

Form* FormOf(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    GUIElement* element = FindElementByWindow(top);
    return element != nullptr && element->window == top ? dynamic_cast<Form*>(element) : nullptr;
}

namespace {
bool CanTakeFocus(HWND window) {
    return window != nullptr && IsWindowEnabled(window) && IsWindowVisible(window);
}
}  // namespace

void Form::SetEnabled(bool enable) {
    if (!enable) RememberFocus();  // a disabled window loses the focus
    GUIElement::SetEnabled(enable);
}

void Form::RememberFocus() {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) rememberedFocus = focus;
}

int Form::OnDeactivated() {
    RememberFocus();
    return GUIElement::OnDeactivated();
}

// The form itself got the focus (it was activated, or nothing on it can be pressed): the
// control the player left gets it back when it can still be pressed.
int Form::OnGotFocus() {
    const int result = GUIElement::OnGotFocus();
    GiveFocusBack();
    return result;
}

void Form::GiveFocusBack() {
    HWND remembered = rememberedFocus;
    rememberedFocus = nullptr;
    if (IsChild(window, remembered) && CanTakeFocus(remembered))
        SetFocus(remembered);
    else
        KeepFocus();
}

void Form::KeepFocus() {
    if (window == nullptr || GetActiveWindow() != window) return;
    HWND focus = GetFocus();
    if (focus != window && IsChild(window, focus) && CanTakeFocus(focus)) return;
    GUIElement* next = DefaultFocus();
    HWND target = next != nullptr && CanTakeFocus(next->window) ? next->window : window;
    if (focus != target) SetFocus(target);
}

void Form::HideFocusMarks(bool hidden) {
    if (window == nullptr || focusMarksHidden == hidden) return;
    focusMarksHidden = hidden;
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(hidden ? UIS_SET : UIS_CLEAR, UISF_HIDEFOCUS), 0);
    // The button holding the focus shows or drops its mark now.
    HWND focus = GetFocus();
    if (IsChild(window, focus)) InvalidateRect(focus, nullptr, FALSE);
}

bool Form::AskYesNo(const std::string& question, const std::string& caption, const AnswerCaptions& answers) {
    UnregisterHotKeys();
    RememberFocus();
    if (NeloUtility::AskYesNo(question, caption, answers)) return true;
    ComeBack();
    return false;
}

void Form::ComeBack() {
    RegisterHotKeys();
    HWND front = GetForegroundWindow();
    DWORD owner = 0;
    if (front != nullptr) GetWindowThreadProcessId(front, &owner);
    if (front == nullptr || (owner == GetCurrentProcessId() && front != window))
        ComeToFront();
    else if (front == window && GetFocus() == nullptr)
        GiveFocusBack();
}

void Form::ComeToFront() {
    if (window != nullptr) BringToFront(window);
}

void BringToFront(HWND window) {
    // Asynchronous: a window busy elsewhere must not hold the caller up.
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    SetForegroundWindow(window);
}

void RunMessageLoop(Form* form) {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) continue;  // an error does not end the loop
        if (form != nullptr && form->dialogStyle && IsDialogMessageW(form->window, &message)) continue;
        // A shortcut key of a menu item, in whichever form has the keyboard.
        if (Form* keyed = message.hwnd != nullptr ? FormOf(message.hwnd) : nullptr;
            keyed != nullptr && keyed->shortcuts != nullptr &&
            TranslateAcceleratorW(keyed->window, keyed->shortcuts, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    std::vector<DeferredDelete> pending = std::move(DeferredDeletes);
    DeferredDeletes.clear();
    for (const DeferredDelete& entry : pending)
        if (entry.element != nullptr && entry.destroy != nullptr) entry.destroy(entry.element);
}

}  // namespace NeloUtility
