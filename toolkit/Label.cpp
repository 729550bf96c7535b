#include "Label.h"

#include "DisplayScale.h"

namespace NeloUtility {

namespace {

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;  // 0x50000000

}  // namespace

HWND MakeControlWindow(GUIElement& element, const wchar_t* windowClass, DWORD style, DWORD extendedStyle) {
    element.commandId = TakeNextControlId();
    HWND parentWindow = element.parent ? element.parent->window : nullptr;
    const PixelRect place = PixelRectOf(element, ElementDpi(element));
    HWND made = CreateWindowExW(
        extendedStyle, windowClass, element.text.c_str(), style, place.x, place.y, place.width, place.height,
        parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(element.commandId)), nullptr, nullptr);
    if (!made) (void)GetLastError();  // nothing is reported; the element keeps its values
    return made;
}

void FinishControl(GUIElement& element) {
    element.CreateTooltip(element.window);
    if (element.font)
        SendMessageW(element.window, WM_SETFONT, reinterpret_cast<WPARAM>(element.font->GetFontHandle()),
                     TRUE);
}

DWORD BaseControlStyle(const GUIElement& element) {
    return kChildVisible | (element.enabled ? 0 : WS_DISABLED);
}

Label::Label(GUIElement* parentElement, const std::string& caption) : Child(parentElement) {
    kind = "label";
    text = Widen(caption);
    width = 80;
    height = 30;
}

DWORD Label::WindowStyle() const {
    DWORD style = BaseControlStyle(*this) | SS_NOTIFY;
    if (border) style |= WS_BORDER;
    if (alignRight)
        style |= SS_RIGHT;
    else if (alignCenter)
        style |= SS_CENTER;
    return style;
}

DWORD Label::ExtendedStyle() const { return border ? WS_EX_CLIENTEDGE : 0; }

void Label::Create() {
    if (created) return;
    window = MakeControlWindow(*this, L"static", WindowStyle(), ExtendedStyle());
    if (window) SubclassControl(*this);
    created = true;
    FinishControl(*this);
}

}  // namespace NeloUtility
