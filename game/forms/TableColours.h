// The colours both tables are painted in, and their controls' colours.
#pragma once

#include <windows.h>

namespace NeloUtility {
class Button;
}

namespace DoDadu {

const COLORREF kTableGreen = RGB(0, 128, 0);
const COLORREF kTableWhite = RGB(255, 255, 255);
const COLORREF kTableBlack = RGB(0, 0, 0);
const COLORREF kTableYellow = RGB(255, 255, 0);
const COLORREF kControlGrey = RGB(220, 220, 220);
const COLORREF kStartRed = RGB(255, 0, 0);
// The full table's room round the felt, and the felt under the seat in turn.
const COLORREF kTableRoom = RGB(34, 44, 40);
const COLORREF kFeltLit = RGB(20, 150, 40);

// WM_CTLCOLOR* of a table's control: START red with white text while it can be pressed,
// every other control grey with black text, the system's colours under high contrast; null
// (the system's own) for a START that cannot be pressed. brush holds the last brush made for
// it, freed at the next call and by the table.
HBRUSH TableControlColours(HDC deviceContext, const NeloUtility::Button* startButton, HBRUSH& brush);

}  // namespace DoDadu
