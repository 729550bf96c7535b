#pragma once
// The bank's side of the full table: what standing or drawing is worth to the bank
// against every seat that stands, each seat's covered card weighed over the cards it
// can be. Values are in chips (the seats' stakes summed), the bank's gain positive.
#include "HouseRules.h"
#include "OddsCards.h"

#include <array>
#include <cstdint>
#include <vector>

namespace DoDadu {
namespace Odds {

using KindWeights = std::array<double, kKindCount>;

// A seat standing against the bank, as the bank sees it.
struct StandingHand {
    KindCounts faceUp{};
    int faceUpCards = 0;
    // 1 for each kind its covered card can be, 0 for a kind that would have made the
    // hand bust, or reach 7.5 before its last card (it would have stood there).
    KindWeights canBe{};
    double stake = 0.0;
};

// Everything the bank's choice depends on.
struct BankTable {
    // The bank's hand and every card it cannot see: the deck and the covered cards of
    // the seats. What the bank draws comes from these less its hand.
    KindCounts cards{};
    std::vector<StandingHand> seats;
    HouseRules rules;  // what each result pays (HouseRules::Settlement)
};

struct BankChoice {
    double stand = 0.0;
    double draw = 0.0;  // meaningful only when canDraw
    bool canDraw = false;
    bool Draws() const { return canDraw && draw > stand; }
};

// Which kinds the covered card of a hand can be, from its face-up cards in dealing
// order: the hand is not bust, and it was below 7.5 before each face-up card came.
KindWeights CoveredCanBe(const std::vector<int>& faceUpKinds, const KindCounts& unseen);

// A standing seat's hand, its covered card of this kind: its value and its cards.
struct SeatOutcome {
    int value = 0;
    int cards = 0;
};
SeatOutcome OutcomeOf(const StandingHand& seat, int covered);

// The bank playing as well as it can against the standing seats. The covered cards
// are weighed one seat at a time over the cards the bank cannot see less what it has
// drawn, then over what the other covered cards leave of those on average; the bank's
// next card is any unseen one less the covered cards as they lie on average. The
// seats' covered cards are thus never dealt together, one lie at a time:
// ExactBankChoice below does that, and measures what the shortcut costs.
class BankOdds {
public:
    BankOdds();
    void Reset(const BankTable& table);
    BankChoice Choose(const KindCounts& bank);
    // The best choice at this hand, remembered until the next Reset.
    bool Draws(const KindCounts& bank);

private:
    void Spread(const KindCounts& unseen);
    double StandNow(int value, int cards) const;
    double BustNow() const;
    double Value(CountedHand& bank);
    double DrawValue(CountedHand& bank, const KindCounts& unseen);

    BankTable table;
    std::vector<std::array<SeatOutcome, kKindCount>> outcomes;  // by seat and covered kind
    std::vector<KindWeights> first, chances;                    // by seat, see Spread
    std::vector<double> memo;
    std::vector<std::uint8_t> drawMemo;  // 0 not known, 1 stands, 2 draws
    std::vector<std::uint32_t> stamps;
    std::uint32_t stamp = 0;
};

// The same choice worked out exhaustively: every way the covered cards can lie
// together, taken from the unseen cards one after another, and the bank deciding each
// card on what it knows then. For tests and small tables: the work grows with the
// product of the seats' possible kinds.
BankChoice ExactBankChoice(const BankTable& table, const KindCounts& bank);
// How many ways the covered cards can lie together (kinds, not cards).
long long CoveredWays(const BankTable& table);

// A slot for every hand below 7.5 with room for every figure; -1 for any other hand.
int BankHandSlot(const KindCounts& hand);
constexpr int kBankHandSlots = 5 * 4 * 3 * 2 * 2 * 2 * 2 * 13 * 2;

}  // namespace Odds
}  // namespace DoDadu
