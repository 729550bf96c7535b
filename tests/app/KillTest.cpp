// Nothing is lost when the game dies: the real program is started, played from outside
// by clicks on its buttons, and killed at a random moment, fifty times over. The store
// must then hold the score of the last outcome that finished, and the next start must
// show it. And a second start leaves the running table alone: one table per player. And
// the end of the Windows session settles a running round as a close does.
#include "CoreTestSupport.h"
#include "GameProcess.h"
#include "SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using NeloUtility::ReadSetting;
using NeloUtility::WriteSetting;

const int relaunched = coretest::RunInsideVirtualDesktop();

std::string StoredScore() { return ReadSetting("Zandro", "Dati", "Score"); }

// The digits of a shown score with its sign, without the locale's grouping.
std::string Digits(const std::wstring& shown) {
    std::string digits;
    for (wchar_t c : shown)
        if ((c >= L'0' && c <= L'9') || c == L'-') digits += static_cast<char>(c);
    return digits;
}

using coretest::WindowText;

// One run of the game, seen from outside, with the score it shows.
class Game : public GameProcess {
public:
    std::string ShownScore() const { return Digits(WindowText(CellAt(455, 36))); }
};

// One life of the game: started, checked to show the stored score, played a little by
// random legal clicks, and killed. Returns the scores the store may hold after the
// kill: the one of the last outcome known to be finished, and the one shown when the
// game was frozen for the kill (an outcome then under way may have been stored or not).
struct Outcome {
    std::string finished;
    std::string shownAtKill;
};

Outcome PlayAndKill(Game& game, std::mt19937& random, const std::string& stored) {
    Outcome outcome{stored, stored};
    const int plan = std::uniform_int_distribution<int>(0, 9)(random);
    EXPECT_TRUE(game.Start()) << "CreateProcess error " << game.startError;
    if (plan == 0) {  // killed while it starts up
        Sleep(std::uniform_int_distribution<int>(0, 400)(random));
        game.Kill();
        return outcome;
    }
    EXPECT_TRUE(game.FindTable(15000));
    if (game.main == nullptr) return outcome;
    EXPECT_EQ(stored, game.ShownScore()) << "the table shows the stored score";

    const int actions = std::uniform_int_distribution<int>(1, 6)(random);
    for (int i = 0; i < actions; ++i) {
        HWND start = game.Button(L"START");
        HWND cancel = game.Button(L"CANCEL");
        HWND stop = game.Button(L"STOP");
        HWND getCard = game.Button(L"GET CARD");
        HWND pick = nullptr;
        const int roll = std::uniform_int_distribution<int>(0, 9)(random);
        if (game.Enabled(start))
            pick = start;
        else if (roll < 6 && game.Enabled(getCard))
            pick = getCard;
        else if (roll < 8 && game.Enabled(cancel))
            pick = cancel;
        else if (game.Enabled(stop))
            pick = stop;
        if (pick == nullptr) break;  // the dealer plays
        EXPECT_TRUE(game.Click(pick));
        outcome.finished = game.ShownScore();
    }
    if (plan <= 3) {  // a click still being handled
        HWND any = game.Button(L"GET CARD");
        if (!game.Enabled(any)) any = game.Button(L"START");
        if (game.Enabled(any)) game.PostClick(any);
        Sleep(std::uniform_int_distribution<int>(0, 3)(random));
    } else if (!game.Enabled(game.Button(L"START")) && !game.Enabled(game.Button(L"CANCEL"))) {
        // The dealer plays on its own two-second pace: kill it somewhere in its turn.
        Sleep(std::uniform_int_distribution<int>(0, 6500)(random));
    }
    game.Freeze();
    outcome.shownAtKill = game.ShownScore();
    game.Kill();
    return outcome;
}

TEST(Kill, FiftyKilledGamesLoseNoFinishedScore) {
    constexpr int kLives = 50;
    WriteSetting("Zandro", "Dati", "Score", "50000");
    std::mt19937 random(1957);
    Game game;
    int undecided = 0;
    for (int life = 0; life < kLives && !HasFatalFailure(); ++life) {
        SCOPED_TRACE("life " + std::to_string(life));
        const std::string before = StoredScore();
        const Outcome outcome = PlayAndKill(game, random, before);
        const std::string after = StoredScore();
        if (after != outcome.finished) {
            EXPECT_EQ(outcome.shownAtKill, after) << "stored neither the finished score " << outcome.finished
                                                  << " nor the one being saved at the kill";
            ++undecided;
        }
    }
    // And the last score stored is the one the next start shows.
    const std::string stored = StoredScore();
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.FindTable(15000));
    EXPECT_EQ(stored, game.ShownScore());
    game.Kill();
    std::printf("%d lives; %d ended by an outcome the test did not wait for; final score %s\n", kLives,
                undecided, stored.c_str());
}

