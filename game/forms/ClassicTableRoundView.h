// What the round shows, on the classic table's real elements: texts in the cells, cards in
// the places, the buttons' states and captions, the stake on the slider, the sounds, and
// every change in words for a screen reader.
#pragma once

#include "ClassicTableLayout.h"
#include "ClassicTableNarrator.h"
#include "ClassicTableView.h"

#include <string>

namespace DoDadu {

class ClassicTableRoundView : public ClassicTableView {
public:
    ClassicTableRoundView(ClassicTableLayout& layout, ClassicTableNarrator& narrator);

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
    ClassicTableLayout& table;
    ClassicTableNarrator& narrator;
};

}  // namespace DoDadu
