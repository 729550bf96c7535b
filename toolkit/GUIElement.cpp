#include "GUIElement.h"

#include "AccessibleElement.h"
#include "ContrastTheme.h"
#include "DisplayScale.h"
#include "ElementWindowProc.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace NeloUtility {

std::vector<GUIElement*> ElementRegistry;
int nextControlId = 0;

int TakeNextControlId() {
    ++nextControlId;
    return nextControlId;
}

std::wstring Widen(const std::string& narrowText) {
    std::wstring wide;
    wide.reserve(narrowText.size());
    for (char byte : narrowText) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    return wide;
}

std::string Narrow(const std::wstring& wideText) {
    std::string narrow;
    narrow.reserve(wideText.size());
    for (wchar_t unit : wideText) narrow.push_back(static_cast<char>(unit & 0xFF));
    return narrow;
}

std::string Int64ToText(long long value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld", value);  // the same digits as "%I64d"
    return buffer;
}

std::wstring Int64ToWideText(long long value) { return Widen(Int64ToText(value)); }

// ---------------------------------------------------------------- FontSpec

FontSpec::FontSpec(const std::string& faceName, int fontHeight) : face(Widen(faceName)), height(fontHeight) {}

FontSpec::~FontSpec() {
    if (handle != nullptr) DeleteObject(handle);
}

HFONT FontSpec::GetFontHandle() {
    if (handle == nullptr) {
        if (dpi <= 0) dpi = SystemDpi();
        handle = CreateFontW(ToPixels(height, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline,
                             FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS,
                             CLEARTYPE_QUALITY, fixedPitch ? FIXED_PITCH : 0, face.c_str());
    }
    return handle;
}

// ---------------------------------------------------------------- GUIElement

GUIElement::GUIElement(HINSTANCE instanceHandle) : instance(instanceHandle) {
    ElementRegistry.push_back(this);
}

GUIElement::~GUIElement() {
    ForgetElement(this);
    // Search from the newest end: elements are mostly deleted soon after the newest ones.
    auto entry = std::find(ElementRegistry.rbegin(), ElementRegistry.rend(), this);
    if (entry != ElementRegistry.rend()) *entry = nullptr;
}

void GUIElement::SetSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    if (!created) return;
    const int scale = ElementDpi(*this);
    SetWindowPos(window, nullptr, 0, 0, ToPixels(width, scale), ToPixels(height, scale),
                 SWP_NOZORDER | SWP_NOMOVE);
    RefreshTooltip();
    Redraw();
}

void GUIElement::SetBackColor(COLORREF color) {
    backColor = color;
    if (!created) return;
    InvalidateRect(window, nullptr, FALSE);
    RECT client{};
    GetClientRect(window, &client);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, L"", 0, nullptr);
    EndPaint(window, &paint);
    backgroundPainted = true;
}

// Each setter tells a screen reader what really changed, and nothing when nothing did.
void GUIElement::SetEnabled(bool enable) {
    const bool changed = enabled != enable;
    enabled = enable;
    if (created) EnableWindow(window, enable);
    if (changed) RaiseAccessibleEvent(*this, EVENT_OBJECT_STATECHANGE);
}

// The text is the name a screen reader reads, unless the element was given a name of its own.
void GUIElement::SetText(const std::wstring& newText) {
    const std::wstring name = AccessibleName(*this);
    text = newText;
    if (created) SetWindowTextW(window, text.c_str());
    if (AccessibleName(*this) != name) RaiseAccessibleEvent(*this, EVENT_OBJECT_NAMECHANGE);
}

void GUIElement::SetTextNarrow(const std::string& newText) { SetText(Widen(newText)); }

