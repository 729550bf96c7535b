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
    return ShownHalfPoints(PlainSum(hand.cards), CardTotal(hand.cards), hand.cards[Wild] > 0,
                           kHalfPoints[hand.covered], hand.covered == Wild);
}

bool ShowsWildCard(const PlayerHand& hand) { return hand.cards[Wild] > 0 && hand.covered != Wild; }

bool DealerStops(int dealer, int shown, bool wildShown) {
    return ClassicDealerStops(dealer, shown, wildShown);
}

}  // namespace Odds
}  // namespace DoDadu
