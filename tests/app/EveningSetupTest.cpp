// The full table's setup box and standings box over a plain form in this process, driven
// by keys as the focused control receives them and read by their accessible names, as a
// screen reader finds them.
#include "AccessibleElement.h"
#include "CoreTestSupport.h"
#include "EveningSetupBox.h"
#include "StandingsBox.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace DoDadu;
using namespace NeloUtility;
using Language = TextIds::Language;

struct HandedBack {
    int calls = 0;
    EveningSetup setup;
} handedBack;

void OnAccepted(Form&, const EveningSetup& setup) {
    ++handedBack.calls;
    handedBack.setup = setup;
}

int newEvenings = 0;
void OnNewEvening(Form&) { ++newEvenings; }

// The box speaks English here, and writes its numbers as English does.
std::string Grouped(long long value) { return GroupedNumberFormatter(EnglishTexts()).Format(value); }

// An owner form and one box over it at a time.
class BoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = coretest::MakeForm("owner");
        owner->SetSize(700, 500);
        owner->Create();
        handedBack = HandedBack{};
        newEvenings = 0;
        coretest::Pump();
    }
    void TearDown() override {
        CloseBox();
        owner.reset();
        coretest::Pump();
    }
    // Each box is deleted through its own class, as the toolkit's elements are.
    void CloseBox() {
        DeleteAndClear(setupBox);
        DeleteAndClear(standingsBox);
        box = nullptr;
        coretest::Pump();
    }
    void OpenSetup(const TextSource& texts, const EveningSetup& start) {
        CloseBox();
        box = setupBox = static_cast<EveningSetupBox*>(
            OpenEveningSetup(*owner, texts, start, OnAccepted, TextIds::kSetupCaption));
        coretest::Pump(30);
    }
    void OpenStandingsOf(const std::vector<TableSeat>& seats, NewEveningAsked asked = OnNewEvening) {
        CloseBox();
        box = standingsBox = static_cast<StandingsBox*>(OpenStandings(*owner, EnglishTexts(), seats, asked));
        coretest::Pump(30);
    }
    // The box's control a screen reader reads under this name (not the label that shows it).
    GUIElement* Control(const std::string& name) {
        for (GUIElement* element : ElementRegistry)
            if (element != nullptr && element->parent == box && dynamic_cast<Label*>(element) == nullptr &&
                WideToUtf8(AccessibleName(*element)) == name)
                return element;
        ADD_FAILURE() << "no control named " << name;
        return box;
    }
    std::string Value(const std::string& name) { return WideToUtf8(AccessibleValue(*Control(name))); }
    bool Enabled(const std::string& name) { return IsWindowEnabled(Control(name)->window) != FALSE; }
    bool Shown(const std::string& name) { return IsWindowVisible(Control(name)->window) != FALSE; }
    // A key stroke as the focused control receives it, with its character (if any).
    static void Key(int virtualKey, int character = 0) {
        HWND focus = GetFocus();
        SendMessageW(focus, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 0);
        if (character != 0) SendMessageW(focus, WM_CHAR, static_cast<WPARAM>(character), 0);
        SendMessageW(focus, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0);
        coretest::Pump();
    }
    void KeyOn(const std::string& name, int virtualKey) {
        Control(name)->Focus();
        Key(virtualKey);
    }
    static void Enter() { Key(VK_RETURN, '\r'); }
    bool BoxOpen() const { return box != nullptr && IsWindow(box->window); }
    std::string FocusName() {
        GUIElement* focused = FindElementByWindow(GetFocus());
        return focused != nullptr ? WideToUtf8(AccessibleName(*focused)) : std::string("(none)");
    }

    coretest::Owned<Form> owner;
    FormBox* box = nullptr;
    EveningSetupBox* setupBox = nullptr;
    StandingsBox* standingsBox = nullptr;
};

using SetupBoxTest = BoxTest;
using StandingsTest = BoxTest;

EveningSetup EnglishDefault(std::uint32_t seed = 7) {
    RandomSource random;
    random.Reseed(seed);
    return DefaultEveningSetup(EnglishTexts(), random, "Player 1");
}

