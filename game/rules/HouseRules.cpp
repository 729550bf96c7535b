#include "HouseRules.h"
#include "Cards.h"
#include "GameState.h"

#include <algorithm>

namespace DoDadu {

HouseRules HouseRules::Classic() {
    HouseRules rules;
    rules.classicTable = true;
    return rules;
}

HouseRules HouseRules::Italian() {
    HouseRules rules;
    rules.twoCardPays = TwoCardPay::Double;
    rules.twoCardTakesBank = true;
    rules.passing = BankPassing::DeckUsedUp;
    return rules;
}

HouseRules HouseRules::Spanish() {
    HouseRules rules;
    rules.twoCardPays = TwoCardPay::Double;
    rules.passing = BankPassing::DeckUsedUp;
    return rules;
}

bool HouseRules::Valid() const {
    const bool stakes =
        minStake > 0 && stakeStep > 0 && minStake <= maxStake && (maxStake - minStake) % stakeStep == 0;
    return stakes && (passing != BankPassing::EveryRounds || passEvery > 0);
}

int HouseRules::StakeWithin(std::int64_t wish, std::int64_t chips) const {
    if (chips < minStake) return 0;
    const std::int64_t top = std::min<std::int64_t>(maxStake, chips);
    const std::int64_t clamped = std::clamp<std::int64_t>(wish, minStake, top);
    return static_cast<int>(minStake + (clamped - minStake) / stakeStep * stakeStep);
}

double HandPoints(const std::vector<int>& hand, bool wildCard) {
    if (wildCard) {
        // The classic table's own evaluation, which the dealer's hand goes through.
        GameState cards;
        cards.dealerHand = hand;
        cards.EvaluateHands();
        return cards.dealerPoints;
    }
    double sum = 0.0;
    for (int id : hand) sum += CardValue(id);
    return sum;
}

bool IsTwoCardBest(const std::vector<int>& hand, bool wildCard) {
    return hand.size() == 2 && HandPoints(hand, wildCard) == kBestHand;
}

}  // namespace DoDadu
