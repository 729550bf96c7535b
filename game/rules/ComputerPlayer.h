#pragma once
#include "RoundSight.h"
#include "TableSeat.h"

#include <array>

namespace DoDadu {

// How a computer plays a seat and the bank. The table asks one decision at a time and
// brings a stake within the rules and the seat's chips itself.
class ComputerPlayer {
public:
    virtual ~ComputerPlayer() = default;
    // The stake, once the seat has seen its covered card (the only card of Hand()).
    virtual int Stake(const SeatSight& sight) = 0;
    // Another card for the seat in its turn; asked only below 7.5.
    virtual bool Draws(const SeatSight& sight) = 0;
    // Another card for the bank; asked only below 7.5 and while some seat stands.
    virtual bool BankDraws(const BankSight& sight) = 0;
};

// The computer players by style, owned by the caller, who keeps them alive as long as
// the table. A style without a player cannot sit at the table.
class PlayerTable {
public:
    void Set(PlayStyle style, ComputerPlayer* player) { players[Index(style)] = player; }
    ComputerPlayer* For(PlayStyle style) const { return players[Index(style)]; }

private:
    static std::size_t Index(PlayStyle style) { return static_cast<std::size_t>(style); }
    std::array<ComputerPlayer*, kPlayStyleCount> players{};
};

}  // namespace DoDadu
