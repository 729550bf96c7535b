#include "Slider.h"

#include "DisplayScale.h"

#include <commctrl.h>

#include <cstdlib>

namespace NeloUtility {

namespace {

constexpr int kLabelGap = 5;         // between the trackbar and an end label
constexpr int kLabelCharWidth = 10;  // an end label is 10 pixels per character wide
constexpr int kLabelHeight = 30;

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
    position = newPosition;
    if (created) SendMessageW(window, TBM_SETPOS, TRUE, position);
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

void Slider::OnValueChanged() {
    if (ValueChanged) {
        if (created) position = static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
        ValueChanged(this, position);
    }
    if (TextChanged) TextChanged(this);
}

}  // namespace NeloUtility
