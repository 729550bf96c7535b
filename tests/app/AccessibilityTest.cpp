// The built game as a screen reader and a keyboard player meet it, from another process:
// the names, roles and states read through the accessible objects at three moments of a
// round, the events a WinEvent hook receives while the dealer plays, and two rounds, the
// about box and the exit question played with key presses alone.
#include "CoreTestSupport.h"
#include "SettingsStore.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#ifndef ZANDRO_EXE
#error "ZANDRO_EXE must name the game's executable"
#endif

namespace {

using NeloUtility::ReadSetting;
using NeloUtility::WriteSetting;

const int relaunched = coretest::RunInsideVirtualDesktop();

std::string Narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }
std::string StoredScore() { return ReadSetting("Zandro", "Dati", "Score"); }

// Waits for a condition, keeping this thread's messages (the hook's calls) flowing.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        coretest::Pump(20);
    }
    return true;
}

// What a screen reader reads of one window's client object.
struct Read {
    std::string name;
    std::string value;
    long role = 0;
    long state = 0;
};

Read ReadAccessible(HWND window) {
    Read read;
    IAccessible* object = nullptr;
    if (window == nullptr || FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                                               reinterpret_cast<void**>(&object))))
        return read;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (object->get_accName(self, &text) == S_OK && text != nullptr) read.name = Narrow(text);
    SysFreeString(text);
    text = nullptr;
    if (object->get_accValue(self, &text) == S_OK && text != nullptr) read.value = Narrow(text);
    SysFreeString(text);
    VARIANT result{};
    if (SUCCEEDED(object->get_accRole(self, &result)) && result.vt == VT_I4) read.role = result.lVal;
    if (SUCCEEDED(object->get_accState(self, &result)) && result.vt == VT_I4) read.state = result.lVal;
    object->Release();
    return read;
}

// The real Zandro.exe, found and driven as another program would.
class Game {
public:
    Game() {
        WriteSetting("Zandro", "Dati", "Score", "50000");
        std::wstring path = NeloUtility::Widen(ZANDRO_EXE);
        if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return;
        WaitForInputIdle(process.hProcess, 10000);
        WaitFor(
            [this] {
                main = TableOfProcess();
                return main != nullptr;
            },
            15000);
    }
    ~Game() {
        if (process.hProcess == nullptr) return;
        if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 9);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The table's elements by what they show or where they stand on it.
    HWND Button(const wchar_t* caption) const { return FindWindowExW(main, nullptr, L"Button", caption); }
    HWND At(int x, int y) const { return ChildWindowFromPointEx(main, POINT{x, y}, CWP_SKIPINVISIBLE); }
    HWND Element(const std::string& name) const {
        if (name == "slider") return FindWindowExW(main, nullptr, L"msctls_trackbar32", nullptr);
        if (name == "dealer points") return At(165, 92);
        if (name == "player points") return At(165, 252);
        if (name == "remaining") return At(585, 283);
        if (name == "message") return At(320, 402);
        if (name == "score") return At(455, 36);
        if (name == "logo") return At(100, 40);
        if (name == "stake button") return At(430, 455);
        if (name.rfind("dealer card ", 0) == 0) return Place(110, name.back() - '0');
        if (name.rfind("player card ", 0) == 0) return Place(270, name.back() - '0');
        return Button(NeloUtility::Widen(name).c_str());
    }
    // A card place, hidden or not.
    HWND Place(int rowY, int index) const {
        const int x = 5 + 63 * index + (index > 0 ? 10 : 0) + 30;
        return ChildWindowFromPointEx(main, POINT{x, rowY + 50}, CWP_ALL);
    }

    bool Enabled(const wchar_t* caption) const { return IsWindowEnabled(Button(caption)) != FALSE; }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(process.dwThreadId, &info) ? info.hwndFocus : nullptr;
    }
    void Click(const wchar_t* caption) const {
        HWND button = Button(caption);
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }
    // The dealer's turn played out: START can be pressed again.
    bool RoundOver(DWORD timeoutMs = 30000) const {
        return WaitFor([this] { return Button(L"START") != nullptr && Enabled(L"START"); }, timeoutMs);
    }
    bool Ended(DWORD timeoutMs) const {
        return WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }
    DWORD Id() const { return process.dwProcessId; }

    HWND main = nullptr;

private:
    HWND TableOfProcess() const {
        struct Search {
            DWORD process;
            HWND found;
        } search{process.dwProcessId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s->process || FindWindowExW(window, nullptr, L"Button", L"INFO") == nullptr)
                    return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    PROCESS_INFORMATION process{};
};

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ASSERT_NE(nullptr, game.main) << "the table did not come up";
    }
    void TearDown() override { CoUninitialize(); }
    Game game;
};

