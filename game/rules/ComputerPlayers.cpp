#include "ComputerPlayers.h"
#include "Cards.h"

#include <algorithm>

namespace DoDadu {

int ThresholdPlayer::Stake(const SeatSight& sight) { return sight.rules.minStake; }

bool ThresholdPlayer::Draws(const SeatSight& sight) {
    return HandPoints(sight.Hand(), sight.rules.wildCard) < standFrom;
}

bool ThresholdPlayer::BankDraws(const BankSight& sight) {
    const double points = HandPoints(sight.Hand(), sight.rules.wildCard);
    if (points < bankStandFrom) return true;
    return points < bankChaseLimit && points <= BestShownTotal(sight);
}

int BoldPlayer::Stake(const SeatSight& sight) {
    const HouseRules& rules = sight.rules;
    const int first = sight.Hand().front();
    if (CardRank(first) == 7 || (rules.wildCard && first == kWildCard)) return rules.maxStake;
    if (CardRank(first) == 6) return (rules.minStake + rules.maxStake) / 2;
    return rules.minStake;
}

double BestShownTotal(const RoundSight& sight) {
    double best = -1.0;
    for (std::size_t i = 0; i < sight.seats.size(); ++i) {
        const SeenSeat& seat = sight.seats[i];
        if (static_cast<int>(i) == sight.bank || seat.status != SeatStatus::Standing) continue;
        double shown = 0.0;
        for (std::size_t k = 1; k < seat.cards.size(); ++k) shown += CardValue(seat.cards[k]);
        best = std::max(best, shown);
    }
    return best;
}

}  // namespace DoDadu
