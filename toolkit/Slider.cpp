#include "Slider.h"

#include "AccessibleElement.h"
#include "DisplayScale.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace NeloUtility {

namespace {

constexpr int kLabelGap = 5;         // between the trackbar and an end label
constexpr int kLabelCharWidth = 10;  // an end label is 10 units per character wide
constexpr int kLabelHeight = 30;
// The thumb, the track and the ticks at 100 %, in layout units.
constexpr int kThumbLength = 21;
constexpr int kTrackThickness = 4;
constexpr int kTickGap = 2;  // between the thumb's point and the ticks
constexpr int kTickLength = 3;
constexpr int kEndTickLength = 4;

Label* MakeEndLabel(GUIElement* parent, int value) {
    Label* label = new Label(parent, Int64ToText(value));
    label->width = kLabelCharWidth * static_cast<int>(label->text.size());
    label->height = kLabelHeight;
    return label;
}

// A created element's size as its window has it now, in layout units.
void RereadSize(GUIElement& element) {
    RECT outer;
    if (element.created && GetWindowRect(element.window, &outer)) {
        const int dpi = ElementDpi(element);
        element.width = ToUnits(outer.right - outer.left, dpi);
        element.height = ToUnits(outer.bottom - outer.top, dpi);
    }
}

void FillArea(HDC dc, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void RegisterTrackbarClass() {
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
}

}  // namespace

Slider::Slider(GUIElement* parentElement) : Child(parentElement) {
    kind = "slider";
    maxLabel = MakeEndLabel(parentElement, maximum);
    minLabel = MakeEndLabel(parentElement, minimum);
}

Slider::~Slider() {
    DeleteElement(minLabel);
    DeleteElement(maxLabel);
}

DWORD Slider::WindowStyle() const {
    return BaseControlStyle(*this) | WS_TABSTOP | TBS_AUTOTICKS | (vertical ? TBS_VERT : 0);
}

void Slider::Create() {
    if (created) return;
    RegisterTrackbarClass();
    window = MakeControlWindow(*this, TRACKBAR_CLASSW, WindowStyle(), 0);
    if (window) SubclassControl(*this);
    created = true;

    const LPARAM range = (minimum & 0xFFFF) | (static_cast<LPARAM>(maximum & 0xFFFF) << 16);
    SendMessageW(window, TBM_SETRANGE, TRUE, range);
    const int step = std::abs(maximum - minimum) / 10;
    if (step > 0) {
        SendMessageW(window, TBM_SETPAGESIZE, 0, step);
        SendMessageW(window, TBM_SETTICFREQ, step, 0);
    }
    SetPosition(position);
    FitThumb(ElementDpi(*this));

    LayoutLabels();
    minLabel->Create();
    maxLabel->Create();
    SendMessageW(window, TBM_SETBUDDY, TRUE, reinterpret_cast<LPARAM>(minLabel->window));
    SendMessageW(window, TBM_SETBUDDY, FALSE, reinterpret_cast<LPARAM>(maxLabel->window));
    ApplyLabelVisibility();
    FinishControl(*this);
}

void Slider::SetSize(int newWidth, int newHeight) {
    Child::SetSize(newWidth, newHeight);
    LayoutLabels();
}

void Slider::SetPosition(int newPosition) {
    if (newPosition < minimum)
        newPosition = minimum;
    else if (newPosition > maximum)
        newPosition = maximum;
    const std::wstring value = AccessibleValue(*this);
    position = newPosition;
    if (created) SendMessageW(window, TBM_SETPOS, TRUE, position);
    if (AccessibleValue(*this) != value) RaiseAccessibleEvent(*this, EVENT_OBJECT_VALUECHANGE);
}

void Slider::LayoutLabels() {
    RereadSize(*this);
    RereadSize(*minLabel);
    RereadSize(*maxLabel);
    if (vertical) {
        minLabel->MoveTo(x, y - minLabel->height - kLabelGap);
        maxLabel->MoveTo(x, y + height + kLabelGap);
    } else {
        minLabel->MoveTo(x - minLabel->width - kLabelGap, y);
        maxLabel->MoveTo(x + width + kLabelGap, y);
    }
}

void Slider::ApplyLabelVisibility() {
    if (showLabels) {
        maxLabel->Show();
        minLabel->Show();
    } else {
        maxLabel->Hide();
        minLabel->Hide();
    }
}

int Slider::ReadPosition() {
    if (created) position = static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
    return position;
}

void Slider::OnValueChanged() {
    if (ValueChanged) ValueChanged(this, ReadPosition());
    if (TextChanged) TextChanged(this);
}

// A thumb of a fixed length, once the slider has been above 100 %: after a scale change
// too (the trackbar repaints when it changes).
void Slider::FitThumb(int dpi) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const bool fixed = (style & TBS_FIXEDLENGTH) != 0;
    const int length = ToPixels(kThumbLength, dpi);
    if (!created || (!fixed && dpi <= kLayoutDpi) || SendMessageW(window, TBM_GETTHUMBLENGTH, 0, 0) == length)
        return;
    if (!fixed) SetWindowLongW(window, GWL_STYLE, style | TBS_FIXEDLENGTH);
    SendMessageW(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(length), 0);
}

