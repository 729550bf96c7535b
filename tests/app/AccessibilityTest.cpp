// The built game as a screen reader and a keyboard player meet it, from another process:
// names, roles and states read through the accessible objects at three moments of a round
// and the events an out-of-context WinEvent hook receives while the dealer plays; then two
// rounds, the about box and the exit question played with key presses alone.
#include "CoreTestSupport.h"
#include "GameProcess.h"
#include "SettingsStore.h"

#include <oleacc.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

namespace {

const int relaunched = coretest::RunInsideVirtualDesktop();

std::string StoredScore() { return NeloUtility::ReadSetting("Zandro", "Dati", "Score"); }
bool Matches(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}

// Waits for a condition, keeping this thread's messages (the hook's calls) flowing.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    for (const DWORD start = GetTickCount(); !done(); coretest::Pump(20))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

// What a screen reader reads of one window's client object.
struct Read {
    std::string name, value;
    long role = 0, state = 0;
};

Read ReadAccessible(HWND window) {
    Read read;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return read;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF
    for (auto [get, out] : {std::make_pair(&IAccessible::get_accName, &read.name),
                            std::make_pair(&IAccessible::get_accValue, &read.value)}) {
        BSTR text = nullptr;
        if ((object->*get)(self, &text) == S_OK && text != nullptr) *out = NeloUtility::WideToUtf8(text);
        SysFreeString(text);
    }
    VARIANT result{};
    if (SUCCEEDED(object->get_accRole(self, &result)) && result.vt == VT_I4) read.role = result.lVal;
    if (SUCCEEDED(object->get_accState(self, &result)) && result.vt == VT_I4) read.state = result.lVal;
    object->Release();
    return read;
}

// The real Zandro.exe over a stored score of 50000 and a stored language choice (none:
// Windows'), read by the names of its elements.
class Game : public GameProcess {
public:
    explicit Game(const wchar_t* start = L"START", const char* language = "") {
        NeloUtility::WriteSetting("Zandro", "Dati", "Score", "50000");
        NeloUtility::WriteSetting("Zandro", "Dati", "Language", language);
        startCaption = start;
        if (Start()) FindTable(15000);
    }

