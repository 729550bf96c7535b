#include "HandRules.h"

#include <algorithm>

namespace DoDadu {

HandFacts FactsOf(const std::vector<int>& hand) {
    HandFacts facts;
    for (int id : hand) facts.sum += CardHalfPoints(id);
    facts.cards = static_cast<int>(hand.size());
    facts.wild = std::find(hand.begin(), hand.end(), kWildCard) != hand.end();
    return facts;
}

double HandPoints(const std::vector<int>& hand, bool wildCard) {
    const HandFacts facts = FactsOf(hand);
    return HandHalfPoints(facts.sum, facts.cards, facts.wild, wildCard) / 2.0;
}

bool IsTwoCardBest(const std::vector<int>& hand, bool wildCard) {
    return hand.size() == 2 && HandPoints(hand, wildCard) == kBestHand;
}

bool ClassicDealerStopsAgainst(const std::vector<int>& dealer, const std::vector<int>& player) {
    const HandFacts own = FactsOf(dealer);
    const HandFacts seen = FactsOf(player);
    const int covered = player.empty() ? 0 : player.front();
    const int shown = ShownHalfPoints(seen.sum, seen.cards, seen.wild,
                                      covered == 0 ? 0 : CardHalfPoints(covered), covered == kWildCard);
    const bool wildShown =
        player.size() > 1 && std::find(player.begin() + 1, player.end(), kWildCard) != player.end();
    return ClassicDealerStops(HandHalfPoints(own.sum, own.cards, own.wild), shown, wildShown);
}

}  // namespace DoDadu
