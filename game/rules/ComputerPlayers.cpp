#include "ComputerPlayers.h"
#include "Cards.h"
#include "HandRules.h"

#include <algorithm>

namespace DoDadu {

int ThresholdPlayer::Stake(const SeatSight& sight) { return sight.rules.minStake; }

namespace {
int HalfPoints(const RoundSight& sight) {
    const HandFacts hand = FactsOf(sight.Hand());
    return HandHalfPoints(hand.sum, hand.cards, hand.wild, sight.rules.wildCard);
}
}  // namespace

bool ThresholdPlayer::Draws(const SeatSight& sight) { return HalfPoints(sight) < thresholds.standFrom; }

bool ThresholdPlayer::BankDraws(const BankSight& sight) {
    const int points = HalfPoints(sight);
    if (points < thresholds.bankStandFrom) return true;
    return points < thresholds.bankChaseLimit && points <= BestShownTotal(sight);
}

int BoldPlayer::Stake(const SeatSight& sight) {
    const HouseRules& rules = sight.rules;
    const int first = sight.Hand().front();
    if (CardRank(first) == 7 || (rules.wildCard && first == kWildCard)) return rules.maxStake;
    if (CardRank(first) == 6) return (rules.minStake + rules.maxStake) / 2;
    return rules.minStake;
}

int BestShownTotal(const RoundSight& sight) {
    int best = -1;
    for (std::size_t i = 0; i < sight.seats.size(); ++i) {
        const SeenSeat& seat = sight.seats[i];
        if (static_cast<int>(i) == sight.bank || seat.status != SeatStatus::Standing) continue;
        int shown = 0;
        for (int card : seat.cards) shown += card != 0 ? CardHalfPoints(card) : 0;  // 0: covered
        best = std::max(best, shown);
    }
    return best;
}

}  // namespace DoDadu