    // The table's elements by what they show or where they stand on the 640 x 480 table.
    HWND Element(const std::string& name) const {
        const struct {
            const char* name;
            int x, y;
        } places[] = {{"dealer points", 165, 92}, {"player points", 165, 252}, {"remaining", 585, 283},
                      {"message", 320, 402},      {"score", 455, 36},          {"logo", 100, 40},
                      {"stake button", 430, 455}, {"slider", 540, 455}};
        for (const auto& place : places)
            if (name == place.name) return CellAt(place.x, place.y);
        if (name.rfind("dealer card ", 0) == 0) return Card(110, name.back() - '0');
        if (name.rfind("player card ", 0) == 0) return Card(270, name.back() - '0');
        return Button(NeloUtility::Widen(name).c_str());
    }
    HWND Card(int rowY, int index) const { return CellAt(35 + 63 * index + (index > 0 ? 10 : 0), rowY + 50); }
    bool FocusOn(HWND window) const {
        return WaitFor([&] { return window != nullptr && Focus() == window; });
    }
    bool FocusOn(const wchar_t* caption) const { return FocusOn(Button(caption)); }
    bool Shows(const wchar_t* caption) const {
        return WaitFor([&] { return Enabled(Button(caption)); }, 30000);
    }
    bool Opened(const wchar_t* title, bool open = true) const {
        return WaitFor([&] { return (Window(title) != nullptr) == open; });
    }
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
const std::string kPoints = "[0-9]+(\\.5)? points?";
const char* const kOutcome = "(Dealer exceeded 7\\.5\\. )?You (won|lost)!";
const char* const kScoreAfter = "Score: (49.500|50.500)";  // a round for 500, won or lost

enum class Moment { Idle, PlayerTurn, Outcome };
const long kOff = STATE_SYSTEM_UNAVAILABLE, kFocused = STATE_SYSTEM_FOCUSED, kHidden = STATE_SYSTEM_INVISIBLE;
const long kButton = ROLE_SYSTEM_PUSHBUTTON, kText = ROLE_SYSTEM_STATICTEXT, kPicture = ROLE_SYSTEM_GRAPHIC;

const struct Expected {
    Moment when;
    const char* element;
    std::string name;  // a pattern
    long role, stateOn, stateOff;
    const char* value = nullptr;  // null: not checked
} kTable[] = {
    {Moment::Idle, "START", "START", kButton, kFocused, kOff},
    {Moment::Idle, "STOP", "STOP", kButton, kOff, kFocused},
    {Moment::Idle, "INFO", "INFO", kButton, STATE_SYSTEM_FOCUSABLE, kOff},
    {Moment::Idle, "slider", "Stake", ROLE_SYSTEM_SLIDER, kOff, 0, "500"},
    {Moment::Idle, "stake button", "Stake: 500", kButton, kOff, 0},
    {Moment::Idle, "dealer points", "Dealer: 0 points", kText, 0, kHidden},
    {Moment::Idle, "score", "Score: 50.000", kText, 0, 0},
    {Moment::Idle, "remaining", "Remaining cards: 0", kText, 0, 0},
    {Moment::Idle, "message", "", kText, 0, 0},
    {Moment::Idle, "dealer card 7", "covered card", kPicture, 0, kHidden},
    {Moment::Idle, "logo", "Zandro\\+\\+", kPicture, 0, 0},
    {Moment::PlayerTurn, "CANCEL", "CANCEL", kButton, 0, kOff},
    {Moment::PlayerTurn, "GET CARD", "GET CARD", kButton, 0, kOff},
    {Moment::PlayerTurn, "slider", "Stake", ROLE_SYSTEM_SLIDER, 0, kOff, "500"},
    {Moment::PlayerTurn, "dealer card 0", "covered card", kPicture, 0, kHidden},
    {Moment::PlayerTurn, "dealer card 1", ".*", kPicture, kHidden, 0},
    {Moment::PlayerTurn, "player card 0", kCard, kPicture, 0, kHidden},
    {Moment::PlayerTurn, "player points", "Player: " + kPoints, kText, 0, 0},
    {Moment::PlayerTurn, "remaining", "Remaining cards: 38", kText, 0, 0},
    {Moment::Outcome, "START", "START", kButton, kFocused, kOff},
    {Moment::Outcome, "STOP", "STOP", kButton, kOff, kFocused},
    {Moment::Outcome, "dealer card 0", kCard, kPicture, 0, kHidden},
    {Moment::Outcome, "dealer points", "Dealer: " + kPoints, kText, 0, 0},
    {Moment::Outcome, "message", kOutcome, kText, 0, 0},
    {Moment::Outcome, "score", kScoreAfter, kText, 0, 0},
};

void CheckMoment(const Game& game, Moment moment) {
    for (const Expected& row : kTable) {
        if (row.when != moment) continue;
        SCOPED_TRACE(std::string(row.element) + " at moment " + std::to_string(static_cast<int>(moment)));
        const Read read = ReadAccessible(game.Element(row.element));
        EXPECT_TRUE(Matches(read.name, row.name)) << "name \"" << read.name << "\"";
        EXPECT_EQ(row.role, read.role);
        EXPECT_EQ(row.stateOn, read.state & row.stateOn) << "state " << std::hex << read.state;
        EXPECT_EQ(0, read.state & row.stateOff) << "state " << std::hex << read.state;
        if (row.value != nullptr) {
            EXPECT_EQ(row.value, read.value);
        }
    }
}

// What the hook heard: the event, the window and the name read right after it.
struct Heard {
    DWORD event;
    HWND window;
    std::string name;
};
std::vector<Heard> heard;
const Game* hookedGame = nullptr;

// Wine does not filter out-of-context hooks by process: the game's events are kept here.
void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (!hookedGame->Owns(window) || object != OBJID_CLIENT || child != CHILDID_SELF) return;
    heard.push_back(Heard{event, window, ""});  // before the name: reading lets the next events in
    const size_t index = heard.size() - 1;
    if (event == EVENT_OBJECT_NAMECHANGE) heard[index].name = ReadAccessible(window).name;
}

TEST_F(Accessibility, ReadAndHeardThroughARound) {
    ASSERT_TRUE(game.FocusOn(L"START")) << "START has the focus at the first start";
    CheckMoment(game, Moment::Idle);
    game.PostClick(game.Button(L"START"));
    ASSERT_TRUE(game.Shows(L"CANCEL"));
    CheckMoment(game, Moment::PlayerTurn);

    hookedGame = &game;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Hear, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    ASSERT_NE(nullptr, hook);
    coretest::Pump(300);  // the hook takes a moment to be in place
    game.PostClick(game.Button(L"STOP"));
    EXPECT_TRUE(game.FocusOn(game.main)) << "STOP hands the focus to the table";
    ASSERT_TRUE(game.Shows(L"START"));
    game.FocusOn(L"START");
    coretest::Pump(300);
    UnhookWinEvent(hook);
    CheckMoment(game, Moment::Outcome);

    // The dealer's turn as the hook heard it, each event after the one before.
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
        {EVENT_OBJECT_NAMECHANGE, "message", kOutcome},
        {EVENT_OBJECT_NAMECHANGE, "score", kScoreAfter},
        {EVENT_OBJECT_STATECHANGE, "START", nullptr},
        {EVENT_OBJECT_FOCUS, "START", nullptr},
    };
    size_t at = 0;
    for (const auto& want : expected) {
        HWND window = game.Element(want.element);
        while (at < heard.size() && !(heard[at].event == want.event && heard[at].window == window &&
                                      (want.name == nullptr || Matches(heard[at].name, want.name))))
            ++at;
        ASSERT_LT(at, heard.size()) << "no event " << std::hex << want.event << " on " << want.element;
    }
    int drawn = 0, shown = 0;
    for (int i = 1; i < 8; ++i) drawn += IsWindowVisible(game.Card(110, i)) ? 1 : 0;
    for (const Heard& h : heard) shown += h.event == EVENT_OBJECT_SHOW ? 1 : 0;
    EXPECT_EQ(drawn, shown) << "one show event per card the dealer drew";
}

