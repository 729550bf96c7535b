#include "ViewSight.h"

namespace DoDadu {

SeatSight SightOfView(const TableView& view) {
    SeatSight sight;
    sight.rules = view.rules;
    sight.self = view.you;
    sight.bank = view.bank;
    for (const SeatView& seat : view.seats) {
        SeenSeat seen;
        seen.cards = seat.cards;
        seen.stake = seat.stake;
        seen.status = seat.status;
        seen.chips = seat.chips;
        seen.kind = seat.kind;
        seen.style = seat.style;
        sight.seats.push_back(seen);
    }
    sight.dealt = view.dealt;
    sight.dealtBeforeRefill = view.dealtBeforeRefill;
    sight.seenBefore = view.seenBefore;
    sight.deckLeft = view.deckLeft;
    return sight;
}

}  // namespace DoDadu
