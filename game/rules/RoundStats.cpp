#include "RoundStats.h"

#include <algorithm>
#include <climits>

namespace DoDadu {
namespace {

int OneMore(int count) { return count == INT_MAX ? count : count + 1; }

// Plain digits only, at most the largest int; anything else is 0.
int CountFromText(const std::string& text) {
    if (text.empty()) return 0;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return 0;
    }
    return static_cast<int>(value);
}

}  // namespace

void RoundStats::Record(RoundEnd end, int score) {
    rounds = OneMore(rounds);
    switch (end) {
        case RoundEnd::Won:
            won = OneMore(won);
            streak = OneMore(streak);
            longestStreak = std::max(longestStreak, streak);
            break;
        case RoundEnd::Busted: busts = OneMore(busts); [[fallthrough]];
        case RoundEnd::Lost:
            lost = OneMore(lost);
            streak = 0;
            break;
        case RoundEnd::Abandoned:
            abandoned = OneMore(abandoned);
            streak = 0;
            break;
    }
    Reach(score);
}

void RoundStats::Reach(int score) { bestScore = std::max(bestScore, score); }

void RoundStats::ForEachValue(const std::function<void(const char*, int&)>& visit) {
    visit("Rounds", rounds);
    visit("Won", won);
    visit("Lost", lost);
    visit("Busts", busts);
    visit("Abandoned", abandoned);
    visit("BestScore", bestScore);
    visit("LongestStreak", longestStreak);
    visit("Streak", streak);
}

RoundStats StatsFromText(const std::function<std::string(const char*)>& read) {
    RoundStats stats;
    stats.ForEachValue([&read](const char* name, int& value) { value = CountFromText(read(name)); });
    return stats;
}

void StatsToText(RoundStats stats, const std::function<void(const char*, const std::string&)>& write) {
    stats.ForEachValue([&write](const char* name, int& value) { write(name, std::to_string(value)); });
}

}  // namespace DoDadu
