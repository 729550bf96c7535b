// Two persons at one table of the real zandro-server, each in a Zandro.exe of their own
// and a Wine prefix of their own, with two computer seats. online-table-test starts the
// server and runs this program twice at once, one test per prefix: the creator makes the
// table by keys and hands its invitation over, the joiner first tries an invitation with
// a wrong fingerprint, then pastes the right one. Both play an evening by keys and read
// their window as a screen reader does; the joiner's game is killed mid-round and comes
// back by itself. The two talk through files in a folder the script gives them.
#include "CoreTestSupport.h"
#include "EveningSetup.h"
#include "GameProcess.h"
#include "GameTexts.h"
#include "RoundSentences.h"
#include "SettingsStore.h"
#include "TableReading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace tablereading;

const int relaunched = coretest::RunInsideVirtualDesktop(L"1600x1000");

const int kKillAtTurn = 2;  // the joiner's game is killed in this turn, before its choice
const long long kTableChips = 4LL * 50000;

// What the game says and which keys reach its commands, in each language played here;
// its sentences come from the game's own texts (Text).
struct Words {
    const char* language;  // the game's stored language choice
    TextIds::Language texts;
    WORD fileKey, onlineKey;
    const wchar_t *start, *stop, *showCard;
    const char *bank, *chips, *inTurn, *card;
    std::string Text(unsigned id) const { return DoDadu::TableTexts(texts).Text(id); }
};
const Words kItalian{"it",   TextIds::Language::Italian, 'F',     'R',      L"GIOCA",
                     L"STO", L"&Mostra carta",           "banco", "fiches", "di turno",
                     "carta"};
const Words kSpanish{"es",         TextIds::Language::Spanish, 'A',     'L',      L"JUGAR",
                     L"ME PLANTO", L"&Ver mi carta",           "banca", "fichas", "jugador de turno",
                     "carta"};

std::string Environment(const char* name) {
    char value[1024] = {};
    return GetEnvironmentVariableA(name, value, sizeof value) > 0 ? value : "";
}

// Each language creates a table in one run and joins it in the other: the creator speaks
// Italian and the joiner Spanish, or the other way round.
const bool kSwapped = Environment("ZANDRO_ONLINE_CREATOR") == "es";
const Words& kCreator = kSwapped ? kSpanish : kItalian;
const Words& kJoiner = kSwapped ? kItalian : kSpanish;

// The folder both roles read and write, and the server they play on.
const std::string kExchange = Environment("ZANDRO_ONLINE_EXCHANGE");
const std::string kServer = Environment("ZANDRO_ONLINE_SERVER");  // 127.0.0.1:PORT
const std::string kPin = Environment("ZANDRO_ONLINE_PIN");

// The turns each person plays (a turn a round): a few, or as many as a measurement asks for.
const int kTurns = std::max(4, std::atoi(Environment("ZANDRO_ONLINE_TURNS").c_str()));

const DWORD kEveningMs = 60000 + 10000 * kTurns;  // the longest an evening may take

std::string ExchangeFile(const std::string& name) { return kExchange + "\\" + name; }

