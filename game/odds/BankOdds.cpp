#include "BankOdds.h"

#include <algorithm>
#include <unordered_map>

namespace DoDadu {
namespace Odds {
namespace {

constexpr int kBankCaps[kKindCount] = {4, 3, 2, 1, 1, 1, 1, 12, 1};

KindCounts Minus(KindCounts from, const KindCounts& taken) {
    for (int k = 0; k < kKindCount; ++k) from[k] -= taken[k];
    return from;
}

bool IsBust(const KindCounts& hand) { return HandValue(hand) > kBest; }

// The cards still in the deck: those the bank cannot see, less the covered ones.
int DeckLeft(const BankTable& table, const KindCounts& bank) {
    return CardTotal(Minus(table.cards, bank)) - static_cast<int>(table.seats.size());
}

}  // namespace

int BankHandSlot(const KindCounts& hand) {
    int slot = 0;
    for (int k = 0; k < kKindCount; ++k) {
        if (hand[k] > kBankCaps[k]) return -1;
        slot = slot * (kBankCaps[k] + 1) + hand[k];
    }
    return slot;
}

KindWeights CoveredCanBe(const std::vector<int>& faceUpKinds, const KindCounts& unseen) {
    KindWeights canBe{};
    for (int c = 0; c < kKindCount; ++c) {
        if (unseen[c] <= 0) continue;
        KindCounts hand{};
        hand[c] = 1;
        bool fits = true;
        for (int kind : faceUpKinds) {
            fits = fits && HandValue(hand) < kBest;
            ++hand[kind];
        }
        canBe[c] = fits && !IsBust(hand) ? 1.0 : 0.0;
    }
    return canBe;
}

SeatOutcome OutcomeOf(const StandingHand& seat, int covered) {
    KindCounts hand = seat.faceUp;
    ++hand[covered];
    return {HandValue(hand), seat.faceUpCards + 1};
}

// ---- the weighed model -------------------------------------------------------------

BankOdds::BankOdds() : memo(kBankHandSlots), drawMemo(kBankHandSlots), stamps(kBankHandSlots, 0) {}

void BankOdds::Reset(const BankTable& to) {
    table = to;
    outcomes.resize(table.seats.size());
    first.resize(table.seats.size());
    chances.resize(table.seats.size());
    for (std::size_t s = 0; s < table.seats.size(); ++s)
        for (int c = 0; c < kKindCount; ++c) outcomes[s][c] = OutcomeOf(table.seats[s], c);
    ++stamp;
}

// Each seat's covered card, kind by kind, at this bank hand: weighed first over the
// cards the bank has not seen nor drawn, then once more over what the other seats'
// covered cards leave of them on average.
void BankOdds::Spread(const KindCounts& unseen) {
    const std::size_t seats = table.seats.size();
    KindWeights all{};
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t s = 0; s < seats; ++s) {
            KindWeights& chance = pass == 0 ? first[s] : chances[s];
            double weight = 0.0;
            for (int c = 0; c < kKindCount; ++c) {
                const double left = pass == 0 ? unseen[c] : std::max(unseen[c] - all[c] + first[s][c], 0.0);
                chance[c] = table.seats[s].canBe[c] * left;
                weight += chance[c];
            }
            for (double& w : chance) w = weight > 0.0 ? w / weight : 0.0;
        }
        if (pass == 0) {
            for (std::size_t s = 0; s < seats; ++s)
                for (int c = 0; c < kKindCount; ++c) all[c] += first[s][c];
        }
    }
}

// Standing, and busting, with the covered cards as Spread last weighed them.
double BankOdds::StandNow(int value, int cards) const {
    double gain = 0.0;
    for (std::size_t s = 0; s < table.seats.size(); ++s) {
        double sum = 0.0;
        for (int c = 0; c < kKindCount; ++c) {
            const SeatOutcome& seat = outcomes[s][c];
            if (chances[s][c] > 0.0)
                sum -= chances[s][c] * table.rules.Settlement(seat.value, seat.cards, value, cards);
        }
        gain += table.seats[s].stake * sum;
    }
    return gain;
}

