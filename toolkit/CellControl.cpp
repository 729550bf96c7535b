#include "CellControl.h"

#include "ContrastTheme.h"
#include "DisplayScale.h"
#include "Drawing.h"
#include "Form.h"

#include <algorithm>

namespace NeloUtility {

namespace {

constexpr int kPictureMargin = 3;  // between a right or left picture and the edge
constexpr int kPictureRight = 1;
constexpr int kPictureCentre = 2;

}  // namespace

CellControl::CellControl(GUIElement* parentElement) : PanelChildren(parentElement) { tabStop = false; }

CellControl::~CellControl() = default;

void CellControl::SetText(const std::wstring& newText) {
    PanelChildren::SetText(newText);
    if (created) InvalidateRect(window, nullptr, TRUE);
}

void CellControl::SetTextNarrow(const std::string& newText) { SetText(Widen(newText)); }

void CellControl::SetPicture(HBITMAP bitmap, int drawnWidth, int drawnHeight) {
    picture = bitmap;
    BITMAP size{};
    if (bitmap && (drawnWidth <= 0 || drawnHeight <= 0)) GetObjectW(bitmap, sizeof size, &size);
    pictureWidth = drawnWidth > 0 ? drawnWidth : size.bmWidth;
    pictureHeight = drawnHeight > 0 ? drawnHeight : size.bmHeight;
}

void CellControl::OnPaint() {
    RECT client;
    if (created && GetClientRect(window, &client)) PaintContents(client);
    if (Painted) Painted(this);
}

int CellControl::OnGotFocus() {
    if (created) InvalidateRect(window, nullptr, TRUE);
    return PanelChildren::OnGotFocus();
}

void CellControl::OnLostFocus() {
    if (created) InvalidateRect(window, nullptr, TRUE);
    PanelChildren::OnLostFocus();
}

void CellControl::PaintContents(const RECT& client) {
    Drawing drawing(this);
    FontSpec ownFont(textFace, textHeight);
    ownFont.bold = textBold;
    ownFont.italic = textItalic;
    ownFont.underline = textUnderline;
    ownFont.dpi = ElementDpi(*this);
    drawing.BeginPainting();

    const int right = client.right, bottom = client.bottom;
    const bool contrast = ContrastOn();
    // The whole cell: a colour given after the window was made is not its class's.
    if (backgroundPainted || contrast)
        FillRect(drawing, 0, 0, right - client.left + 1, bottom - client.top + 1,
                 contrast ? GetSysColor(COLOR_WINDOW) : backColor);
    const COLORREF ink = contrast ? GetSysColor(contrastTextColour) : textColor;

    FontSpec* textFont = font ? font : &ownFont;
    const int t = TextHeight(textFont, drawing);
    if (!text.empty()) {
        const int lines =
            linesCentred ? 1 + static_cast<int>(std::count(text.begin(), text.end(), L'\n')) : 1;
        const int top = (bottom - t * lines - client.top) / 2;
        DrawTextWide(drawing, 0, top, right - client.left, bottom - top, text, ink, textFont, textAlign);
    }
    if (marker) DrawTextWide(drawing, right - t, bottom - t, t, t, L"*", ink, textFont, kAlignCentre);
    if (picture) {
        const int top = (bottom - pictureHeight - client.top) / 2;
        const int margin = ToPixels(kPictureMargin, ownFont.dpi);
        int left = margin;
        if (pictureAlign == kPictureRight)
            left = right - pictureWidth - margin;
        else if (pictureAlign == kPictureCentre)
            left = (right - pictureWidth - client.left) / 2;
        DrawTransparentBitmap(drawing, left, top, pictureWidth, pictureHeight, picture);
    }
    if (tabStop && GetFocus() == window && !FocusMarksHidden(window)) DrawFocusMark(drawing, client);
    drawing.End();
}

}  // namespace NeloUtility
