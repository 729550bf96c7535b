#include "FullTableFelt.h"

#include "FullTableLayout.h"
#include "TableColours.h"

#include "ContrastTheme.h"
#include "DisplayScale.h"
#include "Drawing.h"

#include <algorithm>

namespace DoDadu {

using namespace NeloUtility;

namespace {

const COLORREF kRimWood = RGB(120, 68, 30);
const COLORREF kRimDark = RGB(58, 30, 10);
const COLORREF kRimLight = RGB(178, 118, 62);
const COLORREF kFeltEdgeDark = RGB(0, 92, 0);
const COLORREF kTurnGold = RGB(255, 210, 40);
const COLORREF kFeltPrint = RGB(0, 108, 0);  // what is printed on the felt

const int kRimLine = 2;      // the dark line round the rim and the felt
const int kRimShine = 5;     // the light line along the wood, in from its outer edge
const int kTurnLine = 3;     // the frame round the seat in turn
const int kTurnCorner = 28;  // and its corners

// The game's name printed in the middle of the felt, in a ring, where no place stands.
const RECT kFeltMark{410, 232, 630, 352};
const int kFeltMarkLine = 3;
const int kFeltMarkHeight = 84;

// A chip seen from the side of the table: its top face, and the edge below it.
const int kChipWidth = 40;
const int kChipFace = 16;
const int kChipEdge = 6;
const std::size_t kPileChips = 8;

struct ChipKind {
    int value;
    COLORREF colour;
};
const ChipKind kChipKinds[] = {{10000, RGB(118, 52, 168)}, {5000, RGB(232, 122, 24)}, {1000, RGB(34, 34, 34)},
                               {500, RGB(32, 92, 206)},    {100, RGB(206, 32, 32)},   {25, RGB(24, 150, 70)},
                               {5, RGB(240, 200, 30)},     {1, RGB(245, 245, 245)}};

COLORREF Darker(COLORREF colour) {
    return RGB(GetRValue(colour) * 3 / 5, GetGValue(colour) * 3 / 5, GetBValue(colour) * 3 / 5);
}

COLORREF ChipColour(int value) {
    for (const ChipKind& kind : kChipKinds)
        if (kind.value == value) return kind.colour;
    return kTableWhite;
}

// Layout units to the form's pixels.
class Scale {
public:
    explicit Scale(const Form& form)
        : dpi(form.layoutDpi > 0 ? form.layoutDpi : ElementDpi(form)),
          origin(form.layoutDpi > 0 ? form.layoutOrigin : POINT{0, 0}) {}
    int Length(int units) const { return std::max(1, ToPixels(units, dpi)); }
    RECT Area(const RECT& units) const {
        return RECT{origin.x + ToPixels(units.left, dpi), origin.y + ToPixels(units.top, dpi),
                    origin.x + ToPixels(units.right, dpi), origin.y + ToPixels(units.bottom, dpi)};
    }
    SIZE Corner(int width, int height) const { return SIZE{ToPixels(width, dpi), ToPixels(height, dpi)}; }

