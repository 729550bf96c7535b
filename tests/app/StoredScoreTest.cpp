// Whatever the registry holds under the score's name, the game starts, shows a score
// that follows from it, and plays on; one lost round later the store holds the score
// in play as decimal text, unless the key refuses to be written.
#include "PlayDriver.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace playdriver;

const int relaunched = coretest::RunInsideVirtualDesktop();

const wchar_t* const kGameKey = L"Software\\NeloSettings\\Zandro";
const wchar_t* const kDatiKey = L"Software\\NeloSettings\\Zandro\\Dati";

// The stored value as it lies in the registry: its type and its text.
struct StoredValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string text;  // REG_SZ only, narrowed
};

StoredValue ReadStoredValue() {
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDatiKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    std::vector<wchar_t> data(4096, L'\0');
    DWORD bytes = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, L"Score", nullptr, &value.type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
        ERROR_SUCCESS) {
        value.exists = true;
        if (value.type == REG_SZ)
            for (const wchar_t* unit = data.data(); *unit != L'\0'; ++unit)
                value.text += static_cast<char>(*unit & 0xFF);
    }
    RegCloseKey(key);
    return value;
}

void RemoveGameKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kGameKey); }

void StoreRaw(DWORD type, const void* data, DWORD bytes) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kDatiKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Score", 0, type, static_cast<const BYTE*>(data), bytes));
    RegCloseKey(key);
}

// A string value as other tools write it, with its terminating NUL.
void StoreText(const std::string& text) {
    std::wstring wide(text.begin(), text.end());
    StoreRaw(REG_SZ, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

// Everyone may read the key and change its security, nobody may set a value in it or
// add a key below it.
const wchar_t* const kNoWriting = L"D:(D;;0x6;;;WD)(A;;KA;;;WD)";
const wchar_t* const kOpen = L"D:(A;;KA;;;WD)";

bool SetDatiSecurity(const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    HKEY key;
    LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, kDatiKey, 0, WRITE_DAC, &key);
    if (result == ERROR_SUCCESS) {
        result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(key);
    }
    LocalFree(descriptor);
    return result == ERROR_SUCCESS;
}

struct Case {
    const char* name;
    std::function<void()> store;
    int shown;                // the score the table starts with
    const char* storedAfter;  // the REG_SZ text after one lost round at a stake of 500
    bool lockKey = false;     // the key refuses writes during the game
};

// The player's first card, a six, and the five drawn go over 7.5: the round is lost
// at once and costs the stake of 500.
void LoseOneRound(FormMain* form) {
    StackDeck(form->round.cards, {1, 6, 5});
    Click(form->Layout().startButton);
    coretest::Pump();
    Click(form->Layout().getCardButton);
    coretest::Pump();
}

TEST(StoredScore, AnyStoredValueStartsAPlayableGame) {
    const std::string tooLong(1025, '7');
    const DWORD dword = 50000;                                // read as the text "P": 0xC350
    const unsigned char oddBinary[] = {'3', 0, '2', 0, '1'};  // "321", the last unit half there
    const Case cases[] = {
        {"missing key", [] { RemoveGameKey(); }, 50000, "49500"},
        {"empty", [] { StoreText(""); }, 50000, "49500"},
        {"not a number", [] { StoreText("abc"); }, 0, "-500"},
        {"number and rest", [] { StoreText("12abc"); }, 12, "-488"},
        {"negative", [] { StoreText("-1500"); }, -1500, "-2000"},
        {"above the range", [] { StoreText("99999999999"); }, INT_MAX, "2147483147"},
        // The score cannot fall below the bottom of its range: nothing new to store.
        {"below the range", [] { StoreText("-99999999999"); }, INT_MIN, "-99999999999"},
        {"1025 characters", [&] { StoreText(tooLong); }, 50000, "49500"},
        {"REG_DWORD", [&] { StoreRaw(REG_DWORD, &dword, sizeof dword); }, 0, "-500"},
        {"REG_BINARY", [&] { StoreRaw(REG_BINARY, oddBinary, sizeof oddBinary); }, 321, "-179"},
        // The store keeps the last score it could write; the game plays on with its own.
        {"key closed to writing", [] { StoreText("-1500"); }, -1500, "-1500", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveGameKey();
        c.store();
        if (c.lockKey) {
            ASSERT_TRUE(SetDatiSecurity(kNoWriting));
        }

        auto* form = new FormMain(GetModuleHandleW(nullptr), "Zandro++ stored score");
        coretest::Pump();
        EXPECT_EQ(c.shown, form->round.Score());
        EXPECT_EQ(Grouped(c.shown), Text(form->Layout().scoreCell));
        EXPECT_TRUE(ControlsMatchPhase(form));

        LoseOneRound(form);
        const long long after = std::max<long long>(INT_MIN, c.shown - 500LL);
        EXPECT_EQ("You exceeded 7.5. You lost!", Text(form->Layout().messageCell));
        EXPECT_EQ(Grouped(after), Text(form->Layout().scoreCell));
        StoredValue stored = ReadStoredValue();
        EXPECT_TRUE(stored.exists);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
        EXPECT_EQ(c.storedAfter, stored.text);

        Click(form->Layout().startButton);  // and the next round starts
        coretest::Pump();
        EXPECT_EQ(RoundPhase::PlayerTurn, form->round.Phase());
        DeleteElement(form);
        coretest::Pump();
        if (c.lockKey) {
            EXPECT_TRUE(SetDatiSecurity(kOpen));
        }
    }
    RemoveGameKey();
}

}  // namespace
