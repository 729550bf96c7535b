#include "FullTableRound.h"
#include "Cards.h"
#include "HandRules.h"

#include <algorithm>

namespace DoDadu {

FullTableRound::FullTableRound(const HouseRules& rules, std::vector<TableSeat>& seats, TableDeck& deck)
    : rules(rules), seats(seats), deck(deck) {
    Clear();
}

void FullTableRound::Clear() {
    play.assign(seats.size(), RoundSeat());
    dealt.clear();
    goneAtStart.clear();
    dealtBeforeRefill = -1;
    turn = -1;
    inPlay = bankTurn = bankCardShown = usedUp = bankShort = false;
}

double FullTableRound::Points(int seat) const { return HandPoints(Seat(seat).hand, rules.wildCard); }

int FullTableRound::ToAct() const { return inPlay ? (bankTurn ? bank : turn) : -1; }

// ---- the deal and the turns ------------------------------------------------------

void FullTableRound::Deal(int bankSeat) {
    Clear();
    bank = bankSeat;
    goneAtStart = deck.Gone();
    deck.ClearRefilled();
    inPlay = true;
    Tell(TableMoment::RoundStarts, bank);
    // The bank's card comes first, as at the classic table.
    At(bank).status = SeatStatus::Waiting;
    DealTo(bank, true);
    for (int seat = NextSeat(bank); seat != bank; seat = NextSeat(seat)) {
        if (Chips(seat).chips < rules.minStake) {
            Tell(TableMoment::SitsOut, seat);
            continue;
        }
        At(seat).status = SeatStatus::Waiting;
        DealTo(seat, true);
    }
    turn = bank;
    CloseTurn();
}

void FullTableRound::DealTo(int seat, bool covered) {
    const int card = deck.Deal(CardsOnTable());
    if (deck.Refilled() && !usedUp) {
        usedUp = true;
        dealtBeforeRefill = static_cast<int>(dealt.size());
        Tell(TableMoment::DeckShuffled, -1);
    }
    At(seat).hand.push_back(card);
    dealt.push_back({seat, card, covered});
    TableEvent event;
    event.moment = TableMoment::CardDealt;
    event.seat = seat;
    event.card = card;
    event.covered = covered;
    event.points = Points(seat);
    if (listener != nullptr) listener->OnTableEvent(event);
}

// The bank's hand first, then every seat's in turn order, each as dealt.
std::vector<int> FullTableRound::CardsOnTable() const {
    std::vector<int> cards;
    int seat = bank;
    do {
        const auto& hand = Seat(seat).hand;
        cards.insert(cards.end(), hand.begin(), hand.end());
        seat = NextSeat(seat);
    } while (seat != bank);
    return cards;
}

int FullTableRound::NextSeat(int after) const { return (after + 1) % static_cast<int>(seats.size()); }

// A seat whose stake the bank can no longer cover sits the rest of the round out.
bool FullTableRound::OpenTurn(int seat) {
    turn = seat;
    RoundSeat& now = At(seat);
    now.stake = rules.StakeWithin(rules.minStake, Chips(seat).chips, StakeTop(seat));
    if (now.stake == 0) {
        now.status = SeatStatus::SitsOut;
        Tell(TableMoment::BankCannotCover, seat);
        return false;
    }
    now.status = SeatStatus::Playing;
    Tell(TableMoment::TurnStarts, seat, Points(seat));
    Tell(TableMoment::StakeSet, seat, 0.0, now.stake);
    return true;
}

// The next seat in turn that holds a card, or the bank's turn after the last.
void FullTableRound::CloseTurn() {
    for (int seat = NextSeat(turn); seat != bank; seat = NextSeat(seat)) {
        if (Seat(seat).status == SeatStatus::Waiting && OpenTurn(seat)) return;
    }
    OpenBankTurn();
}

std::int64_t FullTableRound::CoverLeft(int seat) const {
    if (!rules.cover) return kMostStake;
    std::int64_t left = seats[static_cast<std::size_t>(bank)].chips;
    for (int before = NextSeat(bank); before != seat; before = NextSeat(before)) {
        if (Seat(before).status == SeatStatus::Standing)
            left -= static_cast<std::int64_t>(Seat(before).stake) * rules.MostWinPays();
    }
    return std::max<std::int64_t>(left, 0) / rules.MostWinPays();
}

std::int64_t FullTableRound::StakeTop(int seat) const {
    return std::min<std::int64_t>(
        {rules.maxStake, seats[static_cast<std::size_t>(seat)].chips, CoverLeft(seat)});
}

void FullTableRound::OpenBankTurn() {
    bankTurn = true;
    bankCardShown = true;
    At(bank).status = SeatStatus::Playing;
    Tell(TableMoment::TurnStarts, bank, Points(bank));
    Tell(TableMoment::BankTurnsCard, bank, Points(bank), 0, Seat(bank).hand.front());
    const bool anyStanding = std::any_of(
        play.begin(), play.end(), [](const RoundSeat& seat) { return seat.status == SeatStatus::Standing; });
    if (!anyStanding || Points(bank) >= kBestHand) Stand();
}

// ---- the actions -----------------------------------------------------------------

bool FullTableRound::SetStake(int stake) {
    if (!inPlay || bankTurn || Seat(turn).stakeFixed) return false;
    At(turn).stake = rules.StakeWithin(stake, Chips(turn).chips, StakeTop(turn));
    Tell(TableMoment::StakeSet, turn, 0.0, Seat(turn).stake);
    return true;
}

bool FullTableRound::GetCard() {
    if (!inPlay) return false;
    if (bankTurn)
        BankCard();
    else
        SeatCard(turn);
    return true;
}

void FullTableRound::SeatCard(int seat) {
    At(seat).stakeFixed = true;
    DealTo(seat, false);
    const double points = Points(seat);
    if (points > kBestHand) {
        At(seat).status = SeatStatus::Bust;
        MoveChips(seat, bank, Seat(seat).stake);
        Tell(TableMoment::SeatBusts, seat, points, Seat(seat).stake, Seat(seat).hand.front());
        CloseTurn();
    } else if (points == kBestHand) {
        // A 7.5 is shown at once, as a bust is; the classic table keeps it covered.
        At(seat).shown = !rules.classicTable;
        if (Seat(seat).shown) Tell(TableMoment::SeatShowsBest, seat, points, 0, Seat(seat).hand.front());
        Stand();
    }
}

void FullTableRound::BankCard() {
    DealTo(bank, false);
    const double points = Points(bank);
    if (points > kBestHand) {
        At(bank).status = SeatStatus::Bust;
        Tell(TableMoment::BankBusts, bank, points);
        Settle();
    } else if (points == kBestHand) {
        Stand();
    }
}

bool FullTableRound::Stand() {
    if (!inPlay) return false;
    const int seat = ToAct();
    At(seat).stakeFixed = true;
    At(seat).status = SeatStatus::Standing;
    Tell(bankTurn ? TableMoment::BankStands : TableMoment::SeatStands, seat, Points(seat));
    if (bankTurn)
        Settle();
    else
        CloseTurn();
    return true;
}

bool FullTableRound::ComputerToAct() const {
    const int seat = ToAct();
    if (seat < 0) return false;
    return (bankTurn && rules.classicTable) ||
           seats[static_cast<std::size_t>(seat)].kind == SeatKind::Computer;
}

bool FullTableRound::ComputerStep() {
    const int seat = ToAct();
    if (!ComputerToAct()) return false;
    if (bankTurn) return BankWantsCard() ? GetCard() : Stand();
    return SeatWantsCard(seat) ? GetCard() : Stand();
}

bool FullTableRound::SeatWantsCard(int seat) {
    ComputerPlayer* player = players != nullptr ? players->For(Chips(seat).style) : nullptr;
    if (player == nullptr) return false;  // a seat nobody plays stands
    if (!Seat(seat).stakeAsked) {
        At(seat).stakeAsked = true;
        SetStake(player->Stake(SightOf(seat)));
    }
    return player->Draws(SightOf(seat));
}

bool FullTableRound::BankWantsCard() {
    if (rules.classicTable) return ClassicDealerDraws();
    ComputerPlayer* player = players != nullptr ? players->For(Chips(bank).style) : nullptr;
    return player != nullptr && player->BankDraws(SightOfBank());
}

// The classic dealer against the standing seat (the classic table has one), as it sees
// it at the classic table.
bool FullTableRound::ClassicDealerDraws() const {
    std::vector<int> standing;
    for (const RoundSeat& seat : play) {
        if (seat.status == SeatStatus::Standing) standing = seat.hand;
    }
    return !ClassicDealerStopsAgainst(Seat(bank).hand, standing);
}

// ---- the settlement --------------------------------------------------------------

void FullTableRound::Settle() {
    inPlay = false;
    bankTurn = false;
    for (int seat = NextSeat(bank); seat != bank; seat = NextSeat(seat)) SettleLoser(seat);
    for (int seat = NextSeat(bank); seat != bank; seat = NextSeat(seat)) PayWinner(seat);
    for (std::size_t seat = 0; seat < play.size(); ++seat) {
        if (IsTwoCardBest(play[seat].hand, rules.wildCard)) ++seats[seat].twoCardBest;
    }
}

// Per point of its stake, what a standing seat wins from the bank (a loss below 0).
int FullTableRound::Result(int seat) const {
    const auto half = [this](int who) { return static_cast<int>(Points(who) * 2); };
    const auto cards = [this](int who) { return static_cast<int>(Seat(who).hand.size()); };
    return rules.Settlement(half(seat), cards(seat), half(bank), cards(bank));
}

// A loser pays what it owes, or all it has where the bank's royal 7.5 collects double.
void FullTableRound::SettleLoser(int seat) {
    if (Seat(seat).status != SeatStatus::Standing || Result(seat) > 0) return;
    const std::int64_t owed = static_cast<std::int64_t>(Seat(seat).stake) * -Result(seat);
    const std::int64_t paid = std::min(owed, Chips(seat).chips);
    MoveChips(seat, bank, paid);
    Tell(TableMoment::SeatLoses, seat, Points(seat), paid);
}

void FullTableRound::PayWinner(int seat) {
    if (Seat(seat).status != SeatStatus::Standing || Result(seat) < 0) return;
    const std::int64_t owed = static_cast<std::int64_t>(Seat(seat).stake) * Result(seat);
    const std::int64_t paid = std::min(owed, Chips(bank).chips);
    if (paid < owed && !bankShort) {
        bankShort = true;
        Tell(TableMoment::BankRunsShort, seat, Points(seat), owed - paid);
    }
    MoveChips(bank, seat, paid);
    Tell(TableMoment::SeatWins, seat, Points(seat), paid);
}

void FullTableRound::MoveChips(int from, int to, std::int64_t amount) {
    Chips(from).chips -= amount;
    Chips(to).chips += amount;
}

int FullTableRound::TwoCardSeat() const {
    for (int seat = NextSeat(bank); seat != bank; seat = NextSeat(seat)) {
        if (IsTwoCardBest(Seat(seat).hand, rules.wildCard)) return seat;
    }
    return -1;
}

bool FullTableRound::WildCardDealt() const {
    return std::any_of(play.begin(), play.end(), [](const RoundSeat& seat) {
        return std::find(seat.hand.begin(), seat.hand.end(), kWildCard) != seat.hand.end();
    });
}

// ---- what each one sees ----------------------------------------------------------

bool FullTableRound::CoveredTo(int seat, int looker) const {
    if (seat == looker || !inPlay) return false;
    if (seat == bank) return !bankCardShown;
    return Seat(seat).status != SeatStatus::Bust && !Seat(seat).shown;
}

void FullTableRound::FillSight(RoundSight& sight, int looker) const {
    sight.rules = rules;
    sight.self = looker;
    sight.bank = bank;
    sight.seats.resize(play.size());
    for (std::size_t i = 0; i < play.size(); ++i) {
        SeenSeat& seen = sight.seats[i];
        seen.cards = play[i].hand;
        if (!seen.cards.empty() && CoveredTo(static_cast<int>(i), looker)) seen.cards.front() = 0;
        seen.stake = play[i].stake;
        seen.status = play[i].status;
        seen.chips = seats[i].chips;
        seen.kind = seats[i].kind;
        seen.style = seats[i].style;
    }
    for (const Dealt& card : dealt) {
        const bool covered = card.first && CoveredTo(card.seat, looker);
        sight.dealt.push_back({card.seat, covered ? 0 : card.card});
    }
    sight.dealtBeforeRefill = dealtBeforeRefill;
    sight.seenBefore = goneAtStart;
    sight.deckLeft = deck.Left();
}

SeatSight FullTableRound::SightOf(int seat) const {
    SeatSight sight;
    FillSight(sight, seat);
    return sight;
}

BankSight FullTableRound::SightOfBank() const {
    BankSight sight;
    FillSight(sight, bank);
    return sight;
}

void FullTableRound::Tell(TableMoment moment, int seat, double points, std::int64_t amount, int card) {
    if (listener == nullptr) return;
    TableEvent event;
    event.moment = moment;
    event.seat = seat;
    event.points = points;
    event.amount = amount;
    event.card = card;
    listener->OnTableEvent(event);
}

}  // namespace DoDadu
