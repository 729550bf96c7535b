// The full table's words and what its view lets the screen show, in-process over an
// evening in memory: no moment leaks a covered card through its points, every moment reads
// whole in every language, and a covered card shows only to whom it may.
#include "ComputerPlayers.h"
#include "ContrastTheme.h"
#include "CoreTestSupport.h"
#include "Evening.h"
#include "LocalTableSession.h"
#include "FormFullTable.h"
#include "FullTableLayout.h"
#include "FullTableNarrator.h"
#include "FullTableView.h"
#include "NumberText.h"
#include "RegistryEveningStore.h"
#include "RoundSentences.h"
#include "TableColours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace DoDadu;

const TableMoment kMoments[] = {
    TableMoment::RoundStarts,   TableMoment::SitsOut,       TableMoment::DeckShuffled, TableMoment::CardDealt,
    TableMoment::TurnStarts,    TableMoment::StakeSet,      TableMoment::SeatStands,   TableMoment::SeatBusts,
    TableMoment::BankTurnsCard, TableMoment::BankStands,    TableMoment::BankBusts,    TableMoment::SeatWins,
    TableMoment::SeatLoses,     TableMoment::BankRunsShort, TableMoment::BankPasses,   TableMoment::RoundEnds,
    TableMoment::EveningEnds};

std::vector<TableSeat> Seats(const std::vector<SeatKind>& kinds) {
    const char* const names[] = {"Anna", "Bruno", "Carla", "Dario"};
    std::vector<TableSeat> seats;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        TableSeat seat;
        seat.name = names[i];
        seat.kind = kinds[i];
        seats.push_back(seat);
    }
    return seats;
}

// Every moment is one whole sentence in every language: no placeholder left, and the
// seat it is about named.
TEST(FullTableWords, EveryMomentIsOneWholeSentenceInEveryLanguage) {
    const auto seats = Seats({SeatKind::Person, SeatKind::Computer});
    for (auto language :
         {TextIds::Language::English, TextIds::Language::Italian, TextIds::Language::Spanish}) {
        TableTexts texts(language);
        FullTableNarrator narrator(texts, GroupingLocale('.', "\3"));
        for (TableMoment moment : kMoments) {
            TableEvent event;
            event.moment = moment;
            const bool aboutNoSeat = moment == TableMoment::DeckShuffled ||
                                     moment == TableMoment::EveningEnds || moment == TableMoment::RoundEnds ||
                                     moment == TableMoment::BankStands || moment == TableMoment::BankBusts;
            event.seat = aboutNoSeat ? -1 : 1;
            event.card = 7;
            event.amount = 1500;
            event.reason = PassReason::DeckUsedUp;
            const std::string sentence = narrator.Sentence(event, seats, {});
            const int index = static_cast<int>(moment);
            EXPECT_FALSE(sentence.empty()) << "moment " << index;
            EXPECT_EQ(std::string::npos, sentence.find('{')) << sentence;
            if (!aboutNoSeat) {
                EXPECT_NE(std::string::npos, sentence.find("Bruno")) << sentence;
            }
        }
    }
}

// A card dealt face up and a stand tell what the others see; the moments that show the
// covered card tell the whole hand.
TEST(FullTableWords, PointsAreToldAsTheOthersSeeThem) {
    const auto seats = Seats({SeatKind::Person, SeatKind::Computer, SeatKind::Computer});
    const struct {
        TableMoment moment;
        double expected;
    } cases[] = {{TableMoment::CardDealt, 2.0},
                 {TableMoment::SeatStands, 2.0},
                 {TableMoment::SeatBusts, 7.0},
                 {TableMoment::SeatWins, 7.0},
                 {TableMoment::SeatLoses, 7.0}};
    FullTableNarrator narrator(EnglishTexts(), GroupingLocale(',', "\3"));
    FullTableNarrator::Context context;
    context.bank = 0;
    context.shownPoints = 2.0;
    for (const auto& c : cases) {
        TableEvent event;
        event.moment = c.moment;
        event.seat = 1;
        event.card = 2;
        event.points = 7.0;  // the whole hand, the covered card included
        const std::string sentence = narrator.Sentence(event, seats, context);
        EXPECT_NE(std::string::npos, sentence.find(PointsInWords(c.expected))) << sentence;
        const double other = c.expected == 2.0 ? 7.0 : 2.0;
        EXPECT_EQ(std::string::npos, sentence.find(PointsInWords(other))) << sentence;
    }
}

