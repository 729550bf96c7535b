#pragma once
// The painting context of one paint or draw-item message, and the helpers that draw
// text, frames, fills and bitmaps with black as the see-through colour.
//
// Every pen, brush, memory context and mask a helper makes is released before it
// returns, and every object it selects is selected back; only font handles stay,
// cached in their FontSpec.

#include "GUIElement.h"

#include <windows.h>

#include <string>

namespace NeloUtility {

enum TextAlignment { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };

class Drawing {
public:
    explicit Drawing(GUIElement* owner);
    virtual ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // Takes the owner's window device context with BeginPaint.
    void BeginPainting();
    // Borrows a context handed in by the system (WM_DRAWITEM); End only forgets it.
    void Attach(HDC context);
    // Gives the context back; harmless when idle.
    void End();
    // Called after a drawing call fails; painting carries on afterwards.
    virtual void ReportError();

    GUIElement* owner;
    HDC dc;
    bool borrowedDc;
    PAINTSTRUCT paint;
};

// Text from the top of the rectangle, transparent background, at most 1023
// characters. With a zero width or height the text goes out unclipped at (x, y).
// A null font keeps the context's current font.
void DrawTextWide(Drawing& drawing, int x, int y, int width, int height, const std::wstring& text,
                  COLORREF colour, FontSpec* font, int alignment);
// Narrow text, each byte widened to the code unit of the same value. (windows.h maps
// the name DrawText to DrawTextW; this overload lives in our namespace either way.)
void DrawText(Drawing& drawing, int x, int y, int width, int height, const std::string& text, COLORREF colour,
              FontSpec* font, int alignment);
// The font's character cell height in this context; -1 when it cannot be measured.
int TextHeight(FontSpec* font, Drawing& drawing);
// An outline of width x height, one layout unit thick (one pixel at 96 DPI).
void FrameRect(Drawing& drawing, int left, int top, int width, int height, COLORREF colour);
// The focus mark around the area: the system's dotted one, or while contrast is on
// (ContrastTheme.h) a solid frame two layout units thick in the highlight colour.
void DrawFocusMark(Drawing& drawing, const RECT& area);
// A fill without outline: it covers (width - 1) x (height - 1) pixels.
void FillRect(Drawing& drawing, int left, int top, int width, int height, COLORREF colour);
// A rectangle with rounded corners, each a quarter of an ellipse of `corner` (the area's own
// size gives an ellipse). It is filled whole in `fill` (CLR_INVALID: left as it is), and
// outlined inside its edge `outlineWidth` pixels thick in `outline` (CLR_INVALID: none).
void DrawRoundRect(Drawing& drawing, const RECT& area, SIZE corner, COLORREF fill, COLORREF outline,
                   int outlineWidth);
// The bitmap with its black pixels left out; at its own size when width or height is 0.
void DrawTransparentBitmap(Drawing& drawing, int x, int y, int width, int height, HBITMAP bitmap);
// A bitmap file as a DIB section, or null.
HBITMAP LoadBitmapFile(const std::string& path);

}  // namespace NeloUtility