int GUIElement::OnLeftButtonUp(int mouseX, int mouseY) {
    return LeftButtonUp ? LeftButtonUp(this, window, mouseX, mouseY) : 0;
}
int GUIElement::OnLeftButtonDown(int mouseX, int mouseY) {
    return LeftButtonDown ? LeftButtonDown(this, window, mouseX, mouseY) : 0;
}
int GUIElement::OnLeftDoubleClick(int mouseX, int mouseY) {
    return LeftDoubleClick ? LeftDoubleClick(this, window, mouseX, mouseY) : 0;
}
int GUIElement::OnRightButtonUp(int mouseX, int mouseY) {
    return RightButtonUp ? RightButtonUp(this, window, mouseX, mouseY) : 0;
}
int GUIElement::OnRightButtonDown(int mouseX, int mouseY) {
    return RightButtonDown ? RightButtonDown(this, window, mouseX, mouseY) : 0;
}
int GUIElement::OnRightDoubleClick(int mouseX, int mouseY) {
    return RightDoubleClick ? RightDoubleClick(this, window, mouseX, mouseY) : 0;
}
int GUIElement::OnKeyUp(int virtualKey) { return KeyUp ? KeyUp(this, virtualKey) : 0; }
int GUIElement::OnKeyDown(int virtualKey) { return KeyDown ? KeyDown(this, virtualKey) : 0; }
bool GUIElement::OnChar(int character) { return CharTyped ? CharTyped(this, character) : true; }
int GUIElement::OnMouseMove(int mouseX, int mouseY) {
    return MouseMove ? MouseMove(this, mouseX, mouseY) : 0;
}
int GUIElement::OnMouseHover() { return MouseHover ? MouseHover(this) : 0; }
int GUIElement::OnMouseLeave() { return MouseLeave ? MouseLeave(this) : 0; }

void GUIElement::Focus() {
    if (created) SetFocus(window);
}

