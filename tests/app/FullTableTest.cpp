// The full table of the real Zandro.exe, driven from another process as a screen reader
// and a keyboard do: each test stores an evening, starts the game, opens the full table
// from the File menu by keys and reads its seats, hands and cards through their
// accessible objects.
#include "CoreTestSupport.h"
#include "Evening.h"
#include "EveningSetup.h"
#include "GameProcess.h"
#include "RegistryEveningStore.h"
#include "SettingsStore.h"
#include "TableReading.h"
#include "WindowsUserNames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace DoDadu;

const int relaunched = coretest::RunInsideVirtualDesktop(L"1600x1000");

using tablereading::AccessibleName;
using tablereading::Press;
using tablereading::Total;
using tablereading::WaitFor;

struct Seat {
    const char* name;
    SeatKind kind;
    std::int64_t chips = kStartingChips;
};

// An evening stored as the game stores it, before the game starts.
void StoreEvening(const std::vector<Seat>& seats, int firstBank, const HouseRules& rules) {
    std::vector<TableSeat> sitting;
    for (const Seat& seat : seats) {
        TableSeat made;
        made.name = seat.name;
        made.kind = seat.kind;
        made.style = sitting.size() % 2 == 0 ? PlayStyle::Careful : PlayStyle::Bold;
        made.chips = seat.chips;
        sitting.push_back(made);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NeloSettings\\Zandro\\Table");
    RandomSource random;
    random.Reseed(7);
    Evening evening(rules, sitting, firstBank, random);
    RegistryEveningStore store;
    evening.Save(store);
}

// The bank passes every second round and at nothing else: when it passes can be told.
HouseRules EveryTwoRounds() {
    HouseRules rules = HouseRules::Italian();
    rules.twoCardTakesBank = false;
    rules.passing = BankPassing::EveryRounds;
    rules.passEvery = 2;
    return rules;
}

// What the game says and which keys open its full table, in each of its languages.
struct Speech {
    const char* language;  // the game's stored language choice
    WORD fileKey, fullTableKey;
    const wchar_t *start, *stop, *showCard;
    const char *bank, *chips;
};
const Speech kEnglish{"en", 'F', 'F', L"START", L"STOP", L"&Show my card", "bank", "chips"};
const Speech kItalian{"it", 'F', 'T', L"GIOCA", L"STO", L"&Mostra carta", "banco", "fiches"};
const Speech kSpanish{"es", 'A', 'M', L"JUGAR", L"ME PLANTO", L"&Ver mi carta", "banca", "fichas"};

// The game with its full table open, read from outside.
class FullTable : public GameProcess {
public:
    explicit FullTable(const Speech& says = kEnglish) : speech(says) {
        NeloUtility::WriteSetting("Zandro", "Dati", "Language", speech.language);
        startCaption = speech.start;
        if (!Start() || !FindTable(15000)) return;
        SetForegroundWindow(main);
        Press(speech.fileKey, VK_MENU);
        Press(speech.fullTableKey);
        WaitFor([&] {
            EnumWindows(ConsiderTable, reinterpret_cast<LPARAM>(this));
            return table != nullptr && !Chips().empty();
        });
        // The keys go to the table once it holds the focus, on whatever is to press first.
        WaitFor([&] { return table != nullptr && IsChild(table, Focus()); });
    }

    std::vector<std::pair<HWND, std::string>> Named() const { return tablereading::Named(table); }
    // Each seat's chips by name, and the bank's name, as the seats' names read.
    std::map<std::string, long long> Chips(std::string* bank = nullptr) const {
        return tablereading::Chips(Named(), speech.bank, speech.chips, bank);
    }
    // The card place of a seat's n-th card (from 1), as read; empty when not on the table.
    std::string Card(const std::string& seat, int number) const {
        const std::string prefix = seat + ", card " + std::to_string(number) + ": ";
        for (const auto& [window, name] : Named())
            if (name.rfind(prefix, 0) == 0) return name.substr(prefix.size());
        return std::string();
    }
    HWND Control(const wchar_t* caption) const { return FindWindowExW(table, nullptr, L"Button", caption); }
    // The standings box of an evening that is over, once it shows.
    HWND Standings() const { return Window(L"Standings"); }
    bool Ready(const wchar_t* caption, DWORD timeoutMs = 20000) const {
        return WaitFor([&] { return Enabled(Control(caption)); }, timeoutMs);
    }
    // START, then the person's turns by keys until the round is over: a card below 4
    // points showing, then STOP.
    void PlayRound() {
        ASSERT_TRUE(Ready(speech.start));
        Press(VK_SPACE);
        while (
            WaitFor([&] { return Enabled(Control(speech.stop)) || Enabled(Control(speech.start)); }, 30000) &&
            !Enabled(Control(speech.start))) {
            Press(VK_SPACE);  // GET CARD holds the focus in a turn
            if (Enabled(Control(speech.stop))) {
                Press(VK_TAB, VK_SHIFT);
                Press(VK_SPACE);
            }
        }
    }

    HWND table = nullptr;
    const Speech& speech;

private:
    static BOOL CALLBACK ConsiderTable(HWND window, LPARAM self) {
        auto* game = reinterpret_cast<FullTable*>(self);
        if (window == game->main || !game->Owns(window) || !IsWindowVisible(window) ||
            FindWindowExW(window, nullptr, L"Button", game->speech.showCard) == nullptr)
            return TRUE;
        game->table = window;
        return FALSE;
    }
};

class FullTableTest : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override {
        NeloUtility::WriteSetting("Zandro", "Dati", "Language", "");
        CoUninitialize();
    }
};

