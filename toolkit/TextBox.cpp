#include "TextBox.h"

#include "Label.h"

namespace NeloUtility {

namespace {

constexpr DWORD kMultilineBits = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;  // 0x1044
constexpr WPARAM kPasswordChar = '*';

}  // namespace

TextBox::TextBox(GUIElement* parentElement, const std::string& initialText) : Child(parentElement) {
    kind = "textbox";
    text = Widen(initialText);
    width = 80;
    height = 30;
}

DWORD TextBox::ComputeStyle() const {
    DWORD style = BaseControlStyle(*this) | WS_TABSTOP;
    if (multiline)
        style |= kMultilineBits | (wordWrap ? 0 : ES_AUTOHSCROLL);
    else
        style |= ES_AUTOHSCROLL;
    if (horizontalScroll) style |= WS_HSCROLL;
    if (verticalScroll) style |= WS_VSCROLL;
    if (readOnly) style |= ES_READONLY;
    if (numbersOnly) style |= ES_NUMBER;
    if (uppercase)
        style |= ES_UPPERCASE;
    else if (lowercase)
        style |= ES_LOWERCASE;
    if (alignRight)
        style |= ES_RIGHT;
    else if (alignCenter)
        style |= ES_CENTER;
    if (border) style |= WS_BORDER;
    return style;
}

void TextBox::Create() {
    if (created) return;
    window = MakeControlWindow(*this, L"edit", ComputeStyle(), border ? WS_EX_CLIENTEDGE : 0);
    if (window) SubclassControl(*this);
    created = true;
    if (maxLength != -1) SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    FinishControl(*this);
}

void TextBox::ApplyStyle() {
    if (!created) return;
    SetLastError(0);
    if (!SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(ComputeStyle())) && GetLastError() != 0)
        return;  // the style did not change; read-only and password stay as they were
    SendMessageW(window, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    SendMessageW(window, EM_SETPASSWORDCHAR, password ? kPasswordChar : 0, 0);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

}  // namespace NeloUtility
