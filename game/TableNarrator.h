// The table for a player who listens or plays from the keyboard: every element named in
// words for a screen reader, every change announced where it happens, the round's moments
// spoken as sentences, and the keyboard focus always on what the player presses next.
// What the table shows does not change for any of it.
#pragma once

#include "TableView.h"

#include "GUIElement.h"
#include "Image.h"

#include <string>

namespace DoDadu {

class FormMain;

class TableNarrator {
public:
    explicit TableNarrator(FormMain& table);

    // Once the layout is made: the names of what never changes, and of the cells as they are.
    void DescribeTable();

    // What the round changed, told after the change.
    void CellChanged(TableCell cell, const std::string& text);
    void CardShown(const NeloUtility::Image& place, int picture, bool wasShown);
    void CardHidden(const NeloUtility::Image& place, bool wasShown);
    void ControlEnabled(const NeloUtility::GUIElement& control, bool wasEnabled);
    void CaptionChanged(TableControl control, const std::string& caption);
    void Speak(const std::string& sentence) const;

    // The focus. Remembered before the table is disabled or left, given back when the
    // table gets it again, and moved on after every action when its control went away.
    void RememberFocus();
    void TableFocused();
    void KeepFocus();
    // After a question of the program was answered: the table is the active window again
    // unless the player went elsewhere, and the control the player left has the focus.
    void ReturnToTable();

private:
    NeloUtility::GUIElement* Cell(TableCell cell) const;
    NeloUtility::GUIElement* NextControl() const;

    FormMain& form;
    HWND rememberedFocus = nullptr;
};

}  // namespace DoDadu