// One person and two computer seats, played by keys in each of the game's languages:
// every seat reads its chips in the language's words, the chips only move between seats,
// and the bank passes to the next seat after every second round.
TEST_F(FullTableTest, AnEveningByKeysKeepsTheChipsAndPassesTheBank) {
    for (const Speech& speech : {kEnglish, kItalian, kSpanish}) {
        StoreEvening(
            {{"Anna", SeatKind::Person}, {"Bruno", SeatKind::Computer}, {"Carla", SeatKind::Computer}}, 1,
            EveryTwoRounds());
        FullTable game(speech);
        ASSERT_NE(nullptr, game.table) << speech.language << ": the full table did not open";
        const char* const order[] = {"Bruno", "Carla", "Anna"};
        for (int round = 0; round < 4; ++round) {
            std::string bank;
            const auto chips = game.Chips(&bank);
            ASSERT_EQ(3u, chips.size()) << speech.language;
            EXPECT_EQ(3 * kStartingChips, Total(chips)) << speech.language << " before round " << round;
            EXPECT_EQ(order[(round / 2) % 3], bank) << speech.language << " round " << round;
            game.PlayRound();
        }
    }
}

// Two persons: each one's covered card reads "covered card" to the screen until that
// person asks to see it, in their own turn, and the other's is never readable.
TEST_F(FullTableTest, EachPersonsCoveredCardHidesFromTheOther) {
    StoreEvening({{"Anna", SeatKind::Person}, {"Bruno", SeatKind::Person}, {"Carla", SeatKind::Computer}}, 2,
                 HouseRules::Italian());
    FullTable game;
    ASSERT_NE(nullptr, game.table);
    ASSERT_TRUE(game.Ready(L"START"));
    Press(VK_SPACE);
    for (const auto& [self, other] : {std::make_pair("Anna", "Bruno"), std::make_pair("Bruno", "Anna")}) {
        ASSERT_TRUE(game.Ready(L"&Show my card")) << self;
        EXPECT_EQ("covered card", game.Card(self, 1));
        EXPECT_FALSE(GameProcess::Enabled(game.Control(L"STOP"))) << "a choice before the card was seen";
        Press(VK_SPACE);  // Show my card holds the focus until the card is seen
        ASSERT_TRUE(game.Ready(L"STOP"));
        EXPECT_NE("covered card", game.Card(self, 1));
        EXPECT_EQ("covered card", game.Card(other, 1));
        Press(VK_TAB, VK_SHIFT);  // from GET CARD to STOP
        Press(VK_SPACE);
        const std::string seat = self;  // a lambda cannot name a structured binding
        EXPECT_TRUE(WaitFor([&] { return game.Card(seat, 1) == "covered card"; }))
            << seat << " after the turn";
    }
}

