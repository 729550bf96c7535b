#include "ScoreStore.h"
#include "SettingsStore.h"

namespace DoDadu {

namespace {
const char* const kApplication = "Zandro";
const char* const kSection = "Dati";
const char* const kScoreName = "Score";
}  // namespace

std::string RegistryScoreStore::ReadScore() {
    return NeloUtility::ReadSetting(kApplication, kSection, kScoreName);
}

void RegistryScoreStore::WriteScore(const std::string& text) {
    NeloUtility::WriteSetting(kApplication, kSection, kScoreName, text);
}

}  // namespace DoDadu
