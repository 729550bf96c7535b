#pragma once
#include <functional>
#include <string>

namespace DoDadu {

// How a round ended for the statistics. A tie goes to the dealer and counts as lost;
// a round given up with CANCEL, or settled when the window closes or the session
// ends, counts as abandoned.
enum class RoundEnd { Won, Lost, Busted, Abandoned };

// The statistics of the rounds, kept beside the score. Every count stops at the
// largest int instead of wrapping.
struct RoundStats {
    int rounds = 0;
    int won = 0;
    int lost = 0;  // busts included
    int busts = 0;
    int abandoned = 0;
    int bestScore = 0;      // the best score ever reached; never below 0
    int longestStreak = 0;  // of rounds won one after the other
    int streak = 0;         // the rounds won since the last one that was not

    // One more round, and the score it left.
    void Record(RoundEnd end, int score);
    // The score has been reached.
    void Reach(int score);

    // Each value under its stored name: "Rounds", "Won", "Lost", "Busts",
    // "Abandoned", "BestScore", "LongestStreak", "Streak".
    void ForEachValue(const std::function<void(const char* name, int& value)>& visit);
};

// The stored statistics, each value read as decimal text by name. Anything but plain
// digits for a number from 0 to the largest int (missing, damaged, negative, too
// large) reads as 0.
RoundStats StatsFromText(const std::function<std::string(const char* name)>& read);
// Each value as plain decimal text.
void StatsToText(RoundStats stats,
                 const std::function<void(const char* name, const std::string& text)>& write);

}  // namespace DoDadu
