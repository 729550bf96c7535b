#include "Drawing.h"

#include "ContrastTheme.h"
#include "DisplayScale.h"

namespace NeloUtility {

namespace {

constexpr size_t kTextBufferUnits = 1024;  // at most 1023 characters and the terminator

UINT FormatFor(int alignment) {
    if (alignment == kAlignRight) return DT_RIGHT;
    if (alignment == kAlignCentre) return DT_CENTER;
    return DT_LEFT;
}

HWND OwnerWindow(const Drawing& drawing) { return drawing.owner ? drawing.owner->window : nullptr; }

// Combines a one-bit mask and its image on the destination: the mask first with AND,
// then the image with OR, at the image's own size or stretched. A one-bit source takes
// the destination's text colour for 0 and its background colour for 1, so those are
// black and white while the mask goes down (a button's context may hold white on red).
void CombineMaskAndImage(Drawing& drawing, HDC maskDc, HDC imageDc, int x, int y, int width, int height,
                         int bitmapWidth, int bitmapHeight) {
    const bool stretched = width != 0 && height != 0;
    const COLORREF previousText = SetTextColor(drawing.dc, RGB(0, 0, 0));
    const COLORREF previousBack = SetBkColor(drawing.dc, RGB(255, 255, 255));
    for (int pass = 0; pass < 2; ++pass) {
        HDC source = pass == 0 ? maskDc : imageDc;
        DWORD operation = pass == 0 ? SRCAND : SRCPAINT;
        BOOL done = stretched ? StretchBlt(drawing.dc, x, y, width, height, source, 0, 0, bitmapWidth,
                                           bitmapHeight, operation)
                              : BitBlt(drawing.dc, x, y, bitmapWidth, bitmapHeight, source, 0, 0, operation);
        if (!done) drawing.ReportError();
    }
    SetTextColor(drawing.dc, previousText);
    SetBkColor(drawing.dc, previousBack);
}

}  // namespace

Drawing::Drawing(GUIElement* owner) : owner(owner), dc(nullptr), borrowedDc(false), paint() {}

Drawing::~Drawing() { End(); }

void Drawing::BeginPainting() { dc = BeginPaint(OwnerWindow(*this), &paint); }

void Drawing::Attach(HDC context) {
    borrowedDc = true;
    dc = context;
}

void Drawing::End() {
    if (borrowedDc) {
        dc = nullptr;
        borrowedDc = false;
        return;
    }
    if (dc) {
        EndPaint(OwnerWindow(*this), &paint);
        dc = nullptr;
    }
}

void Drawing::ReportError() {
    // The code is read so that it does not linger for the next caller; painting goes on.
    (void)GetLastError();
}

void DrawTextWide(Drawing& drawing, int x, int y, int width, int height, const std::wstring& text,
                  COLORREF colour, FontSpec* font, int alignment) {
    HDC dc = drawing.dc;
    if (!dc) return;
    SetBkMode(dc, TRANSPARENT);

    wchar_t buffer[kTextBufferUnits];
    const size_t length = text.copy(buffer, kTextBufferUnits - 1);
    buffer[length] = L'\0';

    HGDIOBJ previousFont = font ? SelectObject(dc, font->GetFontHandle()) : nullptr;
    COLORREF previousColour = SetTextColor(dc, colour);
    if (width != 0 && height != 0) {
        RECT area{x, y, x + width, y + height};
        if (!::DrawTextW(dc, buffer, static_cast<int>(length), &area, FormatFor(alignment)))
            drawing.ReportError();
    } else if (!TextOutW(dc, x, y, buffer, static_cast<int>(length))) {
        drawing.ReportError();
    }
    SetTextColor(dc, previousColour);
    if (font) SelectObject(dc, previousFont);
}

void DrawText(Drawing& drawing, int x, int y, int width, int height, const std::string& text, COLORREF colour,
              FontSpec* font, int alignment) {
    DrawTextWide(drawing, x, y, width, height, Widen(text), colour, font, alignment);
}

int TextHeight(FontSpec* font, Drawing& drawing) {
    if (!drawing.dc || !font) return -1;
    HGDIOBJ previousFont = SelectObject(drawing.dc, font->GetFontHandle());
    TEXTMETRICW metrics{};
    const BOOL measured = GetTextMetricsW(drawing.dc, &metrics);
    SelectObject(drawing.dc, previousFont);
    return measured ? metrics.tmHeight : -1;
}

void FrameRect(Drawing& drawing, int left, int top, int width, int height, COLORREF colour) {
    HDC dc = drawing.dc;
    if (!dc) return;
    // One layout unit wide, inside the rectangle.
    const int penWidth = drawing.owner != nullptr ? ToPixels(1, ElementDpi(*drawing.owner)) : 1;
    HPEN pen = CreatePen(penWidth > 1 ? PS_INSIDEFRAME : PS_SOLID, penWidth, colour);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ previousPen = SelectObject(dc, pen);
    if (!Rectangle(dc, left, top, left + width, top + height)) drawing.ReportError();
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

void DrawFocusMark(Drawing& drawing, const RECT& area) {
    if (!drawing.dc) return;
    if (!ContrastOn()) {
        DrawFocusRect(drawing.dc, &area);
        return;
    }
    const int unit = drawing.owner != nullptr ? ToPixels(1, ElementDpi(*drawing.owner)) : 1;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (int inset : {0, unit})
        FrameRect(drawing, area.left + inset, area.top + inset, area.right - area.left - 2 * inset,
                  area.bottom - area.top - 2 * inset, highlight);
}

void FillRect(Drawing& drawing, int left, int top, int width, int height, COLORREF colour) {
    HDC dc = drawing.dc;
    if (!dc) return;
    HPEN pen = CreatePen(PS_NULL, 0, 0);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    if (!Rectangle(dc, left, top, left + width, top + height)) drawing.ReportError();
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void DrawRoundRect(Drawing& drawing, const RECT& area, SIZE corner, COLORREF fill, COLORREF outline,
                   int outlineWidth) {
    HDC dc = drawing.dc;
    if (!dc) return;
    // A region and its fill: far quicker than a shape drawn with a wide pen. The region leaves
    // out its right and bottom edges, so it is made one pixel larger each way.
    HRGN shape =
        CreateRoundRectRgn(area.left, area.top, area.right + 1, area.bottom + 1, corner.cx, corner.cy);
    if (!shape) {
        drawing.ReportError();
        return;
    }
    const auto paint = [&](COLORREF colour, int width) {
        HBRUSH brush = CreateSolidBrush(colour);
        if (!(width > 0 ? FrameRgn(dc, shape, brush, width, width) : FillRgn(dc, shape, brush)))
            drawing.ReportError();
        DeleteObject(brush);
    };
    if (fill != CLR_INVALID) paint(fill, 0);
    if (outline != CLR_INVALID && outlineWidth > 0) paint(outline, outlineWidth);
    DeleteObject(shape);
}

void DrawTransparentBitmap(Drawing& drawing, int x, int y, int width, int height, HBITMAP bitmap) {
    if (!drawing.dc || !bitmap) return;
    HDC imageDc = CreateCompatibleDC(drawing.dc);
    HDC maskDc = CreateCompatibleDC(drawing.dc);
    if (!imageDc || !maskDc) drawing.ReportError();

    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) drawing.ReportError();
    HBITMAP mask = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    if (!mask) drawing.ReportError();
    HGDIOBJ previousMask = SelectObject(maskDc, mask);
    HGDIOBJ previousImage = SelectObject(imageDc, bitmap);

    // Black pixels of the image become 1 in the mask, every other pixel 0.
    SetBkColor(imageDc, RGB(0, 0, 0));
    if (!BitBlt(maskDc, 0, 0, info.bmWidth, info.bmHeight, imageDc, 0, 0, SRCCOPY)) drawing.ReportError();
    CombineMaskAndImage(drawing, maskDc, imageDc, x, y, width, height, info.bmWidth, info.bmHeight);

    if (maskDc) SelectObject(maskDc, previousMask);
    if (imageDc) SelectObject(imageDc, previousImage);
    if (mask) DeleteObject(mask);
    if (maskDc) DeleteDC(maskDc);
    if (imageDc) DeleteDC(imageDc);
}

HBITMAP LoadBitmapFile(const std::string& path) {
    std::wstring widePath = Widen(path);
    return static_cast<HBITMAP>(
        LoadImageW(nullptr, widePath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

}  // namespace NeloUtility
