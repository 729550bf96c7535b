// A trackbar with two labels of its parent showing its end values. The owner hears of a
// move once, when the drag or the key press ends.
#pragma once

#include "GUIElement.h"
#include "Label.h"

#include <commctrl.h>

namespace NeloUtility {

using ValueChangedEvent = void (*)(GUIElement* slider, int position);

class Slider : public Child {
public:
    bool showLabels = true;
    int minimum = 1;
    int maximum = 8;
    int position = 1;
    Label* minLabel;  // owned
    Label* maxLabel;  // owned
    bool vertical = false;
    ValueChangedEvent ValueChanged = nullptr;

    explicit Slider(GUIElement* parentElement);
    ~Slider();
    Slider(const Slider&) = delete;
    Slider& operator=(const Slider&) = delete;

    void SetSize(int newWidth, int newHeight) override;
    void Create() override;
    long AccessibleRole() const override { return kRoleSlider; }
    std::wstring OwnAccessibleValue() override {
        return created ? Int64ToWideText(ReadPosition()) : std::wstring();
    }

    void SetPosition(int newPosition);
    // The position the trackbar holds now (the player may have moved it), kept in `position`.
    int ReadPosition();
    void ApplyLabelVisibility();
    void LayoutLabels();
    // The window procedure calls this when a drag or key press on the trackbar ends.
    void OnValueChanged();

    DWORD WindowStyle() const;

    // NM_CUSTOMDRAW from the trackbar. The trackbar draws its thumb, track and ticks at
    // about their 100 % size whatever the scale: above 100 % the slider draws them itself,
    // grown with the scale, in the trackbar's own colours.
    LRESULT OnCustomDraw(const NMCUSTOMDRAW& draw);

private:
    void FitThumb(int dpi);
    COLORREF trackInk = CLR_INVALID;  // the track's frame colour, also of the ticks and thumb
    COLORREF trackFill = CLR_INVALID;
    void DrawTrack(HDC dc, const RECT& drawn, int dpi);
    void DrawTicks(HDC dc, int dpi) const;
    void DrawThumb(HDC dc, const RECT& place, bool pressed, int dpi) const;
};

}  // namespace NeloUtility
