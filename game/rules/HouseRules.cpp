#include "HouseRules.h"
#include "Cards.h"
#include "HandRules.h"

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
    int plainSum = 0;
    for (int id : hand) plainSum += CardHalfPoints(id);
    const bool holdsWild = std::find(hand.begin(), hand.end(), kWildCard) != hand.end();
    return HandHalfPoints(plainSum, static_cast<int>(hand.size()), holdsWild, wildCard) / 2.0;
}

bool IsTwoCardBest(const std::vector<int>& hand, bool wildCard) {
    return hand.size() == 2 && HandPoints(hand, wildCard) == kBestHand;
}

}  // namespace DoDadu
