#pragma once
#include "ComputerPlayer.h"

namespace DoDadu {

// Where a computer player of fixed thresholds stops, in half points. As a seat it draws
// below standFrom. As the bank it draws below bankStandFrom, and from there on while it
// is behind what a standing seat shows (level with it counts as behind: the covered card
// is worth half a point at least) and still below bankChaseLimit.
struct Thresholds {
    int standFrom = 0;
    int bankStandFrom = 0;
    int bankChaseLimit = 0;
};

// The careful player stands from 5; as the bank it stands from 5 and chases up to 6.
constexpr Thresholds kCarefulThresholds{10, 10, 12};
// The bold player stands from 6.5; as the bank it stands from 5.5 and chases up to 7.
constexpr Thresholds kBoldThresholds{13, 11, 14};

class ThresholdPlayer : public ComputerPlayer {
public:
    explicit ThresholdPlayer(const Thresholds& thresholds) : thresholds(thresholds) {}
    int Stake(const SeatSight& sight) override;
    bool Draws(const SeatSight& sight) override;
    bool BankDraws(const BankSight& sight) override;

private:
    Thresholds thresholds;
};

// Stakes the minimum.
class CarefulPlayer : public ThresholdPlayer {
public:
    CarefulPlayer() : ThresholdPlayer(kCarefulThresholds) {}
};

// Stakes the maximum on a first card of 7 or the wild card, half way on a 6, else the
// minimum.
class BoldPlayer : public ThresholdPlayer {
public:
    BoldPlayer() : ThresholdPlayer(kBoldThresholds) {}
    int Stake(const SeatSight& sight) override;
};

// The highest total any standing seat shows, in half points: its face-up cards at their
// plain values, and its covered card where its 7.5 turned it up. -1 when no seat stands.
int BestShownTotal(const RoundSight& sight);

}  // namespace DoDadu