// A note for the other role, whole or not at all.
void Put(const std::string& name, const std::string& text) {
    const std::string path = ExchangeFile(name);
    { std::ofstream(path + ".part") << text; }
    MoveFileExA((path + ".part").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}
void Append(const std::string& name, const std::string& line) {
    std::ofstream(ExchangeFile(name), std::ios::app) << line << '\n';
}
bool Exists(const std::string& name) {
    return GetFileAttributesA(ExchangeFile(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}
std::string Read(const std::string& name) {
    std::stringstream text;
    text << std::ifstream(ExchangeFile(name)).rdbuf();
    return text.str();
}
// The other role's note, once it is there; nothing once the other gave up.
std::string Await(const std::string& name, DWORD timeoutMs) {
    WaitFor([&] { return Exists(name) || Exists("gave-up"); }, timeoutMs);
    return Exists(name) ? Read(name) : std::string();
}

void SetClipboardText(const std::string& text) {
    const std::wstring wide = NeloUtility::Utf8ToWide(text);
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(GlobalLock(copy)));
    GlobalUnlock(copy);
    SetClipboardData(CF_UNICODETEXT, copy);
    CloseClipboard();
}
std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = NeloUtility::WideToUtf8(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Text typed into the field with the focus, a character at a time.
void Type(const std::string& text) {
    for (wchar_t c : NeloUtility::Utf8ToWide(text)) {
        INPUT strokes[2] = {};
        for (INPUT& stroke : strokes) {
            stroke.type = INPUT_KEYBOARD;
            stroke.ki.wScan = c;
            stroke.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        strokes[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, strokes, sizeof(INPUT));
    }
    coretest::Pump(150);
}
void Paste(const std::string& text) {
    SetClipboardText(text);
    Press('V', VK_CONTROL);
}

// The card a name reads in that language (1 to 40), or 0.
int CardNamed(const std::string& name, const Words& words) {
    const DoDadu::TableTexts texts(words.texts);
    for (int card = 1; card <= 40; ++card)
        if (DoDadu::CardName(card, texts) == name) return card;
    return 0;
}

// The machine's clock in 100 ns steps, one for every process and both Wine prefixes: the
// precise one where Windows has it (8 and later).
std::int64_t ClockNow() {
    using Precise = void(WINAPI*)(LPFILETIME);
    static const auto precise = reinterpret_cast<Precise>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now{};
    if (precise != nullptr)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                                     now.dwLowDateTime);
}

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return NeloUtility::WideToUtf8(name);
}

// What one look at the table shows: chips, the bank, the seat in turn, each seat's first card.
struct Sight {
    std::map<std::string, long long> chips;
    std::string bank, inTurn, code;  // code: the lobby's
    int free = 0;                    // the lobby's seats waiting for a player
    std::map<std::string, std::string> firstCard;
    std::map<std::string, HWND> hand;  // the line under each seat's name: points, state, stake
};

// One game in its own prefix, from the classic table to its online table.
class OnlineGame : public GameProcess {
public:
    explicit OnlineGame(const Words& says) : words(says) {
        NeloUtility::WriteSetting("Zandro", "Dati", "Language", words.language);
        startCaption = words.start;
    }

    // The game started on its classic table, then File, Play online by keys: the box.
    bool OpenPlayOnline() {
        if (!Start() || !FindTable(20000)) return false;
        SetForegroundWindow(main);
        Press(words.fileKey, VK_MENU);
        Press(words.onlineKey);
        return WaitFor([&] { return ClassOf(Focus()) == "Edit" && GetAncestor(Focus(), GA_ROOT) != main; });
    }
    // The online table: the visible window of the game with the full table's controls.
    bool FindOnlineTable(DWORD timeoutMs = 20000) {
        return WaitFor(
            [&] {
                table = nullptr;
                EnumWindows(ConsiderTable, reinterpret_cast<LPARAM>(this));
                return table != nullptr;
            },
            timeoutMs);
    }
    HWND Control(const wchar_t* caption) const { return FindWindowExW(table, nullptr, L"Button", caption); }
    bool MyTurn() const { return Enabled(Control(words.stop)); }

    Sight Look() const {
        const auto named = Named(table);
        Sight sight;
        sight.chips = Chips(named, words.bank, words.chips, &sight.bank);
        const std::regex inTurn(std::string("^(.+?)(, ") + words.bank + ")?: .*, " + words.inTurn + "$");
        const std::regex card(std::string("^(.+), ") + words.card + " 1: (.+)$");
        const std::string lobbyLine = words.Text(TextIds::kOnlineLobby);
        const std::regex lobby("^" + lobbyLine.substr(0, lobbyLine.find("{code}")) + "([0-9A-Z]{6})");
        const std::regex hand("^(.+?): [0-9]+ cart.*$");  // "1 carta", "2 carte", "2 cartas"
        const std::string waiting = ": " + words.Text(TextIds::kLobbyWaiting);
        std::smatch parts;
        for (const auto& [window, name] : named) {
            if (std::regex_match(name, parts, inTurn)) sight.inTurn = parts[1];
            if (std::regex_match(name, parts, card)) sight.firstCard[parts[1]] = parts[2];
            if (std::regex_match(name, parts, hand)) sight.hand[parts[1]] = window;
            if (std::regex_search(name, parts, lobby)) sight.code = parts[1];
            if (name.size() > waiting.size() &&
                name.compare(name.size() - waiting.size(), waiting.size(), waiting) == 0)
                ++sight.free;
        }
        return sight;
    }

    // A button of the table pressed by keys: the focus moved back to it, then Space.
    bool PressControl(const wchar_t* caption, std::int64_t* pressedAt = nullptr) {
        HWND button = Control(caption);
        for (int tries = 0; tries < 8 && Focus() != button; ++tries) Press(VK_TAB, VK_SHIFT);
        if (Focus() != button) return false;
        if (pressedAt != nullptr) *pressedAt = ClockNow();
        Press(VK_SPACE);
        return true;
    }

    const Words& words;
    HWND table = nullptr;

private:
    static BOOL CALLBACK ConsiderTable(HWND window, LPARAM self) {
        auto* game = reinterpret_cast<OnlineGame*>(self);
        if (!game->Owns(window) || !IsWindowVisible(window) ||
            FindWindowExW(window, nullptr, L"Button", game->words.showCard) == nullptr)
            return TRUE;
        game->table = window;
        return FALSE;
    }
};

const std::wstring kDot = L" \u00B7 ";

// Watches a window's text from a thread of its own, a look every millisecond, and notes each
// moment it comes to hold a word. The text is read as the system keeps it for every window,
// without a message to the game, so the game is not slowed by being watched.
class TextWatch {
public:
    // The word as one part of a line whose parts are joined by dots ("5 · stands · 500").
    explicit TextWatch(const std::string& part)
        : word(kDot + NeloUtility::Utf8ToWide(part) + kDot), thread([this] { Run(); }) {}
    ~TextWatch() {
        running = false;
        thread.join();
    }
    void Follow(HWND window) { watched = window; }
    std::vector<std::int64_t> Seen() const {
        const std::lock_guard<std::mutex> lock(guard);
        return seen;
    }

private:
    void Run() {
        for (bool held = false; running; Sleep(1)) {
            wchar_t text[128] = {};
            if (HWND window = watched) GetWindowTextW(window, text, 128);
            const bool holds = (std::wstring(text) + kDot).find(word) != std::wstring::npos;
            if (holds && !held) {
                const std::lock_guard<std::mutex> lock(guard);
                seen.push_back(ClockNow());
            }
            held = holds;
        }
    }

    const std::wstring word;
    std::atomic<HWND> watched{nullptr};
    std::atomic<bool> running{true};
    mutable std::mutex guard;
    std::vector<std::int64_t> seen;
    std::thread thread;  // last: it starts once the rest is made
};

// One person's side of the evening: the other person's covered card is never read while a
// round is in play (they only stand, so only the settlement or their own bank's turn shows
// it), this person's own card always is, and every card of the other's read here is one
// the other read as theirs (each in its own language: cards are compared by number).
class Evening {
public:
    Evening(OnlineGame& played, std::string me, std::string other)
        : game(&played),
          self(std::move(me)),
          them(std::move(other)),
          theirStand(DoDadu::TableTexts(played.words.texts).Text(TextIds::kFullStateStanding)) {}

    // Plays turns by keys until this person has played `turns` and the other is done too;
    // stops early, false, when beforeChoice(turn, sight) says so.
    template <typename BeforeChoice>
    bool Play(int turns, BeforeChoice beforeChoice) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < kEveningMs; coretest::Pump(100)) {
            Sight sight = Check();
            const auto theirHand = sight.hand.find(them);
            theirStand.Follow(theirHand != sight.hand.end() ? theirHand->second : nullptr);
            if (played >= turns && !Exists("done-" + self)) Put("done-" + self, "");
            if (played >= turns && Exists("done-" + them)) return true;
            if (Exists("gave-up")) {
                ADD_FAILURE() << self << ": the other person's side gave up";
                return false;
            }
            if (!game->MyTurn()) continue;
            // A look reads one place after another, and the last one may have begun before the
            // deal: the turn is read again now that it is here (the window names the places
            // before it lets the turn be played).
            sight = Check();
            if (sight.inTurn != self) continue;
            const auto mine = sight.firstCard.find(self);
            const std::string name = mine != sight.firstCard.end() ? mine->second : std::string();
            Append("cards-" + self, std::to_string(CardNamed(name, game->words)) + " " + name);
            if (!beforeChoice(played, sight)) return false;
            std::int64_t stoppedAt = 0;
            EXPECT_TRUE(game->PressControl(game->words.stop, &stoppedAt)) << self << " turn " << played;
            Append("stops-" + self, std::to_string(stoppedAt));
            WaitFor([&] { return !game->MyTurn(); });
            ++played;
        }
        ADD_FAILURE() << self << " played " << played << " turns before the time ran out";
        return false;
    }
    // The same seat, from a game started again.
    void Rejoin(OnlineGame& again) { game = &again; }

    // Every card of the other's read uncovered is one they hold; and some were read.
    void CheckTheirCards() const {
        std::set<int> held;
        std::istringstream lines(Read("cards-" + them));
        for (std::string line; std::getline(lines, line);) held.insert(std::atoi(line.c_str()));
        for (int seen : shown) EXPECT_EQ(1u, held.count(seen)) << self << " read card " << seen;
        EXPECT_FALSE(shown.empty()) << self << " never read a settled card of " << them;
    }

    // From each STOP of the other's to this window showing them standing, in milliseconds.
    void SayTheirStopTimes() const {
        const std::vector<std::int64_t> standsSeen = theirStand.Seen();
        std::vector<std::int64_t> waits;  // in 100 ns steps
        std::istringstream lines(Read("stops-" + them));
        std::size_t stops = 0;
        for (std::int64_t stop = 0; lines >> stop; ++stops) {
            const auto seen = std::lower_bound(standsSeen.begin(), standsSeen.end(), stop);
            if (seen != standsSeen.end() && *seen - stop < 20'000'000) waits.push_back(*seen - stop);
        }
        std::sort(waits.begin(), waits.end());
        // The wait that `percent` of them do not pass (nearest rank), in milliseconds.
        auto at = [&](std::size_t percent) {
            const std::size_t rank = std::max<std::size_t>(1, (percent * waits.size() + 99) / 100);
            return static_cast<double>(waits[rank - 1]) / 1e4;
        };
        std::printf("stop to repaint, %s's STOP to %s's window: %zu of %zu stops seen", them.c_str(),
                    self.c_str(), waits.size(), stops);
        if (!waits.empty()) std::printf(", p50 %.1f ms, p95 %.1f ms, max %.1f ms", at(50), at(95), at(100));
        std::printf("\n");
        std::fflush(stdout);
    }

    int played = 0;

private:
    Sight Check() {
        Sight sight = game->Look();
        const std::string covered = game->words.Text(TextIds::kCardCovered);
        const auto mine = sight.firstCard.find(self);
        if (mine != sight.firstCard.end()) {
            EXPECT_NE(covered, mine->second) << self << " cannot see their own card";
        }
        const auto theirs = sight.firstCard.find(them);
        if (theirs == sight.firstCard.end() || theirs->second == covered) {
            suspect.clear();
            return sight;
        }
        shown.insert(CardNamed(theirs->second, game->words));
        // In play and not in their bank's own turn, their card is not for this screen. A look
        // reads one place after another, so a round that ends or begins in the middle of one
        // can mix the two: only two looks in a row that show it count.
        const bool hidden = sight.inTurn.empty() || (sight.inTurn == them && sight.bank == them);
        EXPECT_TRUE(hidden || suspect != theirs->second)
            << self << " reads " << them << "'s card " << theirs->second << " while " << sight.inTurn
            << " is in turn";
        suspect = hidden ? std::string() : theirs->second;
        return sight;
    }

    OnlineGame* game;
    std::string self, them;
    std::set<int> shown;
    std::string suspect;   // their card, read in the last look while it should have been hidden
    TextWatch theirStand;  // the other's hand line, for the moment it says they stand
};

