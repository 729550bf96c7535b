// The table in words, for a player who listens: every element named for a screen reader
// and the round's moments spoken as sentences. The elements themselves tell a screen reader
// when they change; what the table shows does not change for any of it.
#pragma once

#include "GameTexts.h"
#include "ClassicTableView.h"

#include "GUIElement.h"
#include "Image.h"

#include <string>

namespace DoDadu {

class ClassicTableLayout;

class ClassicTableNarrator {
public:
    ClassicTableNarrator(const ClassicTableLayout& table, const TextSource& texts);

    // Once the layout is made: the names of what never changes, and of the cells as they are.
    void DescribeTable();

    // The names that follow what the round shows.
    void CellChanged(TableCell cell, const std::string& text);
    void CardShown(const NeloUtility::Image& place, int picture);
    void CaptionChanged(TableControl control, const std::string& caption);
    void Speak(const std::string& sentence) const;

private:
    std::string CellName(TableCell cell, const std::string& text) const;

    const ClassicTableLayout& table;
    const TextSource& texts;
};

}  // namespace DoDadu
