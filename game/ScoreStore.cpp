#include "ScoreStore.h"
#include "SettingsStore.h"

#include <windows.h>

#include <cstring>

namespace DoDadu {

namespace {
const char* const kApplication = "Zandro";
const char* const kSection = "Dati";
const char* const kScoreName = "Score";
const wchar_t* const kSectionPath = L"Software\\NeloSettings\\Zandro\\Dati";

// The settings store reads a value of any type as text; a statistic stored as anything
// but a string reads as 0.
bool IsString(HKEY key, const char* name) {
    const std::wstring wide(name, name + std::strlen(name));
    DWORD type = REG_NONE;
    return key != nullptr &&
           RegQueryValueExW(key, wide.c_str(), nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_SZ;
}

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

RoundStats RegistryScoreStore::ReadStats() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSectionPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        key = nullptr;
    RoundStats stats = StatsFromText([key](const char* name) {
        return IsString(key, name) ? NeloUtility::ReadSetting(kApplication, kSection, name) : std::string();
    });
    if (key != nullptr) RegCloseKey(key);
    return stats;
}

void RegistryScoreStore::WriteStats(const RoundStats& stats) {
    StatsToText(stats, [](const char* name, const std::string& text) {
        NeloUtility::WriteSetting(kApplication, kSection, name, text);
    });
}

}  // namespace DoDadu