// A bust bank pays every standing seat.
double BankOdds::BustNow() const {
    double loss = 0.0;
    for (std::size_t s = 0; s < table.seats.size(); ++s) {
        double sum = 0.0;
        for (int c = 0; c < kKindCount; ++c)
            sum += chances[s][c] * table.rules.WinPays(outcomes[s][c].value, outcomes[s][c].cards);
        loss += table.seats[s].stake * sum;
    }
    return -loss;
}

// With the covered cards weighed at this hand: the next card is one of the unseen cards,
// less the covered ones as they lie on average. A card that busts the bank is paid out
// with the covered cards weighed as before it (one card fewer to weigh them over changes
// little, and saves weighing them again).
double BankOdds::DrawValue(CountedHand& bank, const KindCounts& unseen) {
    KindWeights deck{};
    double total = 0.0;
    for (int k = 0; k < kKindCount; ++k) {
        deck[k] = unseen[k];
        for (const KindWeights& chance : chances) deck[k] -= chance[k];
        deck[k] = std::max(deck[k], 0.0);
        total += deck[k];
    }
    const double bust = BustNow();
    double value = 0.0;
    for (int k = 0; k < kKindCount; ++k) {
        if (deck[k] <= 0.0) continue;
        if (bank.ValueWith(k) > kBest) {
            value += deck[k] * bust;
            continue;
        }
        bank.Add(k);
        value += deck[k] * Value(bank);
        bank.Remove(k);
    }
    return total > 0.0 ? value / total : bust;
}

double BankOdds::Value(CountedHand& bank) {
    const int value = bank.Value();
    const KindCounts unseen = Minus(table.cards, bank.cards);
    const bool canDraw = value < kBest && CardTotal(unseen) > static_cast<int>(table.seats.size());
    const int slot = canDraw ? BankHandSlot(bank.cards) : -1;
    if (slot >= 0 && stamps[slot] == stamp) return memo[slot];
    Spread(unseen);
    const double stand = StandNow(value, bank.size);
    if (!canDraw) return stand;
    const double draw = DrawValue(bank, unseen);
    if (slot >= 0) {
        stamps[slot] = stamp;
        memo[slot] = std::max(stand, draw);
        drawMemo[slot] = draw > stand ? 2 : 1;
    }
    return std::max(stand, draw);
}

BankChoice BankOdds::Choose(const KindCounts& bank) {
    BankChoice choice;
    CountedHand hand = Counted(bank);
    const int value = hand.Value();
    const KindCounts unseen = Minus(table.cards, bank);
    Spread(unseen);
    choice.stand = StandNow(value, CardTotal(bank));
    choice.canDraw = value < kBest && DeckLeft(table, bank) > 0;
    if (choice.canDraw) choice.draw = DrawValue(hand, unseen);
    return choice;
}

bool BankOdds::Draws(const KindCounts& bank) {
    const int slot = BankHandSlot(bank);
    if (slot < 0 || HandValue(bank) >= kBest) return false;
    CountedHand hand = Counted(bank);
    if (stamps[slot] != stamp) Value(hand);
    return stamps[slot] == stamp ? drawMemo[slot] == 2 : Choose(bank).Draws();
}

// ---- the exhaustive model ------------------------------------------------------------

namespace {

// One way the covered cards can lie: a kind per seat, and its chance so far (not
// normalised): the chance of the deal times that of the bank's cards given it.
struct Lie {
    std::vector<int> covered;
    double weight = 0.0;
};

class ExactBank {
public:
    ExactBank(const BankTable& table, const KindCounts& bank) : table(table) {
        Lie lie;
        lie.weight = 1.0;
        Spread(lie, Minus(table.cards, bank));
    }

