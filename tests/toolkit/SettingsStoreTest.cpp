// The settings store against the real registry, in a key tree of its own that the
// test removes afterwards.
#include "SettingsStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace NeloUtility {
namespace {

const wchar_t kNeloKey[] = L"Software\\NeloSettings";
const wchar_t kAppKey[] = L"Software\\NeloSettings\\ZandroStoreTest";
const wchar_t kSectionKey[] = L"Software\\NeloSettings\\ZandroStoreTest\\Dati";
const char kApp[] = "ZandroStoreTest";
const char kSection[] = "Dati";

bool KeyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The raw value as the registry holds it.
struct RawValue {
    LONG result = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
};

RawValue ReadRaw(const wchar_t* name) {
    RawValue raw;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSectionKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return raw;
    DWORD size = 0;
    raw.result = RegQueryValueExW(key, name, nullptr, &raw.type, nullptr, &size);
    if (raw.result == ERROR_SUCCESS) {
        raw.data.resize(size);
        raw.result = RegQueryValueExW(key, name, nullptr, &raw.type, raw.data.data(), &size);
    }
    RegCloseKey(key);
    return raw;
}

void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kSectionKey, 0, nullptr, 0, KEY_WRITE,
                                             nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

class SettingsStoreTest : public ::testing::Test {
protected:
    bool hadNeloKey = false;

    void SetUp() override {
        RemoveTree();
        hadNeloKey = KeyExists(kNeloKey);
    }
    void TearDown() override {
        RemoveTree();
        if (!hadNeloKey) RegDeleteKeyW(HKEY_CURRENT_USER, kNeloKey);  // only when this test made it
        EXPECT_FALSE(KeyExists(kAppKey));
    }
    static void RemoveTree() {
        LONG result = RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
        if (result == ERROR_SUCCESS) RegDeleteKeyW(HKEY_CURRENT_USER, kAppKey);
    }
};

TEST_F(SettingsStoreTest, FirstReadCreatesEveryLevelAndFindsNothing) {
    ASSERT_FALSE(KeyExists(kAppKey));
    EXPECT_EQ("", ReadSetting(kApp, kSection, "Score"));
    EXPECT_TRUE(KeyExists(kNeloKey));
    EXPECT_TRUE(KeyExists(kAppKey));
    EXPECT_TRUE(KeyExists(kSectionKey));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRaw(L"Score").result) << "a read writes no value";
}

TEST_F(SettingsStoreTest, WritesTwoBytesPerCharacterWithoutTerminator) {
    WriteSetting(kApp, kSection, "Score", "50000");
    RawValue raw = ReadRaw(L"Score");
    ASSERT_EQ(ERROR_SUCCESS, raw.result);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw.type);
    const std::vector<BYTE> expected = {'5', 0, '0', 0, '0', 0, '0', 0, '0', 0};
    EXPECT_EQ(expected, raw.data);
    EXPECT_EQ("50000", ReadSetting(kApp, kSection, "Score"));

    WriteSetting(kApp, kSection, "Score", "-1500");
    EXPECT_EQ("-1500", ReadSetting(kApp, kSection, "Score")) << "a write replaces the value";
}

TEST_F(SettingsStoreTest, ReadsUpTo1024Characters) {
    // 1024 characters fill the 2048 bytes offered exactly; the zeroed rest of the buffer
    // ends the text. One more character needs 2050 bytes, and the read fails.
    const std::string longest(1024, 'x');
    WriteSetting(kApp, kSection, "Long", longest);
    EXPECT_EQ(longest, ReadSetting(kApp, kSection, "Long"));

    WriteSetting(kApp, kSection, "Long", longest + "y");
    EXPECT_EQ(2050u, ReadRaw(L"Long").data.size());
    EXPECT_EQ("", ReadSetting(kApp, kSection, "Long"));
}

TEST_F(SettingsStoreTest, ReadsWhateverIsStoredAsText) {
    // The type is not examined: a number reads as UTF-16 up to its first zero unit.
    const DWORD number = 0x00420041;  // 'A', 'B' in little-endian units
    WriteRaw(L"Score", REG_DWORD, &number, sizeof number);
    EXPECT_EQ("AB", ReadSetting(kApp, kSection, "Score"));

    // Written by another tool with its terminating NUL: reads the same.
    const wchar_t withNul[] = L"1234";
    WriteRaw(L"Score", REG_SZ, withNul, sizeof withNul);
    EXPECT_EQ("1234", ReadSetting(kApp, kSection, "Score"));
}

TEST_F(SettingsStoreTest, BytesAbove127RoundTripThroughOneUnitEach) {
    std::string text;
    for (int byte = 1; byte < 256; byte += 7) text += static_cast<char>(byte);
    text += "\xE9\xFF";
    WriteSetting(kApp, kSection, "Name\xE8", text);
    RawValue raw = ReadRaw(L"Name\u00E8");
    ASSERT_EQ(ERROR_SUCCESS, raw.result) << "the name is widened byte by byte too";
    EXPECT_EQ(2 * text.size(), raw.data.size());
    EXPECT_EQ(0xE9, raw.data[raw.data.size() - 4]);
    EXPECT_EQ(0, raw.data[raw.data.size() - 3]);
    EXPECT_EQ(text, ReadSetting(kApp, kSection, "Name\xE8"));
}

}  // namespace
}  // namespace NeloUtility
