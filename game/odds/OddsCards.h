#pragma once
// The cards as the odds see them: only what a card is worth matters, so the 40
// ids fall into nine kinds, and every value is counted in half points so that sums
// and comparisons stay whole numbers.
#include "HandRules.h"

#include <array>
#include <cstdint>
#include <string>

namespace DoDadu {
namespace Odds {

enum Kind : int { Ace, Two, Three, Four, Five, Six, Seven, Figure, Wild, kKindCount };

// Each kind's plain worth, from a card of the kind: the ace to the seven of coins, a
// knave, the wild card.
constexpr int kHalfPoints[kKindCount] = {CardHalfPoints(1), CardHalfPoints(2), CardHalfPoints(3),
                                         CardHalfPoints(4), CardHalfPoints(5), CardHalfPoints(6),
                                         CardHalfPoints(7), CardHalfPoints(8), CardHalfPoints(kWildCard)};
constexpr int kBest = kBestHalfPoints;
constexpr int kNoCard = -1;  // no kind, for a dealer's card the player does not know

using KindCounts = std::array<int, kKindCount>;

Kind KindOf(int cardId);
// A card's kind under the house rules: with the wild card off the king of coins is a
// figure like any other.
inline int KindUnder(int cardId, bool wildCard) {
    return !wildCard && cardId == kWildCard ? Figure : KindOf(cardId);
}
// "A", "2" .. "7", "F" (a knave, knight or king other than the wild card), "W".
const char* KindName(int kind);
// Half points as the game prints them: 7.5, 3, 0.5.
std::string PointsText(int halfPoints);

KindCounts FullDeckCounts();
inline int CardTotal(const KindCounts& counts) {
    int total = 0;
    for (int n : counts) total += n;
    return total;
}
inline int PlainSum(const KindCounts& counts) {
    int sum = 0;
    for (int k = 0; k < kKindCount; ++k) sum += counts[k] * kHalfPoints[k];
    return sum;
}
// The value of a hand in half points, by the hand rules (the wild card filling it where
// it can).
inline int HandValue(const KindCounts& hand) {
    return HandHalfPoints(PlainSum(hand), CardTotal(hand), hand[Wild] > 0);
}

// A hand that keeps its plain sum and size as cards come and go, so that its value
// costs no counting: for the solvers' innermost loops.
struct CountedHand {
    KindCounts cards{};
    int sum = 0;
    int size = 0;
    int Value() const { return HandHalfPoints(sum, size, cards[Wild] > 0); }
    // The value with one more card of this kind, the hand unchanged.
    int ValueWith(int kind) const {
        return HandHalfPoints(sum + kHalfPoints[kind], size + 1, cards[Wild] > 0 || kind == Wild);
    }
    void Add(int kind) {
        ++cards[kind];
        sum += kHalfPoints[kind];
        ++size;
    }
    void Remove(int kind) {
        --cards[kind];
        sum -= kHalfPoints[kind];
        --size;
    }
};
inline CountedHand Counted(const KindCounts& cards) {
    return CountedHand{cards, PlainSum(cards), CardTotal(cards)};
}

// What the player holds: the cards, and which kind lies covered (dealt first).
struct PlayerHand {
    KindCounts cards{};
    int covered = Ace;
};

PlayerHand FirstCard(int kind);
PlayerHand WithCard(const PlayerHand& hand, int kind);
// The player's hand as the dealer sees it, and whether the wild card lies face up.
int ShownValue(const PlayerHand& hand);
bool ShowsWildCard(const PlayerHand& hand);

// The dealer's stopping rule on its value D, the player's shown value T and the
// face-up wild flag W, all values in half points.
bool DealerStops(int dealer, int shown, bool wildShown);

}  // namespace Odds
}  // namespace DoDadu
