// The full table's words and what its view lets the screen show, in-process over an
// evening in memory: no moment leaks a covered card through its points, every moment reads
// whole in every language, and a covered card shows only to whom it may.
#include "ComputerPlayers.h"
#include "ContrastTheme.h"
#include "CoreTestSupport.h"
#include "Evening.h"
#include "EveningSetup.h"
#include "LocalTableSession.h"
#include "FormFullTable.h"
#include "FullTableFelt.h"
#include "FullTableLayout.h"
#include "FullTableNarrator.h"
#include "FullTableView.h"
#include "NumberText.h"
#include "OnlineTableSession.h"
#include "RegistryEveningStore.h"
#include "RoundSentences.h"
#include "TableColours.h"
#include "TableFixture.h"

#include "AccessibleElement.h"
#include "ElementWindowProc.h"
#include "SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include <string>
#include <vector>

namespace {

using namespace DoDadu;

const TableMoment kMoments[] = {
    TableMoment::RoundStarts,    TableMoment::SitsOut,       TableMoment::DeckShuffled,
    TableMoment::CardDealt,      TableMoment::TurnStarts,    TableMoment::StakeSet,
    TableMoment::SeatStands,     TableMoment::SeatBusts,     TableMoment::BankTurnsCard,
    TableMoment::BankStands,     TableMoment::BankBusts,     TableMoment::SeatWins,
    TableMoment::SeatLoses,      TableMoment::BankRunsShort, TableMoment::BankPasses,
    TableMoment::RoundEnds,      TableMoment::EveningEnds,   TableMoment::SeatShowsBest,
    TableMoment::BankCannotCover};

std::vector<TableSeat> Seats(const std::vector<SeatKind>& kinds) {
    const char* const names[] = {"Anna", "Bruno", "Carla", "Dario", "Elena", "Fabio"};
    std::vector<TableSeat> seats;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        TableSeat seat;
        seat.name = names[i];
        seat.kind = kinds[i];
        seats.push_back(seat);
    }
    return seats;
}

// How large a line of text is drawn in a font, in the table's layout units.
SIZE TextSize(NeloUtility::FontSpec* font, const std::string& line) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font->GetFontHandle());
    const std::wstring wide = NeloUtility::Utf8ToWide(line);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size;
}

