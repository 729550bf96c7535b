#include "Button.h"

#include "ContrastTheme.h"
#include "DisplayScale.h"
#include "Form.h"
#include "Label.h"

namespace NeloUtility {

namespace {

constexpr DWORD kTabStop = WS_TABSTOP;  // with the child bits: 0x50010000
constexpr int kPictureLeft = 5;         // from the item's left edge
constexpr int kPictureGap = 3;          // between the picture and the caption
constexpr int kIconSize = 32;
constexpr int kFocusInset = 3;

// Height of the font the item's context holds now (the parent may have chosen it).
int CurrentFontHeight(HDC dc) {
    LOGFONTW font{};
    HGDIOBJ current = GetCurrentObject(dc, OBJ_FONT);
    if (!current || !GetObjectW(current, sizeof font, &font)) return 0;
    return font.lfHeight;
}

// With contrast on, a disabled button is drawn in the system's grey text and a pressed one
// framed in the highlight colour.
COLORREF FrameColour(UINT state, COLORREF& textColour) {
    if (state & ODS_DISABLED) {
        textColour = ThemeColour(Button::kDisabledText, COLOR_GRAYTEXT);
        return ThemeColour(Button::kDisabledFrame, COLOR_GRAYTEXT);
    }
    if (state & ODS_SELECTED) return ThemeColour(0xFFFFFF - textColour, COLOR_HIGHLIGHT);
    return textColour;
}

}  // namespace

Button::Button(GUIElement* parentElement, const std::string& caption) : Child(parentElement) {
    kind = "button";
    text = Widen(caption);
    width = 80;
    height = 30;
}

DWORD Button::WindowStyle() const {
    return BaseControlStyle(*this) | kTabStop | (ownerDrawn ? BS_OWNERDRAW : BS_PUSHBUTTON);
}

void Button::Create() {
    if (created) return;
    window = MakeControlWindow(*this, L"Button", WindowStyle(), 0);
    if (window) SubclassControl(*this);
    created = true;
    FinishControl(*this);
}

int Button::DrawImage(Drawing& drawing, const RECT& item, bool /*pressed*/) {
    const int itemHeight = item.bottom - item.top;
    const int dpi = ElementDpi(*this);
    const int pictureLeft = ToPixels(kPictureLeft, dpi), pictureGap = ToPixels(kPictureGap, dpi);
    const int iconSize = ToPixels(kIconSize, dpi);
    HBITMAP picture = enabled ? bitmap : disabledBitmap;
    if (picture) {
        BITMAP size{};
        GetObjectW(picture, sizeof size, &size);
        DrawTransparentBitmap(drawing, item.left + pictureLeft, (itemHeight - size.bmHeight) / 2,
                              size.bmWidth, size.bmHeight, picture);
        return item.left + pictureLeft + size.bmWidth + pictureGap;
    }
    HICON shownIcon = enabled ? icon : disabledIcon;
    if (!shownIcon) return 0;
    if (drawing.dc)
        DrawIconEx(drawing.dc, item.left + pictureLeft, (itemHeight - iconSize) / 2, shownIcon, iconSize,
                   iconSize, 0, nullptr, DI_NORMAL | DI_COMPAT);
    return item.left + pictureLeft + iconSize + pictureGap;
}

void Button::PaintFace(const DRAWITEMSTRUCT& item) {
    Drawing drawing(this);
    drawing.Attach(item.hDC);
    const RECT& area = item.rcItem;
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    COLORREF textColour = GetTextColor(item.hDC);
    const COLORREF fillColour = GetBkColor(item.hDC);
    int captionTop = (h - CurrentFontHeight(item.hDC)) / 2;
    if (captionTop < 0) captionTop = 0;

    FillRect(drawing, area.left, area.top, w, h, fillColour);
    const COLORREF frame = FrameColour(item.itemState, textColour);
    FrameRect(drawing, area.left, area.top, w, h, frame);

    const int captionStart = DrawImage(drawing, area, (item.itemState & ODS_SELECTED) != 0);
    DrawTextWide(drawing, area.left + captionStart, area.top + captionTop, w - captionStart, h, GetText(),
                 textColour, nullptr, captionStart <= 0 ? kAlignCentre : kAlignLeft);

    // The focus mark follows the window's keyboard cues: a table that hides them until the
    // keyboard is used shows no mark on a button that took the focus from a click.
    const bool cuesHidden = (item.itemState & ODS_NOFOCUSRECT) != 0 || FocusMarksHidden(item.hwndItem);
    if ((item.itemState & ODS_FOCUS) && !cuesHidden) {
        const int inset = ToPixels(kFocusInset, ElementDpi(*this));
        DrawFocusMark(drawing,
                      RECT{area.left + inset, area.top + inset, area.right - inset, area.bottom - inset});
    }
    drawing.End();
}

}  // namespace NeloUtility