// The table fills the window at any size, inside the client area, its cards growing with it.
TEST_F(FullTableTest, TheTableScalesWithTheWindow) {
    StoreEvening({{"Anna", SeatKind::Person}, {"Bruno", SeatKind::Computer}, {"Carla", SeatKind::Computer}},
                 1, HouseRules::Italian());
    FullTable game;
    ASSERT_NE(nullptr, game.table);
    ASSERT_TRUE(game.Ready(L"START"));
    Press(VK_SPACE);
    ASSERT_TRUE(game.Ready(L"STOP"));
    int lastCardWidth = 0;
    for (SIZE size : {SIZE{820, 620}, SIZE{1100, 780}, SIZE{1560, 980}}) {
        SetWindowPos(game.table, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER);
        coretest::Pump(300);
        RECT client{};
        GetClientRect(game.table, &client);
        int cardWidth = 0;
        for (const auto& [window, name] : game.Named()) {
            RECT place{};
            GetWindowRect(window, &place);
            MapWindowPoints(nullptr, game.table, reinterpret_cast<POINT*>(&place), 2);
            EXPECT_TRUE(place.left >= 0 && place.top >= 0 && place.right <= client.right &&
                        place.bottom <= client.bottom)
                << name << " at " << place.left << "," << place.top << "-" << place.right << ","
                << place.bottom << " outside " << client.right << " x " << client.bottom;
            if (name.rfind("Anna, card 1", 0) == 0) cardWidth = place.right - place.left;
        }
        EXPECT_GT(cardWidth, lastCardWidth) << size.cx << " x " << size.cy;
        lastCardWidth = cardWidth;
    }
}

// A person who plays the bank or a seat by keys, a round at a time, until the evening is
// over: each step waits for whatever is to press next, or for the standings.
HWND PlayToTheEnd(FullTable& game, int mostRounds) {
    for (int rounds = 0; rounds <= mostRounds;) {
        if (!WaitFor(
                [&] {
                    return game.Standings() != nullptr || GameProcess::Enabled(game.Control(L"STOP")) ||
                           GameProcess::Enabled(game.Control(L"START"));
                },
                30000))
            return nullptr;
        if (HWND standings = game.Standings()) return standings;
        if (GameProcess::Enabled(game.Control(L"START"))) {
            ++rounds;
            PostMessageW(game.Control(L"START"), BM_CLICK, 0, 0);
        } else {
            PostMessageW(game.Control(L"STOP"), BM_CLICK, 0, 0);
        }
        coretest::Pump(300);
    }
    return nullptr;
}

// Once fewer than two seats can play the evening is over: its standings show over the
// table, the seats by chips, and the box's default answer starts a new evening from the
// setup box's own defaults.
TEST_F(FullTableTest, AnEveningThatEndsShowsItsStandingsOverTheTable) {
    const HouseRules rules = HouseRules::Italian();
    StoreEvening({{"Anna", SeatKind::Person}, {"Bruno", SeatKind::Computer, rules.minStake}}, 0, rules);
    FullTable game;
    ASSERT_NE(nullptr, game.table);
    HWND standings = PlayToTheEnd(game, 40);
    ASSERT_NE(nullptr, standings) << "Bruno never lost his last chips";
    RECT box{}, table{};
    GetWindowRect(standings, &box);
    GetWindowRect(game.table, &table);
    EXPECT_TRUE(box.left >= table.left && box.top >= table.top && box.right <= table.right &&
                box.bottom <= table.bottom)
        << "the standings stand over the table";
    std::vector<std::string> lines;
    for (HWND child = GetWindow(standings, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string name = AccessibleName(child);
        if (name == "Anna" || name == "Bruno") lines.push_back(name);
    }
    EXPECT_EQ((std::vector<std::string>{"Anna", "Bruno"}), lines) << "by chips, the most first";
    EXPECT_TRUE(IsChild(standings, game.Focus())) << "the focus went with the box";
    Press(VK_RETURN);  // New evening, then the setup box's defaults
    ASSERT_TRUE(WaitFor([&] { return game.Window(L"New evening") != nullptr; }));
    Press(VK_RETURN);
    const WindowsUserNames user = CurrentUserNames();
    const std::string person = FirstSeatName(user.display, user.signIn, EnglishTexts());
    EXPECT_TRUE(WaitFor([&] { return game.Chips().size() == 4 && game.Chips().count(person) == 1; }))
        << "the default evening: the Windows user, " << person << ", and three computer seats";
    EXPECT_TRUE(WaitFor([&] { return IsChild(game.table, game.Focus()); }))
        << "the keys are the table's again";
}

// A second start of the game while the full table is open brings that table forward, not
// the hidden classic one, and ends.
TEST_F(FullTableTest, ASecondStartBringsTheFullTableForward) {
    StoreEvening({{"Anna", SeatKind::Person}, {"Bruno", SeatKind::Computer}}, 1, HouseRules::Italian());
    FullTable game;
    ASSERT_NE(nullptr, game.table);
    ShowWindow(game.table, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(game.table) != FALSE; }));
    GameProcess later;
    ASSERT_TRUE(later.Start());
    EXPECT_EQ(0, later.ExitCode(20000));
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(game.table) && GetForegroundWindow() == game.table; }))
        << "restored and in front";
    EXPECT_FALSE(IsWindowVisible(game.main)) << "the classic table stays hidden";
}

