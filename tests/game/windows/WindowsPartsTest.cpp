// What the game takes from Windows: the user's names, the local time and the store of
// the score and the statistics; and the store of the evening at the full table.
#include "Evening.h"
#include "LocalTimeClock.h"
#include "RegistryEveningStore.h"
#include "RegistryScoreStore.h"
#include "WindowsUserNames.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace DoDadu {
namespace {

// The signed-in user has a name to give the first seat of a new evening.
TEST(WindowsUserNames, TheSignedInUserHasASignInName) {
    const WindowsUserNames user = CurrentUserNames();
    EXPECT_FALSE(user.signIn.empty());
    EXPECT_EQ(std::string::npos, user.signIn.find('\0'));
    EXPECT_EQ(std::string::npos, user.display.find('\0'));
}

TEST(LocalTimeClock, CountsMilliseconds) {
    LocalTimeClock clock;
    std::int64_t before = 0;
    std::int64_t after = 0;
    ASSERT_TRUE(clock.LocalMilliseconds(before));
    Sleep(100);
    ASSERT_TRUE(clock.LocalMilliseconds(after));
    EXPECT_GE(after - before, 80);
    EXPECT_LT(after - before, 2000);
    // Milliseconds since 1601: some time after 2020 and before 2200.
    EXPECT_GT(before, 13'222'000'000'000LL);
    EXPECT_LT(before, 18'900'000'000'000LL);
}

// Stores raw data under each name in a key below the game's.
void StoreRaw(const wchar_t* path, const std::vector<const char*>& names, DWORD type, const void* data,
              DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &key));
    for (const char* name : names) {
        const std::wstring wide(name, name + std::strlen(name));
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(key, wide.c_str(), 0, type, static_cast<const BYTE*>(data), bytes));
    }
    RegCloseKey(key);
}

// The evening at the full table beside the score, its count of dealt cards (12) stored
// over as in the case: the evening reads back only from plain text, else a new one.
void CheckEveningStoredAs(DWORD type, const void* data, DWORD bytes, bool kept) {
    RegistryEveningStore store;
    RandomSource random;
    std::vector<TableSeat> seats(3);
    seats[0].name = "Anna";
    seats[1].name = "Bruno";
    seats[2].name = "Carla";
    Evening evening(HouseRules::Italian(), seats, 0, random);
    evening.DeckToSetUp().Restore(evening.Deck().Order(), 12);
    evening.Save(store);
    StoreRaw(L"Software\\NeloSettings\\Zandro\\Table", {"B.Dealt"}, type, data, bytes);
    Evening loaded(HouseRules::Spanish(), std::vector<TableSeat>(2), 1, random);
    EXPECT_EQ(kept, loaded.Load(store));
    EXPECT_EQ(kept ? 12 : 0, loaded.Deck().Position());
}

TEST(RegistryScoreStore, StatisticsStoredAsAnythingButPlainDigitTextReadAsZero) {
    const DWORD dword = 0x37;  // its bytes spell "7"
    const wchar_t digits[] = L"12";
    const wchar_t multi[] = L"12\0";
    const struct {
        const char* name;
        DWORD type;
        const void* data;
        DWORD bytes;
        int value;
    } cases[] = {
        {"REG_DWORD", REG_DWORD, &dword, sizeof dword, 0},
        {"REG_BINARY", REG_BINARY, digits, 4, 0},
        {"REG_MULTI_SZ", REG_MULTI_SZ, multi, sizeof multi, 0},
        {"text", REG_SZ, L"abc", 8, 0},
        {"huge", REG_SZ, L"99999999999", 24, 0},
        {"digits", REG_SZ, digits, sizeof digits, 12},
    };
    const std::vector<const char*> names = {"Rounds",    "Won",       "Lost",          "Busts",
                                            "Abandoned", "BestScore", "LongestStreak", "Streak"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NeloSettings\\Zandro");
        RegistryScoreStore store;
        store.WriteScore("777");
        StoreRaw(L"Software\\NeloSettings\\Zandro\\Dati", names, c.type, c.data, c.bytes);
        CheckEveningStoredAs(c.type, c.data, c.bytes, c.value == 12);
        RoundStats stats = store.ReadStats();
        stats.ForEachValue([&](const char* name, int& value) { EXPECT_EQ(c.value, value) << name; });
        // Written back as text, beside a score left as it was.
        stats.Record(RoundEnd::Won, 777);
        store.WriteStats(stats);
        EXPECT_EQ(c.value + 1, store.ReadStats().won);
        EXPECT_EQ("777", store.ReadScore());
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NeloSettings\\Zandro");
}

}  // namespace
}  // namespace DoDadu
