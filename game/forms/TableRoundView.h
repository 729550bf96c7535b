// What the round shows, on the classic table's real elements: texts in the cells, cards in
// the places, the buttons' states and captions, the stake on the slider, the sounds, and
// every change in words for a screen reader.
#pragma once

#include "TableLayout.h"
#include "TableNarrator.h"
#include "TableView.h"

#include <string>

namespace DoDadu {

class TableRoundView : public TableView {
public:
    TableRoundView(TableLayout& layout, TableNarrator& narrator);

    void SetCellText(TableCell cell, const std::string& cellText) override;
    void ShowCard(CardRow row, int index, int picture) override;
    void HideCard(CardRow row, int index) override;
    void MoveCard(CardRow row, int index, int cardX, int cardY) override;
    void SetEnabled(TableControl control, bool enable) override;
    bool IsEnabled(TableControl control) const override;
    void SetCaption(TableControl control, const std::string& caption) override;
    std::string Caption(TableControl control) const override;
    void SetStakePosition(int position) override;
    int StakePosition() override;
    void PlayWave(int resourceId) override;
    void ShowHint(const std::string& hint) override;
    bool WantsSentences() const override;
    void Announce(const std::string& sentence) override;

private:
    TableLayout& table;
    TableNarrator& narrator;
};

}  // namespace DoDadu
