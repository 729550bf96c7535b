#pragma once
#include "CardRandom.h"

#include <cstdint>

namespace DoDadu {

// The one pseudo-random source of the program: a linear congruential generator
// (state * 214013 + 2531011 mod 2^32, draws of 15 bits). Nothing else draws from it,
// so two processes whose first deck is shuffled in the same second deal alike.
class RandomSource final : public CardRandom {
public:
    // Seeds from the calendar time the first time it is called in the process; later
    // calls leave the sequence alone.
    void SeedOnceFromClock();
    // Starts the sequence anew from a known seed, and counts as the process's seeding.
    void Reseed(std::uint32_t seed);
    bool IsSeeded() const { return seeded; }

    int Draw();                   // 0 .. 32767
    int RandomCardId() override;  // 1 .. 40

private:
    std::uint32_t state = 0;
    bool seeded = false;
};

// The process-wide instance that the deck draws from.
RandomSource& SharedRandom();

}  // namespace DoDadu
