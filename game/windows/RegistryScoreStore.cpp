#include "RegistryScoreStore.h"
#include "SettingsStore.h"

namespace DoDadu {

namespace {
const char* const kApplication = "Zandro";
const char* const kSection = "Dati";
const char* const kScoreName = "Score";
}  // namespace

std::string ReadGameSetting(const char* name) {
    return NeloUtility::ReadSetting(kApplication, kSection, name);
}

void WriteGameSetting(const char* name, const std::string& value) {
    NeloUtility::WriteSetting(kApplication, kSection, name, value);
}

std::string RegistryScoreStore::ReadScore() {
    return NeloUtility::ReadSetting(kApplication, kSection, kScoreName);
}

void RegistryScoreStore::WriteScore(const std::string& text) {
    NeloUtility::WriteSetting(kApplication, kSection, kScoreName, text);
}

// A statistic stored as anything but text reads as 0.
RoundStats RegistryScoreStore::ReadStats() {
    return StatsFromText(
        [](const char* name) { return NeloUtility::ReadTextSetting(kApplication, kSection, name); });
}

void RegistryScoreStore::WriteStats(const RoundStats& stats) {
    StatsToText(stats, [](const char* name, const std::string& text) {
        NeloUtility::WriteSetting(kApplication, kSection, name, text);
    });
}

}  // namespace DoDadu