class OnlineTable : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NeloSettings\\Zandro\\Online");
        ASSERT_FALSE(kExchange.empty() || kServer.empty() || kPin.empty()) << "run by online-table-test";
    }
    void TearDown() override {
        if (HasFailure()) Put("gave-up", "");  // the other role stops waiting
        CoUninitialize();
    }
};

// Anna, in Italian (or Spanish): creates the table by keys with two person seats and two computers,
// hands its invitation over, sees nobody take a seat with a wrong fingerprint, starts the
// evening once Bruno is there, and plays it.
TEST_F(OnlineTable, CreatorMakesTheTableAndPlays) {
    OnlineGame game(kCreator);
    ASSERT_TRUE(game.OpenPlayOnline());
    Press('S', VK_MENU);  // the server, with its fingerprint as the game keeps a server
    Paste("zandro://" + kServer + "/000000#sha256=" + kPin);
    Press('N', VK_MENU);
    Type("Anna");
    Press('C', VK_MENU);  // Create table...: the setup box, a person and three computers
    ASSERT_TRUE(WaitFor([&] {
        return game.FindOnlineTable(0) && ClassOf(game.Focus()) == "Edit" &&
               GetAncestor(game.Focus(), GA_ROOT) != game.table;
    }));
    EXPECT_EQ(kCreator.Text(TextIds::kSetupCaptionOnline),
              NeloUtility::WideToUtf8(coretest::WindowText(GetAncestor(game.Focus(), GA_ROOT))));
    const std::string seatTwoPlayedBy =
        DoDadu::FillPlaceholders(kCreator.Text(TextIds::kSetupSeatPlayedBy), {{"number", "2"}});
    for (int tries = 0; tries < 12 && AccessibleName(game.Focus()) != seatTwoPlayedBy; ++tries) Press(VK_TAB);
    ASSERT_EQ(seatTwoPlayedBy, AccessibleName(game.Focus()));
    Press(VK_HOME);  // a person
    Press(VK_RETURN);

    ASSERT_TRUE(game.FindOnlineTable());
    std::string code;
    ASSERT_TRUE(WaitFor([&] { return !(code = game.Look().code).empty(); })) << "no lobby line";
    EXPECT_EQ(1, game.Look().free) << "Anna and two computers, one seat free";
    const std::string invitation = "zandro://" + kServer + "/" + code + "#sha256=" + kPin;
    const auto named = Named(game.table);
    EXPECT_TRUE(std::any_of(named.begin(), named.end(), [&](const auto& line) {
        return line.second == invitation;
    })) << "the invitation on the felt";
    Press('C', VK_MENU);  // Copy invitation
    ASSERT_TRUE(WaitFor([&] { return ClipboardText() == invitation; })) << ClipboardText();
    Put("invitation", invitation);

    ASSERT_FALSE(Await("refused", 90000).empty()) << "the joiner never tried the wrong fingerprint";
    EXPECT_EQ(1, game.Look().free) << "a seat was taken through the wrong server";
    EXPECT_FALSE(GameProcess::Enabled(game.Control(kCreator.start)));
    Put("lobby-checked", "yes");

    ASSERT_TRUE(WaitFor([&] { return GameProcess::Enabled(game.Control(kCreator.start)); }, 90000))
        << "Bruno never joined";
    const Sight full = game.Look();
    EXPECT_EQ(4u, full.chips.size());
    EXPECT_EQ(1u, full.chips.count("Bruno"));
    EXPECT_EQ(kTableChips, Total(full.chips));
    ASSERT_FALSE(Await("joiner-in-lobby", 60000).empty()) << "Bruno's lobby never looked at";
    ASSERT_TRUE(game.PressControl(kCreator.start));

    Evening evening(game, "Anna", "Bruno");
    ASSERT_TRUE(evening.Play(kTurns, [](int, const Sight&) { return true; }));
    // A look can fall across a settlement, some seats paid and some not yet: the total is
    // read once the window is between two changes.
    EXPECT_TRUE(WaitFor([&] { return Total(game.Look().chips) == kTableChips; }, 5000))
        << Total(game.Look().chips);
    evening.CheckTheirCards();
    evening.SayTheirStopTimes();
}