TEST(FullTableWords, SeatsAndHandsReadAsAScreenReaderHearsThem) {
    FullTableNarrator narrator(EnglishTexts(), GroupingLocale(',', "\3"));
    SeatShown bank;
    bank.name = "Marco";
    bank.chips = 52000;
    bank.bank = true;
    EXPECT_EQ("Marco, bank: 52,000 chips", narrator.SeatName(bank));
    SeatShown anna;
    anna.name = "Anna";
    anna.chips = 48000;
    anna.cards = {0, 18, 6};  // covered, knave of cups (half a point), six of coins
    anna.status = SeatStatus::Standing;
    anna.stake = 1000;
    EXPECT_EQ("Anna: 3 cards, 6.5 points, standing, stake 1,000", narrator.HandName(anna));
    EXPECT_EQ("Anna, card 1: covered card", narrator.CardPlaceName(anna, 0));
}

// The view over an evening in memory on a real form: whose covered card shows on the screen.
class FullTableSight : public ::testing::Test {
protected:
    void Open(const std::vector<SeatKind>& kinds, int bank) {
        players.Set(PlayStyle::Careful, &careful);
        random.Reseed(11);
        evening = std::make_unique<Evening>(HouseRules::Italian(), Seats(kinds), bank, random);
        evening->SetPlayers(&players);
        evening->SetListener(&view);
        form = coretest::MakeForm("full table");
        form->Create();
        layout.Build(*form, EnglishTexts(), FullTableEvents{});
        session = std::make_unique<LocalTableSession>(*evening);
        view.Watch(session.get());
        ASSERT_TRUE(evening->StartRound());
    }
    bool Covered(int seat) const { return view.Shown(seat).cards.front() == 0; }

    CarefulPlayer careful;
    PlayerTable players;
    RandomSource random;
    std::unique_ptr<Evening> evening;
    std::unique_ptr<LocalTableSession> session;
    coretest::Owned<NeloUtility::Form> form;
    FullTableLayout layout;
    FullTableNarrator narrator{EnglishTexts(), GroupingLocale(',', "\3")};
    FullTableView view{layout, narrator};
};

TEST_F(FullTableSight, APersonAloneSeesTheirCardAndNoOtherCovered) {
    Open({SeatKind::Person, SeatKind::Computer, SeatKind::Computer}, 2);
    EXPECT_FALSE(Covered(0));
    EXPECT_TRUE(Covered(1));
    EXPECT_TRUE(Covered(2)) << "the bank's card before it turns it";
}

TEST_F(FullTableSight, PersonsSharingTheScreenSeeTheirOwnOnlyWhenAskedInTheirTurn) {
    Open({SeatKind::Person, SeatKind::Person, SeatKind::Computer}, 2);
    ASSERT_EQ(0, evening->ToAct());
    EXPECT_TRUE(Covered(0));
    view.Reveal(0);
    EXPECT_FALSE(Covered(0));
    EXPECT_TRUE(Covered(1));
    ASSERT_TRUE(evening->Stand());
    EXPECT_TRUE(Covered(0)) << "face down again once the turn is over";
    EXPECT_TRUE(Covered(1)) << "the next person has not asked yet";
    view.Reveal(1);
    ASSERT_TRUE(evening->Stand());
    while (evening->RoundInPlay()) ASSERT_TRUE(evening->ComputerStep());
    for (int seat = 0; seat < 3; ++seat)
        EXPECT_FALSE(Covered(seat)) << "every card shows once the round is over";
}