    int dpi;

private:
    POINT origin;
};

RECT Inset(RECT area, int by) {
    InflateRect(&area, -by, -by);
    return area;
}

// The wood round the table, then the felt inside it.
void PaintTable(Drawing& drawing, const Scale& scale, bool contrast) {
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF paper = GetSysColor(COLOR_WINDOW);
    DrawRoundRect(drawing, scale.Area(kFeltEdge), scale.Corner(kFeltCorner.cx, kFeltCorner.cy),
                  contrast ? paper : kRimWood, contrast ? ink : kRimDark, scale.Length(kRimLine));
    if (!contrast)
        DrawRoundRect(drawing, scale.Area(Inset(kFeltEdge, kRimShine)),
                      scale.Corner(kFeltCorner.cx - 2 * kRimShine, kFeltCorner.cy - 2 * kRimShine),
                      CLR_INVALID, kRimLight, scale.Length(1));
    DrawRoundRect(drawing, scale.Area(Inset(kFeltEdge, kFeltRim)),
                  scale.Corner(kFeltCorner.cx - 2 * kFeltRim, kFeltCorner.cy - 2 * kFeltRim),
                  contrast ? paper : kTableGreen, contrast ? ink : kFeltEdgeDark, scale.Length(kRimLine));
}

// 7.5 printed in the middle of the felt; nothing under high contrast, where the felt is plain.
void PaintMark(Drawing& drawing, const Scale& scale, int dpi) {
    const RECT ring = scale.Area(kFeltMark);
    DrawRoundRect(drawing, ring, SIZE{ring.right - ring.left, ring.bottom - ring.top}, CLR_INVALID,
                  kFeltPrint, scale.Length(kFeltMarkLine));
    FontSpec font("Arial", kFeltMarkHeight);
    font.bold = true;
    font.dpi = dpi;
    const int textHeight = TextHeight(&font, drawing);
    DrawTextWide(drawing, ring.left, (ring.top + ring.bottom - textHeight) / 2, ring.right - ring.left,
                 textHeight, L"7\u00BD", kFeltPrint, &font, kAlignCentre);
}

// The seat in turn: the felt under it lit and framed in gold, or in the highlight colour.
void PaintTurn(Drawing& drawing, const Scale& scale, const SeatPlace& place, bool contrast) {
    RECT area = PlaceArea(POINT{place.left, place.top});
    InflateRect(&area, kTurnGlow, kTurnGlow);
    DrawRoundRect(drawing, scale.Area(area), scale.Corner(kTurnCorner, kTurnCorner),
                  contrast ? CLR_INVALID : kFeltLit, contrast ? GetSysColor(COLOR_HIGHLIGHT) : kTurnGold,
                  scale.Length(kTurnLine));
}

// One chip whose top face stands at `top` units: the edge with its marks, then the face.
void PaintChip(Drawing& drawing, const Scale& scale, int left, int top, int value, bool contrast) {
    const COLORREF face = contrast ? GetSysColor(COLOR_WINDOW) : ChipColour(value);
    const COLORREF side = contrast ? face : Darker(face);
    const COLORREF ink = contrast ? GetSysColor(COLOR_WINDOWTEXT) : Darker(side);
    const COLORREF marks = contrast ? ink : kTableWhite;
    const SIZE round = scale.Corner(kChipWidth, kChipFace);
    const int line = scale.Length(1);
    DrawRoundRect(drawing,
                  scale.Area(RECT{left, top + kChipEdge, left + kChipWidth, top + kChipEdge + kChipFace}),
                  round, side, ink, line);
    const RECT edge =
        scale.Area(RECT{left, top + kChipFace / 2, left + kChipWidth, top + kChipFace / 2 + kChipEdge});
    DrawRoundRect(drawing, edge, SIZE{0, 0}, side, CLR_INVALID, 0);
    for (const int x : {edge.left, edge.right - line})
        FillRect(drawing, x, edge.top, line + 1, edge.bottom - edge.top + 1, ink);
    for (const int mark : {5, 17, 29})
        DrawRoundRect(drawing,
                      scale.Area(RECT{left + mark, top + kChipFace / 2 + 1, left + mark + 6,
                                      top + kChipFace / 2 + kChipEdge}),
                      SIZE{0, 0}, marks, CLR_INVALID, 0);
    DrawRoundRect(drawing, scale.Area(RECT{left, top, left + kChipWidth, top + kChipFace}), round, face, ink,
                  line);
    DrawRoundRect(drawing, scale.Area(RECT{left + 8, top + 3, left + kChipWidth - 8, top + kChipFace - 3}),
                  scale.Corner(kChipWidth - 16, kChipFace - 6), CLR_INVALID, marks, line);
}

// The stake's chips stacked from the bottom of the pile's area, the largest at the foot.
void PaintPile(Drawing& drawing, const Scale& scale, const SeatPlace& place, bool contrast) {
    const RECT area = PileArea(place);
    const int left = (area.left + area.right - kChipWidth) / 2;
    int top = area.bottom - kChipFace - kChipEdge;
    for (const int value : StakeChips(place.stake)) {
        PaintChip(drawing, scale, left, top, value, contrast);
        top -= kChipEdge;
    }
}

}  // namespace

std::vector<int> StakeChips(int stake) {
    std::vector<int> chips;
    for (const ChipKind& kind : kChipKinds)
        for (; stake >= kind.value && chips.size() < kPileChips; stake -= kind.value)
            chips.push_back(kind.value);
    return chips;
}

RECT FeltPixels(const Form& form, const RECT& units) { return Scale(form).Area(units); }

void PaintFelt(Form& form, const FullTableLayout& layout) {
    Drawing drawing(&form);
    drawing.BeginPainting();
    const Scale scale(form);
    const bool contrast = ContrastOn();
    PaintTable(drawing, scale, contrast);
    if (!contrast && !layout.ShowsInvitation()) PaintMark(drawing, scale, scale.dpi);
    for (const SeatPlace& place : layout.places) {
        if (!place.used) continue;
        if (place.inTurn) PaintTurn(drawing, scale, place, contrast);
        if (place.stake > 0) PaintPile(drawing, scale, place, contrast);
    }
    drawing.End();
}

}  // namespace DoDadu
