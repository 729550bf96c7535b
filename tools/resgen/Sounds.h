#pragma once
// The three sounds: the dealer's card flick and the win and loss jingles, synthesised
// from decaying harmonics and filtered noise; every sound ends in silence and peaks at
// -3 dBFS, the loss jingle, whose notes are held, at -6 dBFS.

#include <cstdint>
#include <vector>

namespace resgen {

struct Sound {
    int channels = 1;
    int sampleRate = 44100;
    std::vector<std::int16_t> samples;  // interleaved
};

Sound MakeDealSound();  // mono, 44.1 kHz, about 160 ms
Sound MakeWinSound();   // stereo, 48 kHz, 2 s, rising
Sound MakeLossSound();  // stereo, 48 kHz, 2 s, falling

}  // namespace resgen
