#pragma once
// What one seat may see of the table: every card and number here is read from the
// engine's sight of that seat (FullTableRound::SightOf), never worked out again.
#include "Evening.h"
#include "ServerMessages.h"

namespace DoDadu {

// A moment of the round as the seat whose sight this is may see it: its card only when
// that sight shows the card, the hand's points only when it shows the whole hand.
SeenEvent SeenMoment(const TableEvent& event, const RoundSight& sight);

// The round's part of the view (seats' chips, stakes, cards, the deck, the turn) as the
// view's seat sees it now.
void FillRound(TableView& view, const Evening& evening);

}  // namespace DoDadu