// Every moment is one whole sentence in every language: no placeholder left, and the
// seat it is about named.
TEST(FullTableWords, EveryMomentIsOneWholeSentenceInEveryLanguage) {
    const auto seats = Seats({SeatKind::Person, SeatKind::Computer});
    for (auto language :
         {TextIds::Language::English, TextIds::Language::Italian, TextIds::Language::Spanish}) {
        TableTexts texts(language);
        FullTableNarrator narrator(texts);
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
    FullTableNarrator narrator(EnglishTexts());
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

// In each language's words and its one number format; one chip in the singular.
TEST(FullTableWords, SeatsAndHandsReadAsAScreenReaderHearsThem) {
    const struct {
        TextIds::Language language;
        const char *bank, *hand, *card, *oneChip, *freeSeat, *computer;
    } cases[] = {
        {TextIds::Language::English, "Marco, bank: 52,000 chips",
         "Anna: 3 cards, 6.5 points, standing, stake 1,000", "Anna, card 1: covered card", "1 chip",
         "Seat 3: Waiting for a player", "Computer \xC2\xB7 Bold"},
        {TextIds::Language::Italian, "Marco, banco: 52.000 fiches",
         "Anna: 3 carte, 6,5 punti, sta, posta 1.000", "Anna, carta 1: carta coperta", "1 fiche",
         "Posto 3: In attesa di un giocatore", "Computer \xC2\xB7 Audace"},
        {TextIds::Language::Spanish, "Marco, banca: 52.000 fichas",
         "Anna: 3 cartas, 6,5 puntos, se planta, apuesta 1.000", "Anna, carta 1: carta tapada", "1 ficha",
         "Asiento 3: Esperando a un jugador", "Ordenador \xC2\xB7 Atrevido"},
    };
    for (const auto& c : cases) {
        const TableTexts texts(c.language);
        FullTableNarrator narrator(texts);
        SeatShown bank;
        bank.name = "Marco";
        bank.chips = 52000;
        bank.bank = true;
        EXPECT_EQ(c.bank, narrator.SeatName(bank));
        SeatShown anna;
        anna.name = "Anna";
        anna.chips = 1;
        anna.cards = {0, 18, 6};  // covered, knave of cups (half a point), six of coins
        anna.status = SeatStatus::Standing;
        anna.stake = 1000;
        EXPECT_EQ(c.hand, narrator.HandName(anna));
        EXPECT_EQ(c.card, narrator.CardPlaceName(anna, 0));
        EXPECT_EQ(c.oneChip, narrator.ChipsLine(anna));
        EXPECT_EQ(std::string("Anna: ") + c.oneChip, narrator.SeatName(anna));
        // Before an evening held elsewhere starts: who sits where, and which seat is free.
        SeatShown free;
        free.gathering = free.free = true;
        free.name = narrator.FreeSeatName(2);
        EXPECT_EQ(c.freeSeat, narrator.HandName(free));
        SeatShown computer;
        computer.gathering = true;
        computer.kind = SeatKind::Computer;
        computer.style = PlayStyle::Bold;
        EXPECT_EQ(c.computer, narrator.StateLine(computer));
    }
}

// Every line of a place fits its width in every language, for a long name in turn, chips in
// the millions and the largest stake, whatever the seat's state.
TEST(FullTableWords, EveryLineFitsItsPlace) {
    const FullTableLayout layout;  // its fonts
    const auto width = [](NeloUtility::FontSpec* font, const std::string& line) {
        return TextSize(font, line).cx;
    };
    for (auto language :
         {TextIds::Language::English, TextIds::Language::Italian, TextIds::Language::Spanish}) {
        TableTexts texts(language);
        FullTableNarrator narrator(texts);
        SeatShown seat;
        seat.name = "Massimiliano";
        seat.chips = 1234567;
        seat.inTurn = true;
        seat.cards = {18, 6};  // the knave of cups and the six of coins: 6.5 points
        seat.stake = HouseRules::Italian().maxStake;
        ASSERT_GT(width(layout.nameFont, seat.name), kPlaceWidth / 4) << "the text is measured";
        for (const SeatStatus status : {SeatStatus::SitsOut, SeatStatus::Waiting, SeatStatus::Playing,
                                        SeatStatus::Standing, SeatStatus::Bust}) {
            seat.status = status;
            seat.bank = status == SeatStatus::Waiting;
            for (const auto& [font, line] : {std::make_pair(layout.nameFont, narrator.NameLine(seat)),
                                             std::make_pair(layout.seatFont, narrator.ChipsLine(seat)),
                                             std::make_pair(layout.seatFont, narrator.StateLine(seat))})
                EXPECT_LE(width(font, line), kPlaceWidth) << line;
        }
    }
}

// Before an evening held by a server starts, each place reads who sits there, or that the
// seat is free, as the server's table shows it (the bank, drawn by lot, at the top).
TEST(FullTableLobby, EachPlaceReadsWhoIsThereOrThatItIsFree) {
    const auto seat = [](int number, const char* name, const char* kind, const char* style, bool taken) {
        return "{\"seat\":" + std::to_string(number) + ",\"name\":\"" + name + "\",\"kind\":\"" + kind +
               "\",\"style\":\"" + style + "\",\"taken\":" + (taken ? "true" : "false") +
               ",\"connected\":true,\"away\":false,\"chips\":50000,\"stake\":0,\"status\":\"sits_out\","
               "\"cards\":[]}";
    };
    const std::string lobby =
        R"({"v":1,"type":"table","code":"7KQ2MX","invitation":"zandro://127.0.0.1:9000/7KQ2MX",)"
        R"("phase":"lobby","you":0,"creator":0,"can_start":false,"rules":"italian","chips":50000,)"
        R"("rounds":0,"rounds_limit":0,"in_play":false,"bank":2,"to_act":-1,"bank_turn":false,)"
        R"("actions":[],"seats":[)" +
        seat(0, "Nonna", "person", "careful", true) + "," + seat(1, "", "person", "careful", false) + "," +
        seat(2, "Ada", "computer", "expert", true) +
        R"(],"dealt":[],"dealt_before_refill":-1,"seen_before":[],"deck_left":40,)"
        R"("total":150000,"start_total":150000,"events":[]})";
    OnlineTableSession session([](const std::string&) {});
    session.SetLinked(true);
    ASSERT_TRUE(session.Receive(lobby));
    ASSERT_EQ(std::vector<int>{1}, session.FreeSeats());
    EXPECT_TRUE(session.MayGiveSeat(1));
    coretest::Owned<NeloUtility::Form> form = coretest::MakeForm("lobby");
    form->Create();
    FullTableLayout layout;
    layout.Build(*form, EnglishTexts(), FullTableEvents{});
    FullTableNarrator narrator{EnglishTexts()};
    FullTableView view{layout, narrator};
    view.Watch(&session);
    const char* const read[] = {"Ada: Computer \xC2\xB7 Expert", "Nonna: At the table",
                                "Seat 2: Waiting for a player"};
    for (int place = 0; place < 3; ++place) {
        EXPECT_EQ(read[place], NeloUtility::WideToUtf8(
                                   AccessibleName(*layout.places[static_cast<std::size_t>(place)].state)));
    }
    EXPECT_EQ("Seat 2", layout.places[2].name->GetTextUtf8()) << "a free seat by its number";
    view.Watch(nullptr);
}

// The invitation shows whole in the felt's middle, in lines that fit it, clear of every place
// at any number of seats, with Copy invitation in the row after START in every language;
// both go once the evening starts.
TEST(FullTableLobby, TheInvitationShowsInTheFeltsMiddleWithItsCopyButton) {
    const std::string pin = "#sha256=9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";
    const std::string invitations[] = {"zandro://127.0.0.1:9000/7KQ2MX",
                                       "zandro://127.0.0.1:49152/7KQ2MX" + pin,
                                       "zandro://tavolo.famiglia-esposito.example.org:443/7KQ2MX" + pin};
    coretest::Owned<NeloUtility::Form> form = coretest::MakeForm("lobby");
    form->Create();
    FullTableLayout layout;
    layout.Build(*form, EnglishTexts(), FullTableEvents{});
    NeloUtility::CellControl& cell = *layout.invitationCell;
    const RECT middle{cell.x, cell.y, cell.x + cell.width, cell.y + cell.height};
    for (int seats = 2; seats <= kSeatPlaces; ++seats) {
        for (const POINT corner : PlacesAround(seats)) {
            RECT common{};
            const RECT place = PlaceArea(corner);
            EXPECT_FALSE(IntersectRect(&common, &middle, &place)) << seats << " seats";
        }
    }
    for (const std::string& invitation : invitations) {
        layout.ShowGathering(true, true, invitation);
        EXPECT_TRUE(layout.ShowsInvitation());
        EXPECT_EQ(invitation, NeloUtility::WideToUtf8(AccessibleName(cell)));
        std::istringstream lines(cell.GetTextUtf8());
        std::string line, whole;
        int height = 0;
        while (std::getline(lines, line)) {
            const SIZE size = TextSize(layout.invitationFont, line);
            EXPECT_LE(size.cx, cell.width) << line;
            height += size.cy;
            whole += line;
        }
        EXPECT_LE(height, cell.height) << invitation;
        EXPECT_EQ(invitation, whole);
    }
    EXPECT_EQ(layout.startButton->x + layout.startButton->width + 10, layout.copyInvitationButton->x);
    EXPECT_LT(layout.copyInvitationButton->x + layout.copyInvitationButton->width, layout.freeSeatChoice->x);
    EXPECT_LE(layout.giveSeatButton->x + layout.giveSeatButton->width, kFullTableWidth);
    for (auto language :
         {TextIds::Language::English, TextIds::Language::Italian, TextIds::Language::Spanish}) {
        layout.ShowTexts(TableTexts(language));
        const std::string caption = WithoutAccessMark(layout.copyInvitationButton->GetTextUtf8());
        EXPECT_LT(TextSize(layout.buttonFont, caption).cx, layout.copyInvitationButton->width) << caption;
    }
    layout.ShowGathering(false, false, invitations[1]);
    EXPECT_FALSE(layout.ShowsInvitation());
    EXPECT_FALSE(layout.copyInvitationButton->visible);
}

// The view over an evening in memory on a real form: whose covered card shows on the screen.
class FullTableSight : public ::testing::Test {
protected:
    void Open(const std::vector<SeatKind>& kinds, int bank, const std::vector<int>& stacked = {}) {
        players.Set(PlayStyle::Careful, &careful);
        random.Reseed(11);
        evening = std::make_unique<Evening>(HouseRules::Italian(), Seats(kinds), bank, random);
        if (!stacked.empty()) StackTableDeck(evening->DeckToSetUp(), stacked);
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
    FullTableNarrator narrator{EnglishTexts()};
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

// Whether a point of the layout lies on the felt, inside its rim and its rounded corners.
bool OnFelt(LONG x, LONG y) {
    const RECT felt{kFeltEdge.left + kFeltRim, kFeltEdge.top + kFeltRim, kFeltEdge.right - kFeltRim,
                    kFeltEdge.bottom - kFeltRim};
    const double rx = (kFeltCorner.cx - 2 * kFeltRim) / 2.0, ry = (kFeltCorner.cy - 2 * kFeltRim) / 2.0;
    if (x < felt.left || x > felt.right || y < felt.top || y > felt.bottom) return false;
    const double cx = std::clamp<double>(x, felt.left + rx, felt.right - rx);
    const double cy = std::clamp<double>(y, felt.top + ry, felt.bottom - ry);
    return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1.0;
}

// At every size of table each seat has a place of its own on the felt, the bank's at the top
// in the middle: with the light round the seat in turn, no place reaches the rim or another
// place, and every element of the table stays in the client area at its least size and at
// the size it opens at.
TEST_F(FullTableSight, EverySeatHasItsOwnPlaceOnTheFelt) {
    for (int seats = 2; seats <= kSeatPlaces; ++seats) {
        SCOPED_TRACE(seats);
        const std::vector<POINT> corners = PlacesAround(seats);
        ASSERT_EQ(corners.size(), static_cast<std::size_t>(seats));
        EXPECT_EQ(PlaceArea(corners[0]).left + PlaceArea(corners[0]).right, kFullTableWidth) << "the bank's";
        std::vector<RECT> lit;
        for (const POINT corner : corners) {
            RECT area = PlaceArea(corner);
            InflateRect(&area, kTurnGlow, kTurnGlow);
            for (const POINT point : {POINT{area.left, area.top}, POINT{area.right, area.top},
                                      POINT{area.left, area.bottom}, POINT{area.right, area.bottom}})
                EXPECT_TRUE(OnFelt(point.x, point.y)) << point.x << "," << point.y;
            for (const RECT& other : lit) {
                RECT common{};
                EXPECT_FALSE(IntersectRect(&common, &area, &other)) << corner.x << "," << corner.y;
            }
            lit.push_back(area);
        }
    }
    std::vector<SeatKind> kinds(kSeatPlaces, SeatKind::Computer);
    kinds[0] = SeatKind::Person;
    Open(kinds, 1);
    for (const SIZE client : {SIZE{kFullTableLeastWidth, kFullTableLeastHeight},
                              SIZE{kFullTableOpenWidth, kFullTableOpenHeight}}) {
        form->SetClientSize(client.cx, client.cy);
        form->FitLayout(kFullTableWidth, kFullTableHeight);
        coretest::Pump();
        RECT area{};
        GetClientRect(form->window, &area);
        for (HWND child = GetWindow(form->window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            RECT at{};
            GetWindowRect(child, &at);
            MapWindowPoints(nullptr, form->window, reinterpret_cast<POINT*>(&at), 2);
            EXPECT_TRUE(at.left >= 0 && at.top >= 0 && at.right <= area.right && at.bottom <= area.bottom)
                << client.cx << ": " << at.left << "," << at.top << "-" << at.right << "," << at.bottom;
        }
    }
}

// A seat's 7.5 turns its covered card up on the shared screen at once, and the message
// line says it in the table's words.
TEST_F(FullTableSight, ASevenAndAHalfShowsAtOnce) {
    Open({SeatKind::Person, SeatKind::Person, SeatKind::Computer}, 2, {5, 17, 24, 18});  // Anna: 7, knave
    ASSERT_EQ(0, evening->ToAct());
    // The message line after each moment, as the view wrote it.
    struct Lines : TableListener {
        FullTableView* view = nullptr;
        NeloUtility::CellControl* line = nullptr;
        std::vector<std::string> said;
        void OnTableEvent(const TableEvent& event) override {
            view->OnTableEvent(event);
            said.push_back(line->GetTextUtf8());
        }
    } lines;
    lines.view = &view;
    lines.line = layout.messageCell;
    evening->SetListener(&lines);
    ASSERT_TRUE(evening->GetCard());
    EXPECT_FALSE(Covered(0)) << "shown without asking";
    EXPECT_TRUE(Covered(1));
    EXPECT_NE(lines.said.end(), std::find(lines.said.begin(), lines.said.end(), "Anna: seven and a half!"));
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
// grey), the felt green in its rim; all in the system's colours once the player asks for
// high contrast.
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
    // The felt and its rim in the table's colours, and in the window's colour under contrast.
    const RECT felt = FeltPixels(table, RECT{200, 60, 20, 300});  // a bare point of each
    for (const auto choice : {NeloUtility::ContrastChoice::Off, NeloUtility::ContrastChoice::On}) {
        NeloUtility::SetContrastChoice(choice);
        RedrawWindow(table.window, nullptr, nullptr,
                     RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = GetDC(table.window);
        const bool on = choice == NeloUtility::ContrastChoice::On;
        EXPECT_EQ(on ? GetSysColor(COLOR_WINDOW) : kTableGreen, GetPixel(dc, felt.left, felt.top)) << on;
        const COLORREF rim = GetPixel(dc, felt.right, felt.bottom);
        EXPECT_TRUE(on ? rim == GetSysColor(COLOR_WINDOW) : rim != kTableGreen && rim != kTableRoom) << on;
        ReleaseDC(table.window, dc);
    }
    NeloUtility::SetContrastChoice(NeloUtility::ContrastChoice::FollowSystem);
}

// Before the first deal the stake slider reads its name and the least stake, as it does in a
// turn; and no element of the table is read with the "&" that marks its access key.
TEST(FullTableReading, TheStakeAndEveryCaptionReadRightFromTheStart) {
    for (const char* language : {"en", "it", "es"}) {
        SCOPED_TRACE(language);
        NeloUtility::WriteSetting("Zandro", "Dati", "Language", language);
        RandomSource random;
        RegistryEveningStore store;
        Evening(HouseRules::Italian(), Seats({SeatKind::Person, SeatKind::Computer}), 1, random).Save(store);
        FormFullTable table(GetModuleHandleW(nullptr), nullptr);
        table.Open();
        coretest::Pump();
        const ResourceTexts texts;
        EXPECT_EQ(NeloUtility::WideToUtf8(AccessibleName(*table.Layout().stakeSlider)),
                  texts.Text(TextIds::kNameStakeSlider));
        EXPECT_EQ(NeloUtility::WideToUtf8(AccessibleValue(*table.Layout().stakeSlider)), "500");
        int read = 0;
        for (HWND child = GetWindow(table.window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            NeloUtility::GUIElement* element = NeloUtility::FindElementByWindow(child);
            if (element == nullptr || !IsWindowVisible(child)) continue;
            const std::wstring name = AccessibleName(*element);
            EXPECT_EQ(std::wstring::npos, name.find(L'&')) << NeloUtility::WideToUtf8(name);
            ++read;
        }
        EXPECT_GT(read, 8);
    }
    NeloUtility::WriteSetting("Zandro", "Dati", "Language", "");
}

// The stake slider of a seat stops at what the bank can still cover where the rules
// say so, and at the rules' maximum where they do not.
TEST(FullTableStake, TheSliderStopsAtWhatTheBankCanCover) {
    for (bool cover : {true, false}) {
        SCOPED_TRACE(cover ? "cover" : "no cover");
        HouseRules rules = HouseRules::Spanish();
        rules.cover = cover;
        auto seats = Seats({SeatKind::Computer, SeatKind::Person});
        seats[0].chips = 2500;  // the bank covers 1,250 of a stake that may win double
        RandomSource random;
        RegistryEveningStore store;
        Evening(rules, seats, 0, random).Save(store);
        FormFullTable table(GetModuleHandleW(nullptr), nullptr);
        table.Open();
        table.OnButtonClick(table.Layout().startButton);
        ASSERT_EQ(1, table.ThisEvening()->ToAct());
        const int positions = cover ? 2 : 8;  // 500 and 1,000; or 500 to 4,000
        EXPECT_EQ(positions, table.Layout().stakeSlider->maximum);
    }
}

// Each evening that ends shows its own standings: the second one as well as the first.
TEST(FullTableStandings, EveryEveningThatEndsShowsItsStandings) {
    auto seats = Seats({SeatKind::Person, SeatKind::Computer});
    for (TableSeat& seat : seats) seat.chips = 500;  // one round leaves one seat without chips
    HouseRules rules = HouseRules::Italian();
    rules.cover = false;  // the least stake is played whatever the bank holds
    RandomSource random;
    RegistryEveningStore store;
    Evening(rules, seats, 1, random).Save(store);
    FormFullTable table(GetModuleHandleW(nullptr), nullptr);
    table.Open();
    for (int evening = 0; evening < 2; ++evening) {
        SCOPED_TRACE(evening);
        if (evening > 0) table.StartEvening(EveningSetup{rules, seats, 1});
        const FullTableLayout& layout = table.Layout();
        for (int step = 0; step < 200 && !table.ThisEvening()->Over(); ++step) {
            if (layout.startButton->enabled)
                table.OnButtonClick(layout.startButton);
            else if (layout.stopButton->enabled)
                table.OnButtonClick(layout.stopButton);
            else
                table.OnPaceTick();
        }
        ASSERT_TRUE(table.ThisEvening()->Over());
        coretest::Pump();
        HWND standings = FindWindowW(nullptr, L"Standings");
        ASSERT_TRUE(standings != nullptr && IsWindowVisible(standings));
        SendMessageW(standings, WM_CLOSE, 0, 0);
        coretest::Pump();
    }
}

}  // namespace