// A key pressed and released on the keyboard, as the foreground window receives it, a number of times.
void Press(WORD key, bool shift = false, int times = 1) {
    for (int i = 0; i < times; ++i) {
        GameProcess::SendKey(key, shift ? VK_SHIFT : 0);
        coretest::Pump(200);
    }
}

// No mouse: the harness brings the table to the front once, as starting the program does,
// and every step after it is a key.
TEST_F(Accessibility, TwoRoundsTheAboutBoxAndTheExitByKeysAlone) {
    SetForegroundWindow(game.main);
    ASSERT_TRUE(game.FocusOn(L"START"));

    // Round one: START, the stake raised with the slider's arrow, a card, STOP.
    Press(VK_SPACE);
    ASSERT_TRUE(game.Shows(L"CANCEL"));
    Press(VK_TAB, false, 3);
    ASSERT_TRUE(game.FocusOn(game.Element("slider"))) << "Tab passes the disabled stake button";
    Press(VK_RIGHT);
    EXPECT_TRUE(WaitFor([&] { return Matches(ReadAccessible(game.Element("slider")).value, "1.000"); }));
    Press(VK_TAB, true);
    ASSERT_TRUE(game.FocusOn(L"GET CARD"));
    Press(VK_SPACE);
    if (game.Button(L"CANCEL") != nullptr) {  // not over 7.5
        if (game.Focus() != game.Button(L"STOP")) Press(VK_TAB, true);
        ASSERT_TRUE(game.FocusOn(L"STOP"));
        Press(VK_SPACE);
        EXPECT_TRUE(game.FocusOn(game.main)) << "STOP hands the focus to the table";
        Press(VK_TAB);  // while the dealer plays, Tab goes on from the table; the round keeps that choice
        EXPECT_TRUE(game.FocusOn(L"INFO"));
        ASSERT_TRUE(game.Shows(L"START"));
        EXPECT_TRUE(game.FocusOn(L"INFO"));
        Press(VK_TAB, false, 2);
    }
    ASSERT_TRUE(game.FocusOn(L"START"));
    const std::string afterOne = StoredScore();
    EXPECT_TRUE(afterOne == "49000" || afterOne == "51000") << afterOne;

    // Round two, given up at once: half the stake of 500.
    Press(VK_SPACE);
    ASSERT_TRUE(game.Shows(L"CANCEL"));
    Press(VK_SPACE);
    ASSERT_TRUE(game.Shows(L"START"));
    EXPECT_EQ(std::to_string(std::stoi(afterOne) - 250), StoredScore());
    ASSERT_TRUE(game.FocusOn(L"START"));

    // The about box: opened from INFO, closed with Escape; the focus comes back to INFO.
    Press(VK_TAB, true, 2);
    ASSERT_TRUE(game.FocusOn(L"INFO"));
    Press(VK_SPACE);
    ASSERT_TRUE(game.Opened(L"Info..."));
    EXPECT_TRUE(game.FocusOn(FindWindowExW(game.Window(L"Info..."), nullptr, L"Button", L"OK")));
    Press(VK_ESCAPE);
    ASSERT_TRUE(game.Opened(L"Info...", false));
    EXPECT_TRUE(game.FocusOn(L"INFO"));

    // The exit question from EXIT: No keeps the table and gives the focus back, Yes leaves.
    Press(VK_TAB);
    ASSERT_TRUE(game.FocusOn(L"EXIT"));
    for (WORD answer : {WORD{'N'}, WORD{'Y'}}) {
        Press(VK_SPACE);
        ASSERT_TRUE(game.Opened(L"Exit"));
        Press(answer);
        if (answer == 'N') {
            EXPECT_TRUE(game.FocusOn(L"EXIT"));
        }
    }
    EXPECT_TRUE(game.Ended(10000));
}

