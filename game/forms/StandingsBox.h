// The standings at the end of an evening at the full table: the seats by chips, most
// first, with the rounds each held the bank, and a new evening or Close. A box over its
// owner (FormBox), centred on it; Enter presses the focused button, Escape closes.
#pragma once

#include "GameTexts.h"
#include "TableSeat.h"

#include "Button.h"
#include "FormBox.h"
#include "Label.h"

#include <vector>

namespace DoDadu {

using NewEveningAsked = void (*)(NeloUtility::Form& owner);

// The seats' indices by chips, most first; seats with as many chips keep their turn order.
std::vector<int> StandingsOrder(const std::vector<TableSeat>& seats);

class StandingsBox : public NeloUtility::FormBox {
public:
    StandingsBox(NeloUtility::Form& owner, const TextSource& texts, const std::vector<TableSeat>& seats,
                 NewEveningAsked newEvening);
    ~StandingsBox();

    void Open();
    void ReleaseElements() override;
    NeloUtility::GUIElement* DefaultFocus() override;

    void BuildLayout();
    void OnButton(NeloUtility::GUIElement* button);
    bool OnBoxChar(int character);

    // The shown lines, top to bottom: each seat's name label (read as the name with its line).
    const std::vector<NeloUtility::Label*>& NameLabels() const { return nameLabels; }

    static constexpr int kClientWidth = 440;
    int ClientHeight() const;

private:
    NeloUtility::Label* AddLabel(const std::string& text, int left, int top, int labelWidth, bool right);
    NeloUtility::Button* AddButton(unsigned textId, int left, int top);

    const TextSource& texts;
    std::vector<TableSeat> seats;
    NewEveningAsked newEvening;
    std::vector<NeloUtility::Label*> labels;      // every label, for ReleaseElements
    std::vector<NeloUtility::Label*> nameLabels;  // one a seat, in standing order
    NeloUtility::Button* newEveningButton = nullptr;
    NeloUtility::Button* closeButton = nullptr;
};

// The seats by chips with the rounds each held the bank, and a "New evening" button that
// calls newEvening(owner) once the box is closed (none when newEvening is null); Close
// leaves it. The caller deletes the
// box (DeferDelete) once it is closed.
NeloUtility::FormBox* OpenStandings(NeloUtility::Form& owner, const TextSource& texts,
                                    const std::vector<TableSeat>& seats, NewEveningAsked newEvening);

}  // namespace DoDadu
