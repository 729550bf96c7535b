// A trackbar with two labels of its parent showing its end values. The owner hears of a
// move once, when the drag or the key press ends.
#pragma once

#include "GUIElement.h"
#include "Label.h"

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

    void SetPosition(int newPosition);
    void ApplyLabelVisibility();
    void LayoutLabels();
    // The window procedure calls this when a drag or key press on the trackbar ends.
    void OnValueChanged();

    DWORD WindowStyle() const;
};

}  // namespace NeloUtility
