#pragma once
#include "FormBox.h"

#include <initializer_list>

namespace DoDadu {

// The keys a box of the game answers itself.
constexpr int kBoxEnter = 13;
constexpr int kBoxEscape = 27;

// The events every box of the game hands to its own class: it builds its layout once its
// window is made, gives its owner back when it closes, and hears the keys typed in it or
// in any of its elements.
template <typename Box>
void BoxCreated(NeloUtility::GUIElement* element, HWND) {
    if (auto* box = dynamic_cast<Box*>(element)) box->BuildLayout();
}

template <typename Box>
bool BoxClosing(NeloUtility::GUIElement* element) {
    if (auto* box = dynamic_cast<Box*>(element)) box->ReleaseOwner();
    return true;
}

template <typename Box>
bool BoxChar(NeloUtility::GUIElement* element, int character) {
    auto* box = NeloUtility::BoxOf<Box>(element);
    return box == nullptr || box->OnBoxChar(character);
}

// The keys every box answers alike: Escape closes it; Enter presses the button that has the
// focus, and the default button from anywhere else. True when the key is left to the
// element it was typed in.
template <typename Box>
bool AnswerBoxKey(Box& box, int character, NeloUtility::GUIElement* byDefault,
                  std::initializer_list<NeloUtility::GUIElement*> buttons) {
    if (character == kBoxEscape) {
        box.Close();
        return false;
    }
    if (character != kBoxEnter) return true;
    NeloUtility::GUIElement* pressed = byDefault;
    for (NeloUtility::GUIElement* button : buttons)
        if (button != nullptr && button->HasFocus()) pressed = button;
    box.OnButton(pressed);
    return false;
}

}  // namespace DoDadu