// The first seat is named after the Windows user, never "You": the given name of the
// display name, else of the sign-in name, else the language's first player.
TEST(FirstSeatName, GivenNameFromWindowsElseTheLanguagesFirstPlayer) {
    std::string graves, twentyGraves;  // À, two bytes each
    for (int letter = 0; letter < 22; ++letter) graves += "\xC3\x80";
    for (int letter = 0; letter < 20; ++letter) twentyGraves += "\xC3\x80";
    const struct {
        std::string display, signIn;
        Language language;
        std::string name;
    } cases[] = {
        {"Anna Rossi", "arossi", Language::English, "Anna"},
        {"Rossi, Anna", "arossi", Language::English, "Anna"},
        {"  Rossi ,  Anna Maria ", "arossi", Language::Italian, "Anna"},
        {"", "anna", Language::English, "anna"},
        {" ", "Anna Rossi", Language::Italian, "Anna"},
        {"Rossi,", "arossi", Language::Spanish, "arossi"},
        {"Maximiliana-Josefina-Katharina", "", Language::English, "Maximiliana-Josefina"},
        {graves, "", Language::English, twentyGraves},
        {"", "", Language::English, "Player 1"},
        {"", " ", Language::Italian, "Giocatore 1"},
        {"", "", Language::Spanish, "Jugador 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstSeatName(c.display, c.signIn, TableTexts(c.language)), c.name)
            << c.display << c.signIn;
}

TEST_F(SetupBoxTest, EachLanguageHasItsDefaultsAndEnterAcceptsThem) {
    // A person named as a computer seat would be leaves that seat the first spare name.
    const std::string lucia =
        "Luc\xC3\xAD"
        "a";
    const struct {
        Language language;
        std::string firstName;
        std::vector<std::string> names;
        RulesPreset rules;
    } cases[] = {
        {Language::English, "Player 1", {"Player 1", "Anna", "Jack", "Emma"}, RulesPreset::Italian},
        {Language::Italian, "Io", {"Io", "Giulia", "Marco", "Luca"}, RulesPreset::Italian},
        {Language::Spanish, lucia, {lucia, "Diego", "Pablo", "Carmen"}, RulesPreset::Spanish},
    };
    const std::vector<SeatKind> kinds = {SeatKind::Person, SeatKind::Computer, SeatKind::Computer,
                                         SeatKind::Computer};
    const std::vector<PlayStyle> styles = {PlayStyle::Careful, PlayStyle::Careful, PlayStyle::Bold,
                                           PlayStyle::Expert};
    for (const auto& c : cases) {
        const TableTexts texts(c.language);
        RandomSource random;
        random.Reseed(11);
        const EveningSetup setup = DefaultEveningSetup(texts, random, c.firstName);
        std::vector<std::string> names;
        std::vector<SeatKind> seatKinds;
        std::vector<PlayStyle> seatStyles;
        for (const TableSeat& seat : setup.seats) {
            names.push_back(seat.name);
            seatKinds.push_back(seat.kind);
            seatStyles.push_back(seat.style);
            EXPECT_EQ(seat.chips, kStartingChips);
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(seatKinds, kinds);
        EXPECT_EQ(seatStyles, styles);
        EXPECT_EQ(PresetOf(setup.rules), c.rules) << c.names[1];

        OpenSetup(texts, setup);
        EXPECT_EQ(box->GetTextUtf8(), texts.Text(TextIds::kSetupCaption));
        EXPECT_FALSE(IsWindowEnabled(owner->window)) << "the owner waits for the box";
        Enter();
        ASSERT_EQ(handedBack.calls, 1) << c.names[1];
        const EveningSetup& back = handedBack.setup;
        ASSERT_EQ(back.seats.size(), setup.seats.size());
        for (std::size_t seat = 0; seat < back.seats.size(); ++seat) {
            EXPECT_EQ(back.seats[seat].name, setup.seats[seat].name);
            EXPECT_EQ(back.seats[seat].kind, setup.seats[seat].kind);
            EXPECT_EQ(back.seats[seat].style, setup.seats[seat].style);
            EXPECT_EQ(back.seats[seat].chips, kStartingChips);
        }
        EXPECT_EQ(PresetOf(back.rules), c.rules);
        EXPECT_EQ(back.firstBank, setup.firstBank);
        EXPECT_FALSE(BoxOpen());
        EXPECT_TRUE(IsWindowEnabled(owner->window));
        handedBack = HandedBack{};
    }
    // The first bank is drawn by lot: every seat holds it under some seed.
    std::set<int> banks;
    for (std::uint32_t seed = 1; seed <= 64; ++seed) banks.insert(EnglishDefault(seed).firstBank);
    EXPECT_EQ(banks, (std::set<int>{0, 1, 2, 3}));
}

TEST_F(SetupBoxTest, RefusesWhatCannotStartAnEveningAndSaysWhyAtTheField) {
    const std::string twentyLetters =
        "\xC3\x80\xC3\xA9\xC3\xAC\xC3\xB2\xC3\xB9"
        "abcdefghijklmno";
    const struct {
        const char* field;
        std::string typed;
        std::string message;  // empty: accepted
    } cases[] = {
        {"Seat 2: name", "   ", "Seat 2 needs a name."},
        {"Seat 3: name", "Bartholomew Fitzgerald", "The name of seat 3 is too long: at most 20 letters."},
        {"Seat 3: name", twentyLetters, ""},
        {"Seat 3: name", "An\tna", "The name of seat 3 has a character that cannot be in a name."},
        {"Seat 4: name", " Anna ", "Seats 2 and 4 have the same name: give each a different one."},
        {"Minimum stake", "5000", "The minimum stake is above the maximum."},
        {"Step", "300",
         "The stakes go up in steps of 300 from the minimum: the maximum must be one of them."},
        {"Starting chips", "400", "The starting chips must cover at least the minimum stake."},
        {"Starting chips", "0", "Starting chips: type a whole number from 1 to " + Grouped(1000000000) + "."},
        {"Maximum stake", "", "Maximum stake: type a whole number from 1 to " + Grouped(1000000) + "."},
        {"Maximum stake", "12345678901",
         "Maximum stake: type a whole number from 1 to " + Grouped(1000000) + "."},
    };
    for (const auto& c : cases) {
        OpenSetup(EnglishTexts(), EnglishDefault());
        Control(c.field)->SetTextUtf8(c.typed);
        Enter();
        if (c.message.empty()) {
            ASSERT_EQ(handedBack.calls, 1) << c.field << " " << c.typed;
            EXPECT_EQ(handedBack.setup.seats[2].name, c.typed);
            handedBack = HandedBack{};
            continue;
        }
        EXPECT_EQ(handedBack.calls, 0) << c.message;
        ASSERT_TRUE(BoxOpen()) << c.message;
        EXPECT_EQ(setupBox->ProblemLine()->GetTextUtf8(), c.message);
        EXPECT_EQ(FocusName(), c.field) << c.message;
        EXPECT_FALSE(IsWindowEnabled(owner->window));
    }
}

TEST_F(SetupBoxTest, SeatsComeAndGoAndThePresetFollowsTheFields) {
    OpenSetup(EnglishTexts(), EnglishDefault());
    for (int press = 0; press < 2; ++press) {
        Control("Add seat")->Focus();
        Enter();
    }
    EXPECT_EQ(Control("Seat 5: name")->GetTextUtf8(), "Sam");
    EXPECT_EQ(Control("Seat 6: name")->GetTextUtf8(), "Lucy");
    EXPECT_EQ(Value("Seat 6: played by"), "Computer");
    EXPECT_FALSE(Enabled("Add seat")) << "six seats at most";
    for (int press = 0; press < 4; ++press) {
        Control("Remove seat")->Focus();
        Enter();
    }
    EXPECT_FALSE(Shown("Seat 3: name"));
    EXPECT_FALSE(Enabled("Remove seat")) << "two seats at least";
    EXPECT_EQ(FocusName(), "Add seat") << "the focus is not lost with the button";

    EXPECT_FALSE(Enabled("Seat 1: style")) << "a person has no style";
    KeyOn("Seat 2: played by", VK_UP);
    EXPECT_EQ(Value("Seat 2: played by"), "Person");
    EXPECT_FALSE(Enabled("Seat 2: style"));

    KeyOn("Rules", VK_DOWN);
    EXPECT_EQ(Value("Rules"), "Spanish");
    EXPECT_EQ(Value("Two-card 7.5 takes the bank"), "No");
    EXPECT_EQ(Value("Wild card (king of coins)"), "No");
    EXPECT_EQ(Value("7.5 paid double"), "Any 7.5");
    EXPECT_EQ(Value("Stakes the bank can cover"), "Yes");
    KeyOn("Stakes the bank can cover", VK_DOWN);
    EXPECT_EQ(Value("Rules"), "Custom") << "the cover turned off";
    Control("Minimum stake")->SetTextUtf8("1000");
    KeyOn("Minimum stake", VK_TAB);
    EXPECT_EQ(Value("Rules"), "Custom") << "a field off the preset";
    KeyOn("The bank passes also", VK_END);
    EXPECT_TRUE(Enabled("Rounds before it passes"));
    EXPECT_EQ(Control("Rounds before it passes")->GetTextUtf8(), "10");

    Enter();
    ASSERT_EQ(handedBack.calls, 1);
    const EveningSetup& back = handedBack.setup;
    ASSERT_EQ(back.seats.size(), 2u);
    EXPECT_EQ(back.seats[1].kind, SeatKind::Person);
    EXPECT_EQ(back.rules.minStake, 1000);
    EXPECT_FALSE(back.rules.twoCardTakesBank);
    EXPECT_EQ(back.rules.doublePay, DoublePay::Any);
    EXPECT_FALSE(back.rules.cover);
    EXPECT_EQ(back.rules.passing, BankPassing::EveryRounds);
    EXPECT_EQ(back.rules.passEvery, 10);
    EXPECT_TRUE(back.firstBank == 0 || back.firstBank == 1) << "drawn again for two seats";
}

TEST_F(SetupBoxTest, AccessKeysDifferInEveryLanguageAndLeadToTheirField) {
    for (Language language : {Language::English, Language::Italian, Language::Spanish}) {
        const TableTexts texts(language);
        RandomSource random;
        random.Reseed(3);
        OpenSetup(texts, DefaultEveningSetup(texts, random, "Player 1"));
        std::set<wchar_t> letters;
        for (GUIElement* element : ElementRegistry) {
            if (element == nullptr || element->parent != box) continue;
            const std::wstring caption = element->GetText();
            const std::size_t mark = caption.find(L'&');
            if (mark == std::wstring::npos || mark + 1 >= caption.size()) continue;
            wchar_t letter = caption[mark + 1];
            CharUpperBuffW(&letter, 1);
            EXPECT_TRUE(letters.insert(letter).second) << WideToUtf8(caption) << " repeats a letter";
            if (dynamic_cast<Label*>(element) == nullptr) continue;
            // Alt with the letter focuses the field the label names (beside it, or the first
            // below it), unless that field is closed (a person's style, rounds never asked).
            SendMessageW(GetFocus(), WM_SYSCHAR, letter, 0);
            if (!IsWindowEnabled(GetWindow(element->window, GW_HWNDNEXT))) continue;
            GUIElement* focused = FindElementByWindow(GetFocus());
            ASSERT_NE(focused, nullptr);
            EXPECT_TRUE(focused->y == element->y - 4 || (focused->x == element->x && focused->y > element->y))
                << WideToUtf8(caption) << " leads to " << WideToUtf8(AccessibleName(*focused));
        }
        EXPECT_EQ(letters.size(), 17u);
        // Tab goes round every open control once, and back to where it began.
        std::set<std::string> open, reached;
        for (GUIElement* element : ElementRegistry)
            if (element != nullptr && element->parent == box && dynamic_cast<Label*>(element) == nullptr &&
                IsWindowVisible(element->window) && IsWindowEnabled(element->window))
                open.insert(WideToUtf8(AccessibleName(*element)));
        const std::string first = FocusName();
        do {
            reached.insert(FocusName());
            Key(VK_TAB);
        } while (FocusName() != first && reached.size() <= open.size());
        EXPECT_EQ(reached, open);
        Key(VK_ESCAPE, 27);
        EXPECT_FALSE(BoxOpen());
        EXPECT_EQ(handedBack.calls, 0) << "Escape changes nothing";
        EXPECT_TRUE(IsWindowEnabled(owner->window));
    }
}

TEST_F(StandingsTest, SeatsByChipsWithTheirBankRoundsAndANewEvening) {
    const struct {
        std::vector<std::int64_t> chips;
        std::vector<int> order;
    } cases[] = {
        {{100, 300, 200}, {1, 2, 0}},
        {{500, 500, 90000, 0}, {2, 0, 1, 3}},
        {{0, 1}, {1, 0}},
    };
    for (const auto& c : cases) {
        std::vector<TableSeat> seats;
        for (std::size_t seat = 0; seat < c.chips.size(); ++seat) {
            TableSeat made;
            made.name = "Seat & " + std::to_string(seat);
            made.chips = c.chips[seat];
            made.roundsAsBank = static_cast<int>(seat) * 3;
            seats.push_back(made);
        }
        EXPECT_EQ(StandingsOrder(seats), c.order);
        OpenStandingsOf(seats);
        const auto& lines = standingsBox->NameLabels();
        ASSERT_EQ(lines.size(), c.order.size());
        for (std::size_t line = 0; line < lines.size(); ++line) {
            const TableSeat& seat = seats[static_cast<std::size_t>(c.order[line])];
            EXPECT_EQ(WideToUtf8(AccessibleName(*lines[line])), seat.name);
            EXPECT_EQ(WideToUtf8(AccessibleValue(*lines[line])),
                      (seat.chips == 1 ? "1 chip" : Grouped(seat.chips) + " chips") +
                          "; rounds as bank: " + Grouped(seat.roundsAsBank));
            if (line > 0) {
                EXPECT_GT(lines[line]->y, lines[line - 1]->y);
            }
        }
    }
    EXPECT_EQ(FocusName(), "New evening");
    EXPECT_FALSE(IsWindowEnabled(owner->window));
    Enter();
    EXPECT_EQ(newEvenings, 1);
    EXPECT_FALSE(BoxOpen());
    EXPECT_TRUE(IsWindowEnabled(owner->window));
    OpenStandingsOf(std::vector<TableSeat>(2));
    Control("Close")->Focus();
    Enter();
    EXPECT_EQ(newEvenings, 1) << "Close starts nothing";
    EXPECT_FALSE(BoxOpen());
    // Where no new evening can be set (an online table set up by someone else): Close alone.
    OpenStandingsOf(std::vector<TableSeat>(2), nullptr);
    EXPECT_EQ(FocusName(), "Close");
    Enter();
    EXPECT_FALSE(BoxOpen());
}

}  // namespace
