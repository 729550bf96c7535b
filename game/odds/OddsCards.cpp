#include "OddsCards.h"

#include "Cards.h"

#include <cstdio>

namespace DoDadu {
namespace Odds {

Kind KindOf(int cardId) {
    if (cardId == kWildCard) return Wild;
    int rank = CardRank(cardId);
    return rank >= 8 ? Figure : static_cast<Kind>(rank - 1);
}

const char* KindName(int kind) {
    static const char* const names[kKindCount] = {"A", "2", "3", "4", "5", "6", "7", "F", "W"};
    return kind >= 0 && kind < kKindCount ? names[kind] : "?";
}

std::string PointsText(int halfPoints) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", halfPoints / 2.0);
    return text;
}

KindCounts FullDeckCounts() {
    KindCounts counts{};
    for (int id = 1; id <= kCardCount; ++id) ++counts[KindOf(id)];
    return counts;
}

int CardTotal(const KindCounts& counts) {
    int total = 0;
    for (int n : counts) total += n;
    return total;
}

int PlainSum(const KindCounts& counts) {
    int sum = 0;
    for (int k = 0; k < kKindCount; ++k) sum += counts[k] * kHalfPoints[k];
    return sum;
}

namespace {

// The wild card lifts a hand of two or more cards that is still short of 7.5.
bool WildCardFills(const KindCounts& hand, int sum) {
    return hand[Wild] > 0 && CardTotal(hand) >= 2 && sum < kBest;
}

// A whole number of points is an even number of half points.
int FilledValue(int sum) { return sum % 2 == 0 ? kBest : kBest - 1; }

}  // namespace

int HandValue(const KindCounts& hand) {
    int sum = PlainSum(hand);
    return WildCardFills(hand, sum) ? FilledValue(sum) : sum;
}

PlayerHand FirstCard(int kind) {
    PlayerHand hand;
    hand.cards[kind] = 1;
    hand.covered = kind;
    return hand;
}

PlayerHand WithCard(const PlayerHand& hand, int kind) {
    PlayerHand more = hand;
    ++more.cards[kind];
    return more;
}

int ShownValue(const PlayerHand& hand) {
    int sum = PlainSum(hand.cards);
    if (WildCardFills(hand.cards, sum)) {
        if (FilledValue(sum) == kBest) return kBest;
        // Covered, the wild card tells the dealer nothing; face up it shows the 7.
        return hand.covered == Wild ? sum - kHalfPoints[Wild] : kBest - 1;
    }
    if (sum >= kBest) return sum;
    return sum - kHalfPoints[hand.covered];
}

bool ShowsWildCard(const PlayerHand& hand) { return hand.cards[Wild] > 0 && hand.covered != Wild; }

bool DealerStops(int dealer, int shown, bool wildShown) {
    return (shown == 0 && dealer >= 12) || (shown != 0 && shown < dealer && dealer >= 10) ||
           (shown == kBest && dealer == kBest) || (shown == kBest - 1 && wildShown && dealer == kBest - 1);
}

}  // namespace Odds
}  // namespace DoDadu