void GUIElement::FocusByKeyboard() {
    Focus();
    if (created && (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
        SendMessageW(window, EM_SETSEL, 0, -1);
}

bool GUIElement::HasFocus() const { return window != nullptr && GetFocus() == window; }

int GUIElement::OnMoved() {
    GetPosition();
    return Moved ? Moved(this) : 0;
}

int GUIElement::OnResized() { return Resized ? Resized(this) : 0; }

void GUIElement::OnPaint() {
    if (backgroundPainted) SetBackColor(backColor);
    if (Painted) Painted(this);
}

// The system's colours while contrast is on; otherwise the control's own.
HBRUSH GUIElement::OnControlColor(HDC deviceContext) {
    return SystemControlColours(deviceContext, WindowFromDC(deviceContext));
}

bool GUIElement::OnClosing() { return Closing ? Closing(this) : true; }

int GUIElement::OnDestroyed() {
    int result = Destroyed ? Destroyed(this) : 0;
    destroyed = true;
    return result;
}

int GUIElement::OnGotFocus() {
    textAtFocus = GetText();
    return GotFocus ? GotFocus(this) : 0;
}

void GUIElement::OnLostFocus() {
    if (LostFocus) LostFocus(this);
    if (GetText() != textAtFocus && TextChanged) TextChanged(this);
}

int GUIElement::OnActivated() { return Activated ? Activated(this) : 0; }
int GUIElement::OnDeactivated() { return Deactivated ? Deactivated(this) : 0; }

void GUIElement::OnCreated(HWND createdWindow) {
    if (window == nullptr) window = createdWindow;
    if (createdFired) return;
    createdFired = true;  // set first: the event may send messages that come back here
    if (Created) Created(this, window);
}

void GUIElement::Redraw() {
    if (created) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool GUIElement::GetWaitCursor() { return waitCursor; }
bool GUIElement::GetHandCursor() { return handCursor; }
void GUIElement::SetWaitCursor(bool on) { waitCursor = on; }
void GUIElement::SetHandCursor(bool on) { handCursor = on; }
void GUIElement::OnShown() {}
// The lists are handed over by value, for an element that overrides this to keep them.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void GUIElement::OnGridNotify(int, std::vector<int>, std::vector<std::string>) {}
void GUIElement::OnScaleChanged(int) {}

std::wstring GUIElement::GetText() {
    // Menu elements hold a menu handle, not a window: their stored text is all there is.
    if (created && IsWindow(window)) {
        int length = GetWindowTextLengthW(window);
        if (length <= 0) {
            text.clear();
        } else {
            std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
            int copied = GetWindowTextW(window, &buffer[0], length + 1);
            if (copied != 0) text.assign(buffer.c_str(), static_cast<size_t>(copied));
        }
    }
    return text;
}

std::string GUIElement::GetTextNarrow() { return Narrow(GetText()); }

POINT GUIElement::GetPosition() {
    if (created && !InFittedLayout(*this)) {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        POINT corner{bounds.left, bounds.top};
        if (parent != nullptr) ScreenToClient(parent->window, &corner);
        const int scale = ElementDpi(*this);
        x = ToUnits(corner.x, scale);
        y = ToUnits(corner.y, scale);
    }
    return POINT{x, y};
}

// The tooltip's tool: the element's whole client area, text cut to what fits the buffer.
namespace {
constexpr size_t kTooltipTextUnits = 2024;

TOOLINFOW MakeTool(HWND owner, wchar_t* textBuffer, const std::string& tooltipText) {
    std::wstring cut = TooltipText(tooltipText);
    std::wmemcpy(textBuffer, cut.c_str(), cut.size());
    textBuffer[cut.size()] = L'\0';
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the record without its trailing reserved field
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    GetClientRect(owner, &tool.rect);
    tool.lpszText = textBuffer;
    tool.lParam = 0;
    return tool;
}
}  // namespace

std::wstring TooltipText(const std::string& narrowText) {
    std::wstring wide = Widen(narrowText);
    if (wide.size() > kTooltipTextUnits - 1) wide.resize(kTooltipTextUnits - 1);
    return wide;
}

void GUIElement::SetTooltipText(const std::string& newText) {
    tooltipText = newText;
    if (created) RefreshTooltip();
}

void GUIElement::RefreshTooltip() {
    if (tooltipWindow == nullptr) {
        CreateTooltip(window);
        return;
    }
    std::vector<wchar_t> buffer(kTooltipTextUnits);
    TOOLINFOW tool = MakeTool(window, buffer.data(), tooltipText);
    SendMessageW(tooltipWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltipWindow, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void GUIElement::CreateTooltip(HWND owner) {
    if (tooltipText.empty() || owner == nullptr) return;
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    tooltipWindow =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                        0, 0, 0, owner, nullptr, nullptr, nullptr);
    if (tooltipWindow == nullptr) {
        GetLastError();
        return;
    }
    SetWindowPos(tooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    std::vector<wchar_t> buffer(kTooltipTextUnits);
    TOOLINFOW tool = MakeTool(owner, buffer.data(), tooltipText);
    SendMessageW(tooltipWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void GUIElement::Show() {
    const bool wasShown = created && visible;
    if (!created) Create();
    ShowWindow(window, SW_SHOWNA);
    visible = true;
    if (!wasShown) RaiseAccessibleEvent(*this, EVENT_OBJECT_SHOW);
}

void GUIElement::Hide() {
    if (!created) return;
    ShowWindow(window, SW_HIDE);
    if (visible) RaiseAccessibleEvent(*this, EVENT_OBJECT_HIDE);
    visible = false;
}

void GUIElement::MoveTo(int newX, int newY) {
    x = newX;
    y = newY;
    if (!created) return;
    const PixelRect place = PixelRectOf(*this, ElementDpi(*this));  // on a fitted layout, from its origin
    SetWindowPos(window, nullptr, place.x, place.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    Redraw();
}

Child::Child(GUIElement* parentElement, HINSTANCE instanceHandle) : GUIElement(instanceHandle) {
    parent = parentElement;
}

}  // namespace NeloUtility
