#pragma once
#include "ScoreStore.h"

#include <string>

namespace DoDadu {

// The per-user settings store: application "Zandro", section "Dati", value "Score",
// and the statistics under their own names (RoundStats::ForEachValue) in the same place.
class RegistryScoreStore : public ScoreStore {
public:
    std::string ReadScore() override;
    void WriteScore(const std::string& text) override;
    RoundStats ReadStats() override;
    void WriteStats(const RoundStats& stats) override;
};

// The game's other settings, in the same place as the score: the text stored under a name
// (empty when none is stored), and a new text for it.
std::string ReadGameSetting(const char* name);
void WriteGameSetting(const char* name, const std::string& value);

}  // namespace DoDadu