// Bruno, in Spanish (or Italian): an invitation with a wrong fingerprint is refused in words; the right
// one pasted joins; the game killed in a turn starts again on the same seat with the same
// chips, by itself.
TEST_F(OnlineTable, JoinerIsRefusedAWrongServerThenJoinsAndComesBack) {
    const std::string invitation = Await("invitation", 120000);
    ASSERT_FALSE(invitation.empty()) << "no invitation from the creator";
    std::string wrong = invitation;
    wrong.back() = wrong.back() == '0' ? '1' : '0';
    {
        OnlineGame game(kJoiner);
        ASSERT_TRUE(game.OpenPlayOnline());
        Paste(wrong);
        Press('N', VK_MENU);
        Type("Bruno");
        Press(VK_RETURN);
        // Said on the Play online box, back over the classic table with the invitation to mend.
        const std::string refusal = kJoiner.Text(TextIds::kOnlineNotInvited);
        EXPECT_TRUE(WaitFor(
            [&] {
                const auto said = Named(GetAncestor(game.Focus(), GA_ROOT));
                return std::any_of(said.begin(), said.end(),
                                   [&](const auto& line) { return line.second == refusal; });
            },
            20000));
        EXPECT_EQ(DoDadu::WithoutAccessMark(kJoiner.Text(TextIds::kOnlineTableField)),
                  AccessibleName(game.Focus()));
        Put("refused", "yes");
    }
    ASSERT_FALSE(Await("lobby-checked", 60000).empty());

    auto game = std::make_unique<OnlineGame>(kJoiner);
    ASSERT_TRUE(game->OpenPlayOnline());
    Paste(invitation);  // the name is the one remembered
    Press(VK_RETURN);
    ASSERT_TRUE(game->FindOnlineTable());
    ASSERT_TRUE(WaitFor([&] { return game->Look().chips.count("Bruno") == 1; }, 20000));
    // Nothing to do but invite until Anna starts (she waits for this look): the focus is there.
    const std::string copy = DoDadu::WithoutAccessMark(kJoiner.Text(TextIds::kCopyInvitation));
    EXPECT_TRUE(WaitFor([&] { return AccessibleName(game->Focus()) == copy; }, 5000))
        << AccessibleName(game->Focus());
    Put("joiner-in-lobby", "yes");

    Evening evening(*game, "Bruno", "Anna");
    std::map<std::string, long long> beforeKill;
    ASSERT_FALSE(evening.Play(kTurns, [&](int turn, const Sight& sight) {
        if (turn != kKillAtTurn) return true;
        beforeKill = sight.chips;
        return false;
    }));
    ASSERT_EQ(4u, beforeKill.size());
    game->Kill();
    game = std::make_unique<OnlineGame>(kJoiner);
    ASSERT_TRUE(game->Start());
    ASSERT_TRUE(game->FindOnlineTable()) << "the game did not take its seat back by itself";
    ASSERT_TRUE(WaitFor([&] { return game->MyTurn(); }, 30000)) << "the turn did not come back";
    EXPECT_EQ(beforeKill, game->Look().chips);

    evening.Rejoin(*game);
    ASSERT_TRUE(evening.Play(kTurns, [](int, const Sight&) { return true; }));
    EXPECT_TRUE(WaitFor([&] { return Total(game->Look().chips) == kTableChips; }, 5000))
        << Total(game->Look().chips);
    evening.CheckTheirCards();
    evening.SayTheirStopTimes();
}

}  // namespace
