#pragma once
#include "RoundStats.h"

#include <string>

namespace DoDadu {

// Where the running score is kept between runs, as decimal text, and beside it the
// statistics of the rounds, each value on its own so that a program that knows only
// the score passes them by.
class ScoreStore {
public:
    virtual ~ScoreStore() = default;
    // The stored text; empty when nothing is stored or it cannot be read.
    virtual std::string ReadScore() = 0;
    // Failures are silent: the score in memory stays authoritative.
    virtual void WriteScore(const std::string& text) = 0;
    // The stored statistics, as StatsFromText reads them; all 0 when none are stored.
    virtual RoundStats ReadStats() = 0;
    // Failures are silent, as for the score.
    virtual void WriteStats(const RoundStats& stats) = 0;
};

}  // namespace DoDadu