LRESULT Slider::OnCustomDraw(const NMCUSTOMDRAW& draw) {
    const int dpi = ElementDpi(*this);
    if (draw.dwDrawStage == CDDS_PREPAINT) FitThumb(dpi);
    if (dpi <= kLayoutDpi || vertical) return CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwItemSpec == TBCD_CHANNEL && draw.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw.dwItemSpec == TBCD_CHANNEL && draw.dwDrawStage == CDDS_ITEMPOSTPAINT)
        DrawTrack(draw.hdc, draw.rc, dpi);
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT || trackInk == CLR_INVALID || trackFill == CLR_INVALID)
        return CDRF_DODEFAULT;
    if (draw.dwItemSpec == TBCD_TICS) {
        DrawTicks(draw.hdc, dpi);
        return CDRF_SKIPDEFAULT;
    }
    if (draw.dwItemSpec == TBCD_THUMB) {
        DrawThumb(draw.hdc, draw.rc, (draw.uItemState & CDIS_SELECTED) != 0, dpi);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

// Drawn over the trackbar's own track in its colours, as thick as the scale asks,
// about the same middle line.
void Slider::DrawTrack(HDC dc, const RECT& drawn, int dpi) {
    const int thickness = ToPixels(kTrackThickness, dpi);
    const int frame = ToPixels(1, dpi);
    // A repaint of part of the window may leave those pixels out: the last colours stay.
    const COLORREF ink = GetPixel(dc, drawn.left, drawn.top),
                   fill = GetPixel(dc, drawn.left + 1, drawn.top + 1);
    if (ink != CLR_INVALID && fill != CLR_INVALID) {
        trackInk = ink;
        trackFill = fill;
    }
    if (drawn.bottom - drawn.top >= thickness || trackInk == CLR_INVALID || trackFill == CLR_INVALID) return;
    const int top = (drawn.top + drawn.bottom - thickness) / 2;
    const RECT outer{drawn.left, top, drawn.right, top + thickness};
    const RECT inner{outer.left + frame, outer.top + frame, outer.right - frame, outer.bottom - frame};
    FillArea(dc, outer, trackInk);
    FillArea(dc, inner, trackFill);
}

// A tick under each value the trackbar marks, where the thumb's middle stands at that
// value; the end ticks longer.
void Slider::DrawTicks(HDC dc, int dpi) const {
    RECT track{}, thumb{};
    SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&track));
    SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int thumbWidth = thumb.right - thumb.left;
    const int travel = track.right - track.left - thumbWidth;
    const int range = std::abs(maximum - minimum);
    const int every = std::max(1, range / 10);
    const int top = thumb.bottom + ToPixels(kTickGap, dpi);
    const int lineWidth = ToPixels(1, dpi);
    auto tick = [&](int step, int length) {
        const int x = track.left + thumbWidth / 2 + (range > 0 ? travel * step / range : 0) - lineWidth / 2;
        FillArea(dc, RECT{x, top, x + lineWidth, top + ToPixels(length, dpi)}, trackInk);
    };
    tick(0, kEndTickLength);
    for (int step = every; step < range; step += every) tick(step, kTickLength);
    tick(range, kEndTickLength);
}

// A box with a point at the bottom, as wide as its place and nearly as long, framed like
// the track; a pressed or disabled one filled in the colour of a button face.
void Slider::DrawThumb(HDC dc, const RECT& place, bool pressed, int dpi) const {
    const bool dimmed = pressed || !IsWindowEnabled(window);
    const int frame = ToPixels(1, dpi);
    const int left = place.left, right = place.right, top = place.top;
    const int tip = place.bottom - ToPixels(2, dpi);
    const int shoulder = tip - (right - left) / 2;
    const int middle = (left + right) / 2;
    const POINT outer[] = {{left, top}, {right, top}, {right, shoulder}, {middle, tip}, {left, shoulder}};
    const POINT inner[] = {{left + frame, top + frame},
                           {right - frame, top + frame},
                           {right - frame, shoulder},
                           {middle, tip - frame - frame / 2},
                           {left + frame, shoulder}};
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HBRUSH ink = CreateSolidBrush(trackInk);
    HBRUSH fill = CreateSolidBrush(dimmed ? GetSysColor(COLOR_BTNFACE) : trackFill);
    HGDIOBJ oldBrush = SelectObject(dc, ink);
    Polygon(dc, outer, 5);
    SelectObject(dc, fill);
    Polygon(dc, inner, 5);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(ink);
    DeleteObject(fill);
}

}  // namespace NeloUtility
