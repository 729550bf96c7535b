#pragma once
// The cards as the odds see them: only what a card is worth matters, so the 40
// ids fall into nine kinds, and every value is counted in half points so that sums
// and comparisons stay whole numbers.
#include <array>
#include <cstdint>
#include <string>

namespace DoDadu {
namespace Odds {

enum Kind : int { Ace, Two, Three, Four, Five, Six, Seven, Figure, Wild, kKindCount };

constexpr int kHalfPoints[kKindCount] = {2, 4, 6, 8, 10, 12, 14, 1, 1};
constexpr int kBest = 15;    // 7.5 in half points
constexpr int kNoCard = -1;  // no kind, for a dealer's card the player does not know

using KindCounts = std::array<int, kKindCount>;

Kind KindOf(int cardId);
// "A", "2" .. "7", "F" (a knave, knight or king other than the wild card), "W".
const char* KindName(int kind);
// Half points as the game prints them: 7.5, 3, 0.5.
std::string PointsText(int halfPoints);

KindCounts FullDeckCounts();
int CardTotal(const KindCounts& counts);
int PlainSum(const KindCounts& counts);
// The value of a hand in half points, the wild card filling it where it can.
int HandValue(const KindCounts& hand);

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