    BankChoice Choose(const KindCounts& bank) {
        BankChoice choice;
        double total = 0.0;
        for (const Lie& lie : lies) total += lie.weight;
        if (total <= 0.0) return choice;
        choice.stand = Stand(bank, lies) / total;
        choice.canDraw = HandValue(bank) < kBest && DeckLeft(table, bank) > 0;
        if (choice.canDraw) {
            KindCounts hand = bank;
            choice.draw = Draw(hand, lies) / total;
        }
        return choice;
    }

private:
    void Spread(Lie& lie, const KindCounts& unseen) {
        const std::size_t seat = lie.covered.size();
        if (seat == table.seats.size()) {
            lies.push_back(lie);
            return;
        }
        const int total = CardTotal(unseen);
        for (int c = 0; c < kKindCount; ++c) {
            if (table.seats[seat].canBe[c] <= 0.0 || unseen[c] <= 0) continue;
            Lie next = lie;
            next.covered.push_back(c);
            next.weight *= static_cast<double>(unseen[c]) / total;
            KindCounts rest = unseen;
            --rest[c];
            Spread(next, rest);
        }
    }

    double Stand(const KindCounts& bank, const std::vector<Lie>& at) const {
        const int value = HandValue(bank);
        const int cards = CardTotal(bank);
        double gain = 0.0;
        for (const Lie& lie : at) {
            double sum = 0.0;
            for (std::size_t s = 0; s < table.seats.size(); ++s) {
                const SeatOutcome seat = OutcomeOf(table.seats[s], lie.covered[s]);
                sum -= table.seats[s].stake * table.rules.Settlement(seat.value, seat.cards, value, cards);
            }
            gain += lie.weight * sum;
        }
        return gain;
    }

    double Bust(const std::vector<Lie>& at) const {
        double loss = 0.0;
        for (const Lie& lie : at)
            for (std::size_t s = 0; s < table.seats.size(); ++s) {
                const SeatOutcome seat = OutcomeOf(table.seats[s], lie.covered[s]);
                loss += lie.weight * table.seats[s].stake * table.rules.WinPays(seat.value, seat.cards);
            }
        return -loss;
    }

    // The bank knows only its hand: one choice for every lie at once. The lies' weights
    // follow from the hand alone, whatever the order its cards came in.
    double Value(KindCounts& bank, const std::vector<Lie>& at) {
        const double stand = Stand(bank, at);
        if (HandValue(bank) >= kBest || DeckLeft(table, bank) <= 0) return stand;
        const int slot = BankHandSlot(bank);
        auto found = memo.find(slot);
        if (slot >= 0 && found != memo.end()) return found->second;
        const double value = std::max(stand, Draw(bank, at));
        if (slot >= 0) memo.emplace(slot, value);
        return value;
    }

    double Draw(KindCounts& bank, const std::vector<Lie>& at) {
        const KindCounts unseen = Minus(table.cards, bank);
        double value = 0.0;
        for (int k = 0; k < kKindCount; ++k) {
            std::vector<Lie> next;
            for (const Lie& lie : at) {
                KindCounts deck = unseen;
                for (int c : lie.covered) --deck[c];
                const int total = CardTotal(deck);
                if (deck[k] <= 0 || total <= 0) continue;
                next.push_back(lie);
                next.back().weight *= static_cast<double>(deck[k]) / total;
            }
            if (next.empty()) continue;
            ++bank[k];
            value += IsBust(bank) ? Bust(next) : Value(bank, next);
            --bank[k];
        }
        return value;
    }

    const BankTable& table;
    std::vector<Lie> lies;
    std::unordered_map<int, double> memo;
};

}  // namespace

BankChoice ExactBankChoice(const BankTable& table, const KindCounts& bank) {
    return ExactBank(table, bank).Choose(bank);
}

long long CoveredWays(const BankTable& table) {
    long long ways = 1;
    for (const StandingHand& seat : table.seats) {
        int kinds = 0;
        for (double w : seat.canBe) kinds += w > 0.0 ? 1 : 0;
        ways *= std::max(kinds, 1);
    }
    return ways;
}

}  // namespace Odds
}  // namespace DoDadu