// The game's tables on the screen: visible top-level windows with a START or CANCEL button.
int TablesOnScreen() {
    int tables = 0;
    EnumWindows(
        [](HWND window, LPARAM count) -> BOOL {
            if (IsWindowVisible(window) && (FindWindowExW(window, nullptr, L"Button", L"START") != nullptr ||
                                            FindWindowExW(window, nullptr, L"Button", L"CANCEL") != nullptr))
                ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tables));
    return tables;
}

bool WaitUntil(bool (*done)(HWND), HWND window, DWORD timeoutMs) {
    for (DWORD waited = 0; !done(window); waited += 20) {
        if (waited >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// A double click too many starts the game twice at once: one table comes up, the other
// start ends with 0. A later start brings the minimised table back, and the table plays
// and stores its score as if it were alone.
TEST(SecondStart, BringsTheRunningTableForwardAndEnds) {
    WriteSetting("Zandro", "Dati", "Score", "50000");
    Game starts[2];
    ASSERT_TRUE(starts[0].Start());
    ASSERT_TRUE(starts[1].Start());
    const HANDLE processes[] = {starts[0].Process(), starts[1].Process()};
    const DWORD ended = WaitForMultipleObjects(2, processes, FALSE, 20000) - WAIT_OBJECT_0;
    ASSERT_LT(ended, 2u) << "neither start ended";
    EXPECT_EQ(0, starts[ended].ExitCode(0));
    Game& table = starts[1 - ended];
    ASSERT_TRUE(table.FindTable(15000));
    EXPECT_EQ(-1, table.ExitCode(500)) << "the table stays";
    EXPECT_EQ(1, TablesOnScreen());

    ShowWindow(table.main, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([](HWND w) { return IsIconic(w) != FALSE; }, table.main, 5000));
    Game later;
    ASSERT_TRUE(later.Start());
    EXPECT_EQ(0, later.ExitCode(20000));
    EXPECT_TRUE(WaitUntil([](HWND w) { return IsIconic(w) == FALSE; }, table.main, 5000)) << "restored";
    EXPECT_TRUE(WaitUntil([](HWND w) { return GetForegroundWindow() == w; }, table.main, 5000)) << "in front";
    EXPECT_EQ(1, TablesOnScreen());

    // START, STOP, and the dealer plays its turn to the outcome.
    ASSERT_TRUE(table.Click(table.Button(L"START")));
    ASSERT_TRUE(table.Click(table.Button(L"STOP")));
    for (int waited = 0; waited < 15000 && !table.Enabled(table.Button(L"START")); waited += 50) Sleep(50);
    ASSERT_TRUE(table.Enabled(table.Button(L"START"))) << "the dealer never finished";
    const std::string shown = table.ShownScore();
    EXPECT_TRUE(shown == "49500" || shown == "50500") << shown;
    EXPECT_EQ(shown, StoredScore());
}

// What a field of another process holds (GetWindowText reads only a caption there).
std::wstring FieldText(HWND field) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(field, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &copied);
    return text;
}

// A zandro: link clicked while the game runs: the running game opens its Play online box
// filled in with the invitation, and the second start ends. What any other program sends
// the same way (another tag, a link that is not a whole invitation, one too long) is left
// alone.
TEST(SecondStart, HandsAnInvitationToTheRunningGame) {
    const ULONG_PTR kInvitationTag = 0x5A414E44;  // the game's own, "ZAND"
    const std::string invitation = "zandro://127.0.0.1:7575/7KQ2MX#sha256=" + std::string(64, 'A');
    Game table;
    ASSERT_TRUE(table.Start());
    ASSERT_TRUE(table.FindTable(15000));
    const struct {
        ULONG_PTR tag;
        std::string text;
    } refused[] = {{kInvitationTag, "zandro://127.0.0.1:7575/"},
                   {kInvitationTag, std::string("zandro://127.0.0.1:7575/7KQ2MX\0", 31)},
                   {kInvitationTag, invitation + std::string(1000, 'A')},
                   {kInvitationTag, ""},
                   {0x1234, invitation}};
    for (const auto& r : refused) {
        COPYDATASTRUCT data{r.tag, static_cast<DWORD>(r.text.size()), const_cast<char*>(r.text.data())};
        DWORD_PTR taken = TRUE;
        ASSERT_NE(0, SendMessageTimeoutW(table.main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                         SMTO_NORMAL, 5000, &taken));
        EXPECT_EQ(static_cast<DWORD_PTR>(FALSE), taken) << r.text.substr(0, 40);
    }
    Game broken;
    ASSERT_TRUE(broken.Start(L"zandro://nowhere"));
    EXPECT_EQ(0, broken.ExitCode(20000));
    Sleep(500);
    EXPECT_EQ(nullptr, table.Window(L"Play online...")) << "nothing but an invitation opens the box";

    Game invited;
    ASSERT_TRUE(invited.Start(L"\"" + std::wstring(invitation.begin(), invitation.end()) + L"\""));
    EXPECT_EQ(0, invited.ExitCode(20000)) << "the second start ends";
    HWND box = nullptr;
    for (int waited = 0; waited < 10000 && box == nullptr; waited += 50, Sleep(50))
        box = table.Window(L"Play online...");
    ASSERT_NE(nullptr, box) << "the running game opens its Play online box";
    std::vector<std::wstring> fields;  // the invitation, the server, the name
    for (HWND field = FindWindowExW(box, nullptr, L"Edit", nullptr); field != nullptr;
         field = FindWindowExW(box, field, L"Edit", nullptr))
        fields.push_back(FieldText(field));
    ASSERT_EQ(3u, fields.size());
    EXPECT_EQ(std::wstring(invitation.begin(), invitation.end()), fields.front())
        << "the invitation in the box";
    EXPECT_FALSE(fields.back().empty())
        << "a name to join with at once: the last one played, else the user's";
    EXPECT_EQ(-1, table.ExitCode(0)) << "the running game goes on";
}

// Ends the session as Wine's wineboot does for every program: the question, then the end.
bool EndSession() {
    wchar_t endSession[] = L"wineboot.exe --end-session";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION wineboot{};
    if (!CreateProcessW(nullptr, endSession, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &wineboot))
        return false;
    const bool ended = WaitForSingleObject(wineboot.hProcess, 30000) == WAIT_OBJECT_0;
    CloseHandle(wineboot.hThread);
    CloseHandle(wineboot.hProcess);
    return ended;
}

// Logging off in the middle of a round is no free way out of a losing hand: the round is
// charged as one abandoned on exit (half the stake in the player's turn) and stored before
// the game ends. The session's end asks nothing, and an idle table stores nothing new. Told
// by the two messages alone (as a restart manager closes a program), the game ends itself.
TEST(SessionEnd, ChargesARunningRoundAndLeavesAnIdleTableAlone) {
    struct Case {
        const char* how;
        bool inRound;
        bool byWineboot;
        const char* stored;  // the store holds "1" from when the table is up: a write shows
    } const cases[] = {{"wineboot, in a round", true, true, "49750"},
                       {"wineboot, idle table", false, true, "1"},
                       {"the messages alone, in a round", true, false, "49750"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        WriteSetting("Zandro", "Dati", "Score", "50000");
        Game game;
        ASSERT_TRUE(game.Start());
        ASSERT_TRUE(game.FindTable(15000));
        if (c.inRound) {
            ASSERT_TRUE(game.Click(game.Button(L"START")));
        }
        WriteSetting("Zandro", "Dati", "Score", "1");
        DWORD_PTR mayEnd = 0, ignored = 0;
        if (c.byWineboot) {
            EXPECT_TRUE(EndSession()) << "the session's end was held up";
        } else {
            SendMessageTimeoutW(game.main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                                &mayEnd);
            EXPECT_EQ(DWORD_PTR{TRUE}, mayEnd);
            SendMessageTimeoutW(game.main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                                &ignored);
        }
        const long code = game.ExitCode(15000);
        EXPECT_TRUE(c.byWineboot ? code != -1 : code == 0) << "the game outlived the session: " << code;
        EXPECT_EQ(c.stored, StoredScore());
    }
}

}  // namespace
