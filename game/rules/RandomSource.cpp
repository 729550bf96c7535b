#include "RandomSource.h"
#include "Cards.h"

#include <ctime>

namespace DoDadu {

void RandomSource::SeedOnceFromClock() {
    if (!seeded) Reseed(static_cast<std::uint32_t>(std::time(nullptr)));
}

void RandomSource::Reseed(std::uint32_t seed) {
    state = seed;
    seeded = true;
}

int RandomSource::Draw() {
    state = state * 214013u + 2531011u;  // wraps modulo 2^32
    return static_cast<int>((state >> 16) & 0x7FFF);
}

int RandomSource::RandomCardId() { return Draw() % kCardCount + 1; }

RandomSource& SharedRandom() {
    static RandomSource source;
    return source;
}

}  // namespace DoDadu
