// A drop-down list of fixed choices (the system's combo box in its list-only form): one
// choice shows, the arrow keys step through them and Alt+Down opens the list. A screen
// reader reads the name it was given and the shown choice as its value.
#pragma once

#include "GUIElement.h"

#include <string>
#include <vector>

namespace NeloUtility {

constexpr long kRoleComboBox = 0x2E;

class ChoiceBox;
// The player picked another choice (by key, wheel or from the list); not called for Select.
using ChosenEvent = void (*)(ChoiceBox* box, int index);

class ChoiceBox : public Child {
public:
    int fieldHeight = 24;  // layout units of the closed box; `height` is set from it
    ChosenEvent Chosen = nullptr;

    explicit ChoiceBox(GUIElement* parentElement);

    // The choices in UTF-8, top to bottom; the first is shown until another is selected.
    void SetChoices(const std::vector<std::string>& texts);
    const std::vector<std::string>& Choices() const { return choices; }
    // Shows a choice (out of range: left as it is) without calling Chosen.
    void Select(int index);
    int Selected() const { return selected; }

    void Create() override;
    long AccessibleRole() const override { return kRoleComboBox; }
    std::wstring OwnAccessibleValue() override;
    void OnScaleChanged(int newDpi) override;
    // Enter or Escape that closes the open list ends there: the box's form never hears it.
    int OnKeyDown(int virtualKey) override;
    bool OnChar(int character) override;

    // A notification code of WM_COMMAND from the box (the window procedure calls this).
    void OnNotification(int code);

private:
    void FitField(int dpi);
    std::vector<std::string> choices;
    int selected = 0;
    bool closingKey = false;  // the key down closed the list: its character is not passed on
};

}  // namespace NeloUtility