// Killed at any moment of an evening played by computer seats (a round being dealt, a seat
// thinking, a settlement being stored), the game starts again on a whole evening: every
// seat there, and not a chip more or less than the evening began with.
TEST_F(FullTableTest, AKillAtAnyMomentLeavesAWholeEvening) {
    StoreEvening({{"Anna", SeatKind::Computer}, {"Bruno", SeatKind::Computer}, {"Carla", SeatKind::Computer}},
                 0, EveryTwoRounds());
    const DWORD killsAfterMs[] = {0, 250, 700, 1400, 2300, 3300, 4600, 6200, 8000, 12000, 0};
    bool settled = false;  // a round was settled and stored between two kills
    for (const DWORD killAfterMs : killsAfterMs) {
        FullTable game;
        ASSERT_NE(nullptr, game.table) << "after a kill " << killAfterMs << " ms into a round";
        const auto chips = game.Chips();
        EXPECT_EQ(3u, chips.size()) << killAfterMs;
        EXPECT_EQ(3 * kStartingChips, Total(chips)) << killAfterMs;
        for (const auto& seat : chips) settled = settled || seat.second != kStartingChips;
        if (!game.Ready(L"START", 5000)) {
            ADD_FAILURE() << "no round to start after a kill at " << killAfterMs << " ms";
            continue;
        }
        PostMessageW(game.Control(L"START"), BM_CLICK, 0, 0);
        coretest::Pump(killAfterMs);
        game.Kill();
    }
    EXPECT_TRUE(settled) << "every kill came before a round was over";
}

// A kill in the middle of a round loses that round only: the next start resumes the
// evening as the round before it left it. A new evening replaces it for good, also
// when the game is killed right after.
TEST_F(FullTableTest, AKillMidRoundResumesTheEveningBeforeThatRound) {
    StoreEvening({{"Zeno", SeatKind::Person}, {"Bruno", SeatKind::Computer}, {"Carla", SeatKind::Computer}},
                 1, HouseRules::Italian());
    std::map<std::string, long long> afterRound;
    {
        FullTable game;
        ASSERT_NE(nullptr, game.table);
        game.PlayRound();
        ASSERT_TRUE(game.Ready(L"START"));
        afterRound = game.Chips();
        Press(VK_SPACE);
        ASSERT_TRUE(game.Ready(L"STOP"));
        Press(VK_SPACE);  // a card: the round is under way
        game.Kill();
    }
    {
        FullTable again;
        ASSERT_NE(nullptr, again.table);
        EXPECT_TRUE(again.Ready(L"START")) << "the resumed evening waits for its next round";
        EXPECT_EQ(afterRound, again.Chips());
        EXPECT_EQ("", again.Card("Zeno", 1)) << "no card of the killed round";
        Press('T', VK_MENU);
        Press('N');  // New evening..., then Yes, then the setup box's defaults
        Press('Y');
        coretest::Pump(1000);
        Press(VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return again.Chips().count("Zeno") == 0 && !again.Chips().empty(); }));
        again.Kill();
    }
    FullTable third;
    ASSERT_NE(nullptr, third.table);
    EXPECT_EQ(0u, third.Chips().count("Zeno")) << "the replaced evening came back";
}

}  // namespace