const char* const kCard =
    "(ace|two|three|four|five|six|seven|knave|knight|king) of (coins|cups|swords|clubs)"
    "(, wild card)?";
const char* const kPoints = "[0-9]+(\\.5)? points?";
const char* const kGroupedScore = "(49.500|50.500)";  // a round for 500 won or lost

enum class Moment { Idle, PlayerTurn, Outcome };

struct Expected {
    Moment when;
    const char* element;
    std::string name;  // a pattern
    long role;
    long stateOn;
    long stateOff;
    const char* value;  // null: not checked
};

const long kUnavailable = STATE_SYSTEM_UNAVAILABLE, kFocused = STATE_SYSTEM_FOCUSED,
           kInvisible = STATE_SYSTEM_INVISIBLE;

const Expected kTable[] = {
    {Moment::Idle, "START", "START", ROLE_SYSTEM_PUSHBUTTON, kFocused, kUnavailable, nullptr},
    {Moment::Idle, "STOP", "STOP", ROLE_SYSTEM_PUSHBUTTON, kUnavailable, kFocused, nullptr},
    {Moment::Idle, "INFO", "INFO", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, kUnavailable, nullptr},
    {Moment::Idle, "slider", "Stake", ROLE_SYSTEM_SLIDER, kUnavailable, 0, "500"},
    {Moment::Idle, "stake button", "Stake: 500", ROLE_SYSTEM_PUSHBUTTON, kUnavailable, 0, nullptr},
    {Moment::Idle, "dealer points", "Dealer: 0 points", ROLE_SYSTEM_STATICTEXT, 0, kInvisible, nullptr},
    {Moment::Idle, "score", "Score: 50.000", ROLE_SYSTEM_STATICTEXT, 0, 0, nullptr},
    {Moment::Idle, "remaining", "Remaining cards: 0", ROLE_SYSTEM_STATICTEXT, 0, 0, nullptr},
    {Moment::Idle, "message", "", ROLE_SYSTEM_STATICTEXT, 0, 0, nullptr},
    {Moment::Idle, "dealer card 7", "covered card", ROLE_SYSTEM_GRAPHIC, 0, kInvisible, nullptr},
    {Moment::Idle, "logo", "Zandro\\+\\+", ROLE_SYSTEM_GRAPHIC, 0, 0, nullptr},
    {Moment::PlayerTurn, "CANCEL", "CANCEL", ROLE_SYSTEM_PUSHBUTTON, 0, kUnavailable, nullptr},
    {Moment::PlayerTurn, "GET CARD", "GET CARD", ROLE_SYSTEM_PUSHBUTTON, 0, kUnavailable, nullptr},
    {Moment::PlayerTurn, "slider", "Stake", ROLE_SYSTEM_SLIDER, 0, kUnavailable, "500"},
    {Moment::PlayerTurn, "dealer card 0", "covered card", ROLE_SYSTEM_GRAPHIC, 0, kInvisible, nullptr},
    {Moment::PlayerTurn, "dealer card 1", ".*", ROLE_SYSTEM_GRAPHIC, kInvisible, 0, nullptr},
    {Moment::PlayerTurn, "player card 0", kCard, ROLE_SYSTEM_GRAPHIC, 0, kInvisible, nullptr},
    {Moment::PlayerTurn, "player points", std::string("Player: ") + kPoints, ROLE_SYSTEM_STATICTEXT, 0, 0,
     nullptr},
    {Moment::PlayerTurn, "remaining", "Remaining cards: 38", ROLE_SYSTEM_STATICTEXT, 0, 0, nullptr},
    {Moment::Outcome, "START", "START", ROLE_SYSTEM_PUSHBUTTON, kFocused, kUnavailable, nullptr},
    {Moment::Outcome, "STOP", "STOP", ROLE_SYSTEM_PUSHBUTTON, kUnavailable, kFocused, nullptr},
    {Moment::Outcome, "dealer card 0", kCard, ROLE_SYSTEM_GRAPHIC, 0, kInvisible, nullptr},
    {Moment::Outcome, "dealer points", std::string("Dealer: ") + kPoints, ROLE_SYSTEM_STATICTEXT, 0, 0,
     nullptr},
    {Moment::Outcome, "message", "(Dealer exceeded 7\\.5\\. )?You (won|lost)!", ROLE_SYSTEM_STATICTEXT, 0, 0,
     nullptr},
    {Moment::Outcome, "score", std::string("Score: ") + kGroupedScore, ROLE_SYSTEM_STATICTEXT, 0, 0, nullptr},
};

