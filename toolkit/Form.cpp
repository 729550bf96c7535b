#include "Form.h"

#include "ElementWindowProc.h"

#include <algorithm>
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
    HWND made = CreateWindowExW(extendedStyle, windowClass.lpszClassName, title.c_str(), style, x, y, width,
                                height, nullptr, nullptr, instance, nullptr);
    if (made == nullptr) GetLastError();
    window = made;
    if (mainWindow == nullptr) mainWindow = window;

    OnCreated(window);  // already ran inside CreateWindowExW when this is the newest element
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    created = true;
    CreateTooltip(window);
    if (font != nullptr)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetFontHandle()), TRUE);
}

namespace {
// The outer size that gives the window the client area asked for: the window's own
// frame, caption and menu bar are added to it (each counted as 0 if negative).
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
}  // namespace

void Form::SetClientSize(int clientWidth, int clientHeight) {
    if (!created || ClientAreaIs(window, clientWidth, clientHeight)) return;
    SIZE outer = OuterSizeForClient(window, clientWidth, clientHeight);
    GetPosition();
    SetSize(outer.cx, outer.cy);
}

void Form::FitWindowToClient(int clientWidth, int clientHeight) {
    if (window == nullptr || ClientAreaIs(window, clientWidth, clientHeight)) return;
    SIZE outer = OuterSizeForClient(window, clientWidth, clientHeight);
    width = outer.cx;
    height = outer.cy;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Form::CenterOnScreen() {
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (created) {
        RECT outer{};
        GetWindowRect(window, &outer);
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
    }
    x = (screenWidth - width) / 2;
    y = (screenHeight - height) / 2;
    if (!created) return;
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOSIZE);
    Redraw();
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

void RunMessageLoop(Form* form) {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) continue;  // an error does not end the loop
        if (form != nullptr && form->dialogStyle && IsDialogMessageW(form->window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    std::vector<DeferredDelete> pending = std::move(DeferredDeletes);
    DeferredDeletes.clear();
    for (const DeferredDelete& entry : pending)
        if (entry.element != nullptr && entry.destroy != nullptr) entry.destroy(entry.element);
}

}  // namespace NeloUtility
