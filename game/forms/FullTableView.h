// What the evening shows, on the full table's elements: each seat in its place (the bank's
// at the top, the others round it in turn order), the cards face up where the people at
// the screen may see them, the message line, and every moment in words for a screen reader.
//
// A covered card is face up for everyone once the round has shown it to the whole table
// (FullTableRound::CoveredTo: a seat over 7.5 or at it, the bank's turned card, the
// settlement). Before that a person's covered card shows on the
// screen only when that person is alone at it, or has asked to see it in their turn
// while the others look away (Reveal); it turns face down again when the turn ends.
#pragma once

#include "FullTableLayout.h"
#include "FullTableNarrator.h"
#include "TableEvent.h"
#include "TableSession.h"

#include <string>
#include <vector>

namespace DoDadu {

class FullTableView : public TableListener {
public:
    FullTableView(FullTableLayout& layout, FullTableNarrator& narrator);

    // The evening shown from now on (null: none); its places arranged and shown at once.
    void Watch(const TableSession* watched);
    void OnTableEvent(const TableEvent& event) override;

    // The seat in turn, a person, sees its covered card; Conceal turns it face down again.
    void Reveal(int seat);
    void Conceal();
    int Revealed() const { return revealed; }
    // Persons sharing the screen at this evening.
    int Persons() const;
    // The person's covered card can be shown on the screen now.
    bool CoveredVisible(int seat) const;

    // Every seat's place as the evening stands now.
    void ShowSeats();
    void ShowMessage(const std::string& message, bool hint = false);
    void Speak(const std::string& sentence) const;

    // What the people at the screen see of a seat now.
    SeatShown Shown(int seat) const;

private:
    void ShowPlace(int place, const SeatShown& seat);
    void SetName(NeloUtility::GUIElement& element, std::string& known, const std::string& name);
    void SetText(NeloUtility::GUIElement& element, const std::string& text);
    void Track(const TableEvent& event);

    FullTableLayout& table;
    FullTableNarrator& narrator;
    const TableSession* evening = nullptr;
    int revealed = -1;
    bool dealt = false;
    TableMoment lastMoment = TableMoment::RoundEnds;  // a round was dealt since the evening was watched
    // The accessible names given, by place: name, chips, state, then the cards.
    std::vector<std::vector<std::string>> names;
};

}  // namespace DoDadu