// Every row's element read through its accessible object at the row's moment.
void CheckMoment(const Game& game, Moment moment) {
    for (const Expected& row : kTable) {
        if (row.when != moment) continue;
        SCOPED_TRACE(std::string(row.element) + " at moment " + std::to_string(static_cast<int>(moment)));
        const Read read = ReadAccessible(game.Element(row.element));
        EXPECT_TRUE(std::regex_match(read.name, std::regex(row.name))) << "name \"" << read.name << "\"";
        EXPECT_EQ(row.role, read.role);
        EXPECT_EQ(row.stateOn, read.state & row.stateOn) << "state " << std::hex << read.state;
        EXPECT_EQ(0, read.state & row.stateOff) << "state " << std::hex << read.state;
        if (row.value != nullptr) {
            EXPECT_EQ(row.value, read.value);
        }
    }
}

TEST_F(Accessibility, NamesRolesAndStatesAtThreeMomentsOfARound) {
    ASSERT_TRUE(WaitFor([&] { return game.Focus() == game.Button(L"START"); }))
        << "START has the focus at first";
    CheckMoment(game, Moment::Idle);
    game.Click(L"START");
    ASSERT_TRUE(WaitFor([&] { return game.Button(L"CANCEL") != nullptr; }));
    CheckMoment(game, Moment::PlayerTurn);
    game.Click(L"STOP");
    ASSERT_TRUE(game.RoundOver());
    CheckMoment(game, Moment::Outcome);
}

// What an out-of-context hook saw: the event, the window and the name read at that moment.
struct Seen {
    DWORD event;
    HWND window;
    std::string name;
};
std::vector<Seen> seen;
DWORD gameProcess = 0;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != gameProcess || object != OBJID_CLIENT || child != CHILDID_SELF) return;
    // Recorded before the name is read: reading lets the next events in.
    seen.push_back(Seen{event, window, ""});
    const size_t index = seen.size() - 1;
    if (event == EVENT_OBJECT_NAMECHANGE) seen[index].name = ReadAccessible(window).name;
}

TEST_F(Accessibility, HookHearsTheDealersTurn) {
    game.Click(L"START");
    ASSERT_TRUE(WaitFor([&] { return game.Button(L"CANCEL") != nullptr; }));
    // Wine does not filter by process: the hook hears every process and keeps the game's.
    gameProcess = game.Id();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Record, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    ASSERT_NE(nullptr, hook);
    coretest::Pump(300);  // the hook takes a moment to be in place
    seen.clear();
    game.Click(L"STOP");
    EXPECT_TRUE(WaitFor([&] { return game.Focus() == game.main; })) << "STOP hands the focus to the table";
    ASSERT_TRUE(game.RoundOver());
    WaitFor([&] { return game.Focus() == game.Button(L"START"); });
    coretest::Pump(300);
    UnhookWinEvent(hook);

    // In this order, each after the one before.
    const struct {
        DWORD event;
        const char* element;
        const char* name;  // a pattern; null for events without a name
    } expected[] = {
        {EVENT_OBJECT_NAMECHANGE, "dealer points", "Dealer: [0-9.]+ points?"},
        {EVENT_OBJECT_NAMECHANGE, "dealer card 0", kCard},
        {EVENT_OBJECT_STATECHANGE, "STOP", nullptr},
        {EVENT_OBJECT_STATECHANGE, "START", nullptr},
        {EVENT_OBJECT_NAMECHANGE, "message", "Now play the dealer"},
        {EVENT_OBJECT_NAMECHANGE, "message", "(Dealer exceeded 7\\.5\\. )?You (won|lost)!"},
        {EVENT_OBJECT_NAMECHANGE, "score", "Score: (49.500|50.500)"},
        {EVENT_OBJECT_STATECHANGE, "START", nullptr},
        {EVENT_OBJECT_FOCUS, "START", nullptr},
    };
    size_t at = 0;
    for (const auto& want : expected) {
        HWND window = game.Element(want.element);
        auto matches = [&](const Seen& s) {
            return s.event == want.event && s.window == window &&
                   (want.name == nullptr || std::regex_match(s.name, std::regex(want.name)));
        };
        while (at < seen.size() && !matches(seen[at])) ++at;
        EXPECT_LT(at, seen.size()) << "no event " << std::hex << want.event << " on " << want.element
                                   << " in its place";
        if (at >= seen.size()) break;
    }
    if (HasFailure())
        for (const Seen& s : seen) ADD_FAILURE() << std::hex << s.event << " " << s.window << " " << s.name;
    // Every card the dealer drew came into view, named.
    const int dealerCards = [&] {
        int shown = 0;
        for (int i = 1; i < 8; ++i) shown += IsWindowVisible(game.Place(110, i)) ? 1 : 0;
        return shown;
    }();
    int shows = 0;
    for (const Seen& s : seen) shows += s.event == EVENT_OBJECT_SHOW ? 1 : 0;
    EXPECT_EQ(dealerCards, shows) << "one show event per card the dealer drew";
}