// A display scale change while the table is open (the window moved to a denser screen):
// the window takes the rectangle the system suggests and the table fits it again, its
// cards drawn for the new density and all of it inside the client area. The window is
// kept at 800 units wide, so that every suggestion fits the test's screen.
TEST_F(FullTableSight, ADisplayScaleChangeFitsTheTableAgain) {
    Open({SeatKind::Person, SeatKind::Computer, SeatKind::Computer}, 2);
    const int kWide = 800, kHigh = 560;
    for (const int dpi : {96, 120, 96}) {
        RECT outer{};
        GetWindowRect(form->window, &outer);
        const RECT client{0, 0, MulDiv(kWide, dpi, 96), MulDiv(kHigh, dpi, 96)};
        RECT suggested = client;
        AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(form->window, GWL_STYLE)),
                           GetMenu(form->window) != nullptr,
                           static_cast<DWORD>(GetWindowLongW(form->window, GWL_EXSTYLE)));
        OffsetRect(&suggested, outer.left - suggested.left, outer.top - suggested.top);
        if (form->fittedLayout.cx == 0) form->FitLayout(kFullTableWidth, kFullTableHeight);
        SendMessageW(form->window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        coretest::Pump();
        RECT area{};
        GetClientRect(form->window, &area);
        int shownCards = 0;
        for (const SeatPlace& place : layout.places)
            for (NeloUtility::Image* card : place.cards) {
                if (card == nullptr || !IsWindowVisible(card->window)) continue;
                ++shownCards;
                RECT at{};
                GetWindowRect(card->window, &at);
                MapWindowPoints(nullptr, form->window, reinterpret_cast<POINT*>(&at), 2);
                BITMAP picture{};
                const auto shown =
                    reinterpret_cast<HBITMAP>(SendMessageW(card->window, STM_GETIMAGE, IMAGE_BITMAP, 0));
                ASSERT_TRUE(GetObjectW(shown, sizeof picture, &picture)) << dpi;
                EXPECT_NEAR(at.right - at.left, MulDiv(63, form->layoutDpi, 96), 1) << dpi;
                EXPECT_EQ(at.right - at.left, picture.bmWidth)
                    << dpi << ": drawn for the density, not stretched";
                EXPECT_TRUE(at.left >= 0 && at.top >= 0 && at.right <= area.right && at.bottom <= area.bottom)
                    << dpi;
            }
        EXPECT_GT(shownCards, 0);
        EXPECT_NEAR(form->layoutDpi, MulDiv(dpi, kWide, kFullTableWidth), 1)
            << "the table fills the suggested window";
    }
}

// The controls in the classic table's colours (START red while it can be pressed, the rest
// grey), and in the system's colours once the player asks for high contrast.
TEST(FullTableColours, TheControlsFollowHighContrast) {
    RandomSource random;
    RegistryEveningStore store;
    Evening(HouseRules::Italian(), Seats({SeatKind::Person, SeatKind::Computer}), 1, random).Save(store);
    FormFullTable table(GetModuleHandleW(nullptr), nullptr);
    table.Open();
    HWND start = table.Layout().startButton->window, stop = table.Layout().stopButton->window;
    const struct {
        NeloUtility::ContrastChoice choice;
        HWND control;
        COLORREF back, text;
    } cases[] = {
        {NeloUtility::ContrastChoice::Off, start, kStartRed, kTableWhite},
        {NeloUtility::ContrastChoice::Off, stop, kControlGrey, kTableBlack},
        {NeloUtility::ContrastChoice::On, start, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)},
        {NeloUtility::ContrastChoice::On, stop, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)},
    };
    for (const auto& c : cases) {
        NeloUtility::SetContrastChoice(c.choice);
        HDC dc = GetDC(c.control);
        EXPECT_NE(nullptr, table.OnControlColor(dc));
        EXPECT_EQ(c.back, GetBkColor(dc)) << (c.control == start ? "START" : "STOP");
        EXPECT_EQ(c.text, GetTextColor(dc)) << (c.control == start ? "START" : "STOP");
        ReleaseDC(c.control, dc);
    }
    NeloUtility::SetContrastChoice(NeloUtility::ContrastChoice::FollowSystem);
}

}  // namespace
