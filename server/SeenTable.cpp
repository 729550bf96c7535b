#include "SeenTable.h"

#include "HandRules.h"

#include <algorithm>

namespace DoDadu {

namespace {

bool WholeHand(const std::vector<int>& cards) {
    return !cards.empty() && std::find(cards.begin(), cards.end(), 0) == cards.end();
}

bool TellsPoints(TableMoment moment) {
    switch (moment) {
        case TableMoment::CardDealt:
        case TableMoment::TurnStarts:
        case TableMoment::SeatStands:
        case TableMoment::SeatShowsBest:
        case TableMoment::SeatBusts:
        case TableMoment::BankTurnsCard:
        case TableMoment::BankStands:
        case TableMoment::BankBusts:
        case TableMoment::SeatWins:
        case TableMoment::SeatLoses: return true;
        default: return false;
    }
}

}  // namespace

SeenEvent SeenMoment(const TableEvent& event, const RoundSight& sight) {
    SeenEvent seen;
    seen.moment = event.moment;
    seen.seat = event.seat;
    seen.covered = event.covered;
    seen.amount = event.amount;
    seen.reason = event.reason;
    if (event.seat < 0 || event.seat >= static_cast<int>(sight.seats.size())) return seen;
    const std::vector<int>& cards = sight.seats[static_cast<std::size_t>(event.seat)].cards;
    if (event.card != 0 && std::find(cards.begin(), cards.end(), event.card) != cards.end())
        seen.card = event.card;
    if (TellsPoints(event.moment) && WholeHand(cards)) seen.points = event.points;
    return seen;
}

void FillRound(TableView& view, const Evening& evening) {
    const FullTableRound& round = evening.ThisRound();
    const SeatSight sight = round.SightOf(view.you);
    const std::size_t seats = std::min({view.seats.size(), sight.seats.size(), evening.Seats().size()});
    for (std::size_t i = 0; i < seats; ++i) {
        const SeenSeat& seen = sight.seats[i];
        SeatView& seat = view.seats[i];
        seat.chips = seen.chips;
        seat.asBank = evening.Seats()[i].roundsAsBank;
        seat.stake = seen.stake;
        seat.status = seen.status;
        seat.cards = seen.cards;
        if (WholeHand(seen.cards)) seat.points = HandPoints(seen.cards, evening.Rules().wildCard);
    }
    view.dealt = sight.dealt;
    view.dealtBeforeRefill = sight.dealtBeforeRefill;
    view.seenBefore = sight.seenBefore;
    view.deckLeft = sight.deckLeft;
    view.inPlay = evening.RoundInPlay();
    view.bank = evening.Bank();
    view.toAct = evening.ToAct();
    view.bankTurn = evening.BankTurn();
    view.rounds = evening.RoundsPlayed();
    view.total = evening.TotalChips();
    view.startTotal = evening.StartingTotal();
    const bool ownTurn = view.inPlay && view.toAct == view.you && !evening.ComputerToAct();
    view.mayDraw = ownTurn;
    view.mayStake = ownTurn && !view.bankTurn && !round.Seat(view.you).stakeFixed;
    if (view.mayStake) {
        const HouseRules& rules = evening.Rules();
        const std::int64_t chips = view.seats[static_cast<std::size_t>(view.you)].chips;
        // the top follows what the bank can still cover where the rules say so
        view.stakes = {rules.minStake, rules.StakeWithin(rules.maxStake, chips, round.StakeTop(view.you)),
                       rules.stakeStep};
    }
}

}  // namespace DoDadu