// A key pressed and released on the keyboard, as the foreground window receives it.
void Press(WORD key, bool shift = false) {
    std::vector<INPUT> strokes;
    auto add = [&](WORD code, DWORD flags) {
        INPUT stroke{};
        stroke.type = INPUT_KEYBOARD;
        stroke.ki.wVk = code;
        stroke.ki.dwFlags = flags;
        strokes.push_back(stroke);
    };
    if (shift) add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
    coretest::Pump(200);
}

// A top-level window of the game with this title (the about box, the exit question).
HWND WindowOfGame(const Game& game, const wchar_t* title) {
    HWND found = FindWindowW(nullptr, title);
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    return owner == game.Id() && IsWindowVisible(found) ? found : nullptr;
}

// No mouse: the harness brings the table to the front once, as the player's start of the
// program does, and every step after it is a key.
TEST_F(Accessibility, TwoRoundsTheAboutBoxAndTheExitByKeysAlone) {
    SetForegroundWindow(game.main);
    auto focusOn = [&](HWND window) {
        return WaitFor([&] { return window != nullptr && game.Focus() == window; });
    };
    ASSERT_TRUE(focusOn(game.Button(L"START")));

    // Round one: START, the stake raised with the slider's arrow, a card, STOP.
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return game.Button(L"CANCEL") != nullptr; }));
    for (int i = 0; i < 3; ++i) Press(VK_TAB);
    ASSERT_TRUE(focusOn(game.Element("slider"))) << "Tab reaches the slider past the disabled stake button";
    Press(VK_RIGHT);
    EXPECT_TRUE(WaitFor(
        [&] { return std::regex_match(ReadAccessible(game.Element("slider")).value, std::regex("1.000")); }));
    Press(VK_TAB, true);
    ASSERT_TRUE(focusOn(game.Button(L"GET CARD")));
    Press(VK_SPACE);
    if (game.Button(L"CANCEL") != nullptr) {  // not over 7.5
        if (game.Focus() != game.Button(L"STOP")) Press(VK_TAB, true);
        ASSERT_TRUE(focusOn(game.Button(L"STOP")));
        Press(VK_SPACE);
        EXPECT_TRUE(focusOn(game.main)) << "STOP hands the focus to the table";
        ASSERT_TRUE(game.RoundOver());
    }
    ASSERT_TRUE(focusOn(game.Button(L"START"))) << "START has the focus when the round ends";
    const std::string afterOne = StoredScore();
    EXPECT_TRUE(afterOne == "49000" || afterOne == "51000") << afterOne;

    // Round two, given up at once: half the stake of 500.
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return game.Button(L"CANCEL") != nullptr; }));
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return game.Button(L"START") != nullptr; }));
    EXPECT_EQ(std::to_string(std::stoi(afterOne) - 250), StoredScore());
    ASSERT_TRUE(focusOn(game.Button(L"START")));

    // The about box: opened from INFO, closed with Escape; the focus comes back to INFO.
    Press(VK_TAB, true);
    Press(VK_TAB, true);
    ASSERT_TRUE(focusOn(game.Button(L"INFO")));
    Press(VK_SPACE);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = WindowOfGame(game, L"Info...")) != nullptr; }));
    EXPECT_TRUE(focusOn(FindWindowExW(about, nullptr, L"Button", L"OK")));
    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return WindowOfGame(game, L"Info...") == nullptr; }));
    EXPECT_TRUE(focusOn(game.Button(L"INFO")));

    // The exit question from EXIT: No keeps the table, Yes leaves.
    Press(VK_TAB);
    ASSERT_TRUE(focusOn(game.Button(L"EXIT")));
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return WindowOfGame(game, L"Exit") != nullptr; }));
    Press('N');
    ASSERT_TRUE(WaitFor([&] { return WindowOfGame(game, L"Exit") == nullptr; }));
    EXPECT_TRUE(focusOn(game.Button(L"EXIT")));
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return WindowOfGame(game, L"Exit") != nullptr; }));
    Press('Y');
    EXPECT_TRUE(game.Ended(10000));
}

}  // namespace
