#pragma once
// What a hand is worth, for the round on the table and for the odds alike. Values are
// counted in half points, so that sums and comparisons stay whole numbers: an ace is 2,
// a seven 14, every figure 1, and 7.5 is 15. A hand is told by its plain sum (every
// figure, the wild card too, at half a point), how many cards it holds and whether the
// wild card is among them; that is all its value depends on.
#include "Cards.h"

#include <vector>

namespace DoDadu {

constexpr int kBestHalfPoints = 15;  // 7.5

// A card's plain worth in half points: the ace and the number cards twice their rank,
// every figure (the wild card included) one.
constexpr int CardHalfPoints(int id) {
    const int rank = id % 10 == 0 ? 10 : id % 10;
    return rank >= 8 ? 1 : 2 * rank;
}

// The wild card fills a hand of two or more cards that is still short of 7.5: to 7.5
// when the others leave a whole number (an even number of half points), else only to 7.
// With the wild card off (a house rule) it is a figure like any other.
constexpr bool WildCardFills(int plainSum, int cards, bool holdsWild, bool wildCardOn = true) {
    return wildCardOn && holdsWild && cards >= 2 && plainSum < kBestHalfPoints;
}

constexpr int HandHalfPoints(int plainSum, int cards, bool holdsWild, bool wildCardOn = true) {
    if (!WildCardFills(plainSum, cards, holdsWild, wildCardOn)) return plainSum;
    return plainSum % 2 == 0 ? kBestHalfPoints : kBestHalfPoints - 1;
}

// The hand as the others at the table see it, its covered card (dealt first) unknown:
// coveredHalfPoints is that card's plain worth, coveredWild whether it is the wild card.
// A hand of 7.5 or more is turned up and shows its value; a 7 made by a face-up wild card shows the 7; a
// covered wild card tells nothing, and the hand shows only its face-up cards.
constexpr int ShownHalfPoints(int plainSum, int cards, bool holdsWild, int coveredHalfPoints,
                              bool coveredWild, bool wildCardOn = true) {
    if (WildCardFills(plainSum, cards, holdsWild, wildCardOn)) {
        if (HandHalfPoints(plainSum, cards, holdsWild, wildCardOn) == kBestHalfPoints) return kBestHalfPoints;
        return coveredWild ? plainSum - coveredHalfPoints : kBestHalfPoints - 1;
    }
    if (plainSum >= kBestHalfPoints) return plainSum;
    return cards == 0 ? 0 : plainSum - coveredHalfPoints;
}

// The classic dealer's stopping rule, on its own value, the other hand's shown value and
// whether the wild card lies face up in it. The dealer never stops below what it can
// see, and stops level with it only at 7.5 or at a 7 made by the visible wild card.
constexpr bool ClassicDealerStops(int dealer, int shown, bool wildShown) {
    return (shown == 0 && dealer >= 12) || (shown != 0 && shown < dealer && dealer >= 10) ||
           (shown == kBestHalfPoints && dealer == kBestHalfPoints) ||
           (shown == kBestHalfPoints - 1 && wildShown && dealer == kBestHalfPoints - 1);
}

// What the rules above need to know of a hand as dealt: its plain sum in half points,
// how many cards it holds, whether the wild card is among them.
struct HandFacts {
    int sum = 0;
    int cards = 0;
    bool wild = false;
};
HandFacts FactsOf(const std::vector<int>& hand);

// The points of a hand: its value with the wild card when that is on, the plain sum
// (every figure half a point) when it is off.
double HandPoints(const std::vector<int>& hand, bool wildCard = true);
// Exactly two cards worth 7.5.
bool IsTwoCardBest(const std::vector<int>& hand, bool wildCard = true);

// The classic dealer's stopping rule on the dealer's hand against the player's, both as
// dealt ([0] the covered card), the player's as the dealer sees it.
bool ClassicDealerStopsAgainst(const std::vector<int>& dealer, const std::vector<int>& player);

}  // namespace DoDadu
