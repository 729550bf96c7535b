#pragma once
#include "ComputerPlayer.h"

namespace DoDadu {

// A computer player of fixed thresholds. As a seat it draws below standFrom. As the bank
// it draws below bankStandFrom, and from there on while it is behind what a standing
// seat shows (at most its face-up cards plus half a point for the covered one, so level
// with them counts as behind) and still below bankChaseLimit.
class ThresholdPlayer : public ComputerPlayer {
public:
    ThresholdPlayer(double standFrom, double bankStandFrom, double bankChaseLimit)
        : standFrom(standFrom), bankStandFrom(bankStandFrom), bankChaseLimit(bankChaseLimit) {}
    int Stake(const SeatSight& sight) override;
    bool Draws(const SeatSight& sight) override;
    bool BankDraws(const BankSight& sight) override;

private:
    double standFrom;
    double bankStandFrom;
    double bankChaseLimit;
};

// Stands from 5 and stakes the minimum; as the bank stands from 5 and chases up to 6.
class CarefulPlayer : public ThresholdPlayer {
public:
    CarefulPlayer() : ThresholdPlayer(5.0, 5.0, 6.0) {}
};

// Stands from 6.5; stakes the maximum on a first card of 7 or the wild card, half way on
// a 6, else the minimum; as the bank stands from 5.5 and chases up to 7.
class BoldPlayer : public ThresholdPlayer {
public:
    BoldPlayer() : ThresholdPlayer(6.5, 5.5, 7.0) {}
    int Stake(const SeatSight& sight) override;
};

// The highest total any standing seat shows: its face-up cards at their plain values.
// -1 when no seat stands.
double BestShownTotal(const RoundSight& sight);

}  // namespace DoDadu
