#include "Evening.h"

#include <algorithm>
#include <numeric>

namespace DoDadu {

Evening::Evening(const HouseRules& rules, std::vector<TableSeat> seats, int firstBank, CardRandom& random)
    : rules(rules),
      seats(std::move(seats)),
      deck(random),
      round(this->rules, this->seats, deck),
      bank(firstBank) {
    deck.Shuffle();
    startTotal = TotalChips();
}

std::string Evening::SeatingFault(const HouseRules& rules, const std::vector<TableSeat>& seats, int firstBank,
                                  const PlayerTable* players) {
    const int count = static_cast<int>(seats.size());
    if (count < kMinSeats || count > kMaxSeats) return "a table has 2 to 6 seats";
    if (firstBank < 0 || firstBank >= count) return "the bank must be one of the seats";
    if (!rules.Valid()) return "the stakes or the passing of the bank do not make sense";
    if (rules.classicTable &&
        (count != 2 || seats[static_cast<std::size_t>(firstBank)].kind != SeatKind::Computer))
        return "the classic table has two seats and a computer bank";
    for (const TableSeat& seat : seats) {
        if (seat.chips < 0) return "chips cannot be negative";
        if (players != nullptr && seat.kind == SeatKind::Computer && players->For(seat.style) == nullptr)
            return "no computer player for one of the styles";
    }
    return std::string();
}

void Evening::SetPlayers(const PlayerTable* table) {
    players = table;
    round.SetPlayers(table);
}

void Evening::SetListener(TableListener* to) {
    listener = to;
    round.SetListener(to);
}

bool Evening::CanPlay(int seat) const {
    return seats[static_cast<std::size_t>(seat)].chips >= rules.minStake;
}

bool Evening::Over() const {
    int playing = 0;
    for (int seat = 0; seat < static_cast<int>(seats.size()); ++seat) playing += CanPlay(seat) ? 1 : 0;
    return playing < 2 || !CanPlay(bank);
}

std::int64_t Evening::TotalChips() const {
    return std::accumulate(seats.begin(), seats.end(), std::int64_t{0},
                           [](std::int64_t sum, const TableSeat& seat) { return sum + seat.chips; });
}

// ---- the round -------------------------------------------------------------------

bool Evening::StartRound() {
    if (round.InPlay() || Over()) return false;
    // The classic table's new deck, as its round starts one.
    if (rules.classicTable && (deck.Left() < 2 || wildSeen)) deck.Shuffle();
    round.Deal(bank);
    return AfterStep(true);
}

bool Evening::SetStake(int stake) { return !round.ComputerToAct() && round.SetStake(stake); }
bool Evening::GetCard() { return !round.ComputerToAct() && AfterStep(round.GetCard()); }
bool Evening::Stand() { return !round.ComputerToAct() && AfterStep(round.Stand()); }
bool Evening::ComputerStep() { return AfterStep(round.ComputerStep()); }

bool Evening::PlayRound() {
    if (!StartRound()) return false;
    while (round.InPlay()) {
        if (!ComputerStep()) return false;
    }
    return true;
}

// A step that ends the round finishes it here, once.
bool Evening::AfterStep(bool stepped) {
    if (stepped && !round.InPlay()) FinishRound();
    return stepped;
}

void Evening::FinishRound() {
    ++rounds;
    ++bankRounds;
    ++seats[static_cast<std::size_t>(bank)].roundsAsBank;
    wildSeen = round.WildCardDealt();
    const PassReason reason = WhyBankPasses();
    if (reason != PassReason::None) {
        const int next = reason == PassReason::TwoCardBest ? NextPlayingSeat(round.TwoCardSeat(), true)
                                                           : NextPlayingSeat(bank, false);
        if (next >= 0 && next != bank) {
            bank = next;
            bankRounds = 0;
            Tell(TableMoment::BankPasses, bank, reason);
        }
    }
    Tell(TableMoment::RoundEnds, bank);
    if (Over()) Tell(TableMoment::EveningEnds, -1);
    if (saveTo != nullptr) Save(*saveTo);
}

PassReason Evening::WhyBankPasses() const {
    if (rules.classicTable) return PassReason::None;
    if (rules.twoCardTakesBank && round.TwoCardSeat() >= 0) return PassReason::TwoCardBest;
    if (round.BankShort()) return PassReason::BankShort;
    if (!CanPlay(bank)) return PassReason::BankOut;
    if (rules.passing == BankPassing::DeckUsedUp && round.DeckUsedUp()) return PassReason::DeckUsedUp;
    if (rules.passing == BankPassing::EveryRounds && bankRounds >= rules.passEvery)
        return PassReason::EveryRounds;
    return PassReason::None;
}

// The first seat from `from` (or after it) in turn order that can play; -1 when none.
int Evening::NextPlayingSeat(int from, bool inclusive) const {
    const int count = static_cast<int>(seats.size());
    for (int step = inclusive ? 0 : 1; step <= count; ++step) {
        const int seat = (from + step) % count;
        if (CanPlay(seat)) return seat;
    }
    return -1;
}

StoredEvening Evening::Stored() const {
    StoredEvening stored;
    stored.rules = rules;
    stored.seats = seats;
    stored.bank = bank;
    stored.rounds = rounds;
    stored.bankRounds = bankRounds;
    stored.wildSeen = wildSeen;
    stored.startTotal = startTotal;
    stored.deckOrder = deck.Order();
    stored.deckPosition = deck.Position();
    return stored;
}

bool Evening::Restore(const StoredEvening& s) {
    if (round.InPlay() || !SeatingFault(s.rules, s.seats, s.bank, nullptr).empty()) return false;
    std::int64_t total = 0;
    int playing = 0;
    for (const TableSeat& seat : s.seats) {
        total += seat.chips;
        playing += seat.chips >= s.rules.minStake ? 1 : 0;
    }
    const bool bankOut = s.seats[static_cast<std::size_t>(s.bank)].chips < s.rules.minStake;
    // The chips only ever move between seats; a bank left out is passed on at once.
    if (total != s.startTotal || (bankOut && playing >= 2)) return false;
    if (!deck.Restore(s.deckOrder, s.deckPosition)) return false;
    rules = s.rules;
    seats = s.seats;
    round.Clear();
    bank = s.bank;
    rounds = s.rounds;
    bankRounds = s.bankRounds;
    wildSeen = s.wildSeen;
    startTotal = s.startTotal;
    return true;
}

void Evening::Tell(TableMoment moment, int seat, PassReason reason) {
    if (listener == nullptr) return;
    TableEvent event;
    event.moment = moment;
    event.seat = seat;
    event.reason = reason;
    listener->OnTableEvent(event);
}

}  // namespace DoDadu
