#include "TableColours.h"

#include "Button.h"
#include "ContrastTheme.h"

namespace DoDadu {

HBRUSH TableControlColours(HDC deviceContext, const NeloUtility::Button* startButton, HBRUSH& brush) {
    if (brush != nullptr) {
        DeleteObject(brush);
        brush = nullptr;
    }
    HWND control = WindowFromDC(deviceContext);
    if (HBRUSH system = NeloUtility::SystemControlColours(deviceContext, control)) return system;
    COLORREF back = kControlGrey;
    COLORREF fore = kTableBlack;
    if (startButton != nullptr && control == startButton->window) {
        if (!startButton->enabled) return nullptr;
        back = kStartRed;
        fore = kTableWhite;
    }
    SetBkColor(deviceContext, back);
    SetTextColor(deviceContext, fore);
    brush = CreateSolidBrush(back);
    return brush;
}

}  // namespace DoDadu