// ---- options: hint, statistics, sound ----------------------------------------------

bool ModuleLoaded(DWORD processId, const wchar_t* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &module); more && !found;
         more = Module32NextW(snapshot, &module))
        found = lstrcmpiW(module.szModule, name) == 0;
    CloseHandle(snapshot);
    return found;
}

// What a screen reader reads of each figure in the statistics box: name, value.
std::vector<std::pair<std::string, std::string>> ReadFigures(HWND box) {
    std::vector<HWND> children;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::vector<std::pair<std::string, std::string>> figures;
    for (HWND child : children) {
        const Read read = ReadAccessible(child);
        if (read.role == ROLE_SYSTEM_STATICTEXT && !read.value.empty())
            figures.emplace_back(read.name, read.value);
    }
    return figures;
}

// Stored statistics, a round by keys with the hint asked on F2, the statistics box read and
// reset, and the sound switch, with the sound off from the start.
TEST(Options, HintStatisticsAndSound) {
    const struct {
        const char* name;
        const char* value;
    } stored[] = {{"Rounds", "3"},        {"Won", "2"},       {"Lost", "1"},
                  {"Busts", "1"},         {"Abandoned", "0"}, {"BestScore", "60000"},
                  {"LongestStreak", "2"}, {"Streak", "0"},    {"Sound", "0"}};
    for (const auto& value : stored) NeloUtility::WriteSetting("Zandro", "Dati", value.name, value.value);
    CoInitialize(nullptr);
    Game game;
    ASSERT_NE(nullptr, game.main);
    SetForegroundWindow(game.main);
    ASSERT_TRUE(game.FocusOn(L"START"));
    HWND message = game.Element("message");

    Press(VK_F2);  // no hint before the round
    EXPECT_EQ("", ReadAccessible(message).name);
    Press(VK_SPACE);
    ASSERT_TRUE(game.Shows(L"CANCEL"));
    Press(VK_F2);
    const std::string figure = "(\\+[0-9.]+|\xE2\x88\x92[0-9.]+|0)";
    EXPECT_TRUE(WaitFor([&] {
        return Matches(ReadAccessible(message).name, "Hint: (STOP|GET CARD|CANCEL)\\. Expected: STOP " +
                                                         figure + ", GET CARD " + figure +
                                                         ", CANCEL \xE2\x88\x92"
                                                         "250\\.");
    })) << ReadAccessible(message).name;
    Press(VK_TAB, false, 2);
    ASSERT_TRUE(game.FocusOn(L"GET CARD"));
    Press(VK_SPACE);
    EXPECT_FALSE(Matches(ReadAccessible(message).name, "Hint.*")) << "the hint lasts until the next action";
    if (game.Button(L"CANCEL") != nullptr) {
        if (game.Focus() != game.Button(L"STOP")) Press(VK_TAB, true);
        ASSERT_TRUE(game.FocusOn(L"STOP"));
        Press(VK_SPACE);
    }
    ASSERT_TRUE(game.Shows(L"START"));
    EXPECT_FALSE(ModuleLoaded(GetProcessId(game.Process()), L"winmm.dll")) << "the sound is off";
    EXPECT_TRUE(ModuleLoaded(GetProcessId(game.Process()), L"user32.dll"));

    // Options > Statistics... (a menu cannot be driven from another process here: its
    // command is posted, as the menu sends it).
    const WPARAM statisticsItem = 6, soundItem = 7;
    PostMessageW(game.main, WM_COMMAND, statisticsItem, 0);
    ASSERT_TRUE(game.Opened(L"Statistics"));
    HWND box = game.Window(L"Statistics");
    const auto figures = ReadFigures(box);
    ASSERT_EQ(9u, figures.size());
    EXPECT_EQ(std::make_pair(std::string("Rounds played"), std::string("4")), figures[0]);
    EXPECT_TRUE(Matches(figures[5].second, "(50|75)%")) << figures[5].first;
    EXPECT_EQ("Best score", figures[6].first);
    EXPECT_TRUE(Matches(figures[6].second, "60.000")) << "grouped as the table groups";
    EXPECT_EQ(std::make_pair(std::string("Longest winning streak"), std::string("2")), figures[7]);

    // Reset, answered Yes: every figure 0, the score kept.
    const std::string score = StoredScore();
    ASSERT_TRUE(game.FocusOn(FindWindowExW(box, nullptr, L"Button", L"Close")));
    Press(VK_TAB);
    ASSERT_TRUE(game.FocusOn(FindWindowExW(box, nullptr, L"Button", L"&Reset")));
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([] { return FindWindowW(L"#32770", L"Statistics") != nullptr; }));
    Press('Y');
    EXPECT_TRUE(WaitFor([] { return NeloUtility::ReadSetting("Zandro", "Dati", "Rounds") == "0"; }));
    EXPECT_EQ("0", ReadFigures(box)[0].second);
    EXPECT_EQ(score, StoredScore());
    EXPECT_EQ(score, NeloUtility::ReadSetting("Zandro", "Dati", "BestScore"))
        << "the best so far is the score";
    Press(VK_ESCAPE);
    ASSERT_TRUE(game.Opened(L"Statistics", false));
    EXPECT_TRUE(game.FocusOn(L"START")) << "the focus comes back from the box";

    // The sound switch, on and off again.
    for (const char* expected : {"1", "0"}) {
        PostMessageW(game.main, WM_COMMAND, soundItem, 0);
        EXPECT_TRUE(WaitFor([&] { return NeloUtility::ReadSetting("Zandro", "Dati", "Sound") == expected; }));
    }
    CoUninitialize();
}

