#include "HouseRules.h"
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
    rules.doublePay = DoublePay::TwoCards;
    rules.royalSevenAndHalf = true;
    rules.twoCardTakesBank = true;
    rules.passing = BankPassing::DeckUsedUp;
    rules.cover = true;
    return rules;
}

HouseRules HouseRules::Spanish() {
    HouseRules rules;
    rules.wildCard = false;
    rules.doublePay = DoublePay::Any;
    rules.passing = BankPassing::DeckUsedUp;
    rules.cover = true;
    return rules;
}

bool HouseRules::Valid() const {
    const bool stakes = minStake > 0 && stakeStep > 0 && minStake <= maxStake && maxStake <= kMostStake &&
                        (maxStake - minStake) % stakeStep == 0;
    return stakes && (passing != BankPassing::EveryRounds || (passEvery > 0 && passEvery <= kMostPassEvery));
}

int HouseRules::StakeWithin(std::int64_t wish, std::int64_t chips, std::int64_t top) const {
    const std::int64_t most = std::min<std::int64_t>({maxStake, chips, top});
    if (most < minStake) return 0;
    const std::int64_t clamped = std::clamp<std::int64_t>(wish, minStake, most);
    return static_cast<int>(minStake + (clamped - minStake) / stakeStep * stakeStep);
}

int HouseRules::WinPays(int seat, int seatCards) const {
    const bool twice = seat == kBestHalfPoints &&
                       (doublePay == DoublePay::Any || (doublePay == DoublePay::TwoCards && seatCards == 2));
    return twice ? 2 : 1;
}

int HouseRules::Settlement(int seat, int seatCards, int bank, int bankCards) const {
    const bool seatRoyal = royalSevenAndHalf && seat == kBestHalfPoints && seatCards == 2;
    const bool bankRoyal = royalSevenAndHalf && bank == kBestHalfPoints && bankCards == 2;
    if (bank > kBestHalfPoints || seat > bank) return WinPays(seat, seatCards);
    if (seatRoyal && !bankRoyal) return 1;  // beats the bank's 7.5 of more cards
    return bankRoyal && !seatRoyal ? -2 : -1;
}

}  // namespace DoDadu