// ---- languages -------------------------------------------------------------------

void CheckNames(const Game& game, const std::vector<std::pair<const char*, std::string>>& names) {
    for (const auto& [element, pattern] : names) {
        const std::string name = ReadAccessible(game.Element(element)).name;
        EXPECT_TRUE(Matches(name, pattern)) << element << ": \"" << name << "\"";
    }
}

// Runs as an Italian user of Windows (game_language_tests: Wine takes the user's language
// from LC_ALL, and a started game inherits it).
const char* const kSpanishCard =
    "(as|dos|tres|cuatro|cinco|seis|siete|sota|caballo|rey) de (oros|copas|espadas|bastos)(, "
    "comod\xC3\xADn)?";

TEST(Languages, TheUsersLanguageAChoiceMidRoundAndAStoredOne) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_ITALIAN) GTEST_SKIP() << "for an Italian user";
    CoInitialize(nullptr);
    const std::string italianCard =
        "(asso|due|tre|quattro|cinque|sei|sette|fante|cavallo|re) di (denari|coppe|spade|bastoni)(, matta)?";
    {
        const Game game(L"GIOCA");
        ASSERT_NE(nullptr, game.main) << "no Italian table";
        CheckNames(game, {{"GIOCA", "GIOCA"},
                          {"dealer card 7", "carta coperta"},
                          {"score", "Punteggio: 50.000"},
                          {"stake button", "Posta: 500"},
                          {"dealer points", "Banco: 0 punti"}});

        game.PostClick(game.Button(L"GIOCA"));
        ASSERT_TRUE(game.Shows(L"ABBANDONA"));
        CheckNames(game,
                   {{"player card 0", italianCard}, {"player points", "Giocatore: [0-9]+(,5)? punt[oi]"}});

        // Spanish from the menu, mid-round: the table and the names at once. A menu cannot
        // be read from another process here; the menu's own numbers are game_menu_exit_tests'.
        const WPARAM spanishItem = 13;
        PostMessageW(game.main, WM_COMMAND, spanishItem, 0);
        ASSERT_TRUE(game.Shows(L"ABANDONAR"));
        CheckNames(game,
                   {{"player card 0",
                     "(as|dos|tres|cuatro|cinco|seis|siete|sota|caballo|rey) de (oros|copas|espadas|bastos)"
                     "(, comod\xC3\xADn)?"},
                    {"player points", "Jugador: [0-9]+(,5)? puntos?"},
                    {"dealer card 0", "carta tapada"},
                    {"ME PLANTO", "ME PLANTO"},
                    {"score", "Puntos: 50.000"}});
        EXPECT_EQ("es", NeloUtility::ReadSetting("Zandro", "Dati", "Language"));
    }
    {
        const Game stored(L"START", "en");
        ASSERT_NE(nullptr, stored.main) << "the stored English did not win over an Italian Windows";
        CheckNames(stored, {{"dealer card 7", "covered card"}, {"stake button", "Stake: 500"}});
    }
    {
        const Game damaged(L"GIOCA", "xx\x01");
        ASSERT_NE(nullptr, damaged.main) << "a damaged choice does not follow Windows";
        CheckNames(damaged, {{"dealer card 7", "carta coperta"}});
    }
    CoUninitialize();
}

// Runs as a Spanish user of Windows (game_language_tests_es).
TEST(Languages, ASpanishUserReadsSpanish) {
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_SPANISH) GTEST_SKIP() << "for a Spanish user";
    CoInitialize(nullptr);
    {
        const Game game(L"JUGAR");
        ASSERT_NE(nullptr, game.main) << "no Spanish table";
        CheckNames(game, {{"dealer card 7", "carta tapada"},
                          {"score", "Puntos: 50.000"},
                          {"stake button", "Apuesta: 500"},
                          {"remaining", "Cartas restantes: 0"}});
        game.PostClick(game.Button(L"JUGAR"));
        ASSERT_TRUE(game.Shows(L"ABANDONAR"));
        CheckNames(game,
                   {{"player card 0", kSpanishCard}, {"player points", "Jugador: [0-9]+(,5)? puntos?"}});
    }
    CoUninitialize();
}

}  // namespace
