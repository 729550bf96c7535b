#include "FakeTable.h"
#include "Round.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

namespace DoDadu {
namespace {

// Card ids by suit: coins 1-10, cups 11-20; within a suit 8, 9, 10 are the figures
// and coins 10 is the wild card.
constexpr int CoinsAce = 1, CoinsFive = 5, CoinsSix = 6, CoinsSeven = 7;
constexpr int CupsAce = 11, CupsFour = 14, CupsFive = 15, CupsSix = 16, CupsSeven = 17, CupsKnave = 18;
constexpr int SwordsAce = 21, SwordsTwo = 22;

class RoundTest : public ::testing::Test {
public:
    FakeTable table;
    FakeClock clock;
    FakeStore store;
    TableTexts texts{TextIds::Language::English};  // the round reads its texts from here
    Round round{table, clock, store, texts};

    // What the main window does when it opens.
    void OpenTable() {
        round.LoadScore();
        round.ShowAndSaveScore();
        round.ResetTable();
    }

    void StartWith(const std::vector<int>& firstCards) {
        StackDeck(round.cards, firstCards);
        round.OnStartClicked();
    }

    void MoveSlider(int position) {
        table.stakePosition = position;
        round.OnStakeChanged(position);
    }

    // STOP, and the timer's next tick, which starts the dealer's pacing clock.
    void Stop() {
        round.OnStopClicked();
        round.OnDealerTick();
    }

    // The next dealer step: just over the dealer's pace later.
    void DealerStep() {
        clock.now += 2001;
        round.OnDealerTick();
    }

    // Ticks the dealer's turn out; a runaway dealer fails the test.
    void PlayDealerOut() {
        for (int step = 0; step < 50 && round.RoundActive(); ++step) DealerStep();
        ASSERT_FALSE(round.RoundActive());
    }

    std::string Message() const { return table.Cell(TableCell::Message); }

    void ExpectIdleControls() {
        EXPECT_EQ("START", table.Caption(TableControl::StartButton));
        EXPECT_TRUE(table.On(TableControl::StartButton));
        EXPECT_FALSE(table.On(TableControl::StopButton));
        EXPECT_FALSE(table.On(TableControl::GetCardButton));
        EXPECT_FALSE(table.On(TableControl::StakeButton));
        EXPECT_FALSE(table.On(TableControl::StakeSlider));
    }
};

TEST_F(RoundTest, OpeningAndStartShowTheFirstCards) {
    OpenTable();
    EXPECT_EQ("50000", store.stored) << "first run writes the starting score";
    EXPECT_EQ("50,000", table.Cell(TableCell::Score));
    EXPECT_EQ("500", table.Caption(TableControl::StakeButton));
    ExpectIdleControls();
    for (CardRow row : {CardRow::Dealer, CardRow::Player}) {
        for (int i = 0; i < kCardPlaces; ++i) {
            CardPlace& place = table.Place(row, i);
            EXPECT_TRUE(place.visible);
            EXPECT_EQ(kCardBackPicture, place.picture);
            EXPECT_EQ(i == 0 ? 5 : 15 + 63 * i, place.x);
            EXPECT_EQ(row == CardRow::Dealer ? 110 : 270, place.y);
        }
    }

    MoveSlider(4);
    StartWith({CoinsFive, CupsSeven});
    EXPECT_EQ(1, table.stakePosition) << "every round starts at the lowest stake";
    EXPECT_EQ("500", table.Caption(TableControl::StakeButton));
    EXPECT_EQ("CANCEL", table.Caption(TableControl::StartButton));
    EXPECT_TRUE(table.On(TableControl::StopButton));
    EXPECT_TRUE(table.On(TableControl::GetCardButton));
    EXPECT_TRUE(table.On(TableControl::StakeSlider));
    EXPECT_FALSE(table.On(TableControl::StakeButton));
    // The dealer's card lies covered, the player's own card face up.
    EXPECT_EQ(kCardBackPicture, table.Place(CardRow::Dealer, 0).picture);
    EXPECT_EQ(CardPicture(CupsSeven), table.Place(CardRow::Player, 0).picture);
    EXPECT_EQ(1, table.VisibleCards(CardRow::Dealer));
    EXPECT_EQ(1, table.VisibleCards(CardRow::Player));
    EXPECT_EQ("0", table.Cell(TableCell::DealerPoints));
    EXPECT_EQ("7", table.Cell(TableCell::PlayerPoints));
    EXPECT_EQ("38", table.Cell(TableCell::Remaining));
    EXPECT_EQ(RoundPhase::PlayerTurn, round.Phase());
}

// Every way a round can end, played from START to the outcome.
struct Outcome {
    const char* name;
    std::vector<int> deck;  // dealer's card, player's card, then the draws in order
    int playerDraws;        // GET CARD presses before STOP (a bust ends the round)
    int stakePosition;
    const char* message;
    int scoreChange;
    std::vector<int> sounds;
    const char* dealerPoints;
    const char* playerPoints;
    std::vector<std::string> sentences;  // what a listening player hears, in order
};

void PrintTo(const Outcome& outcome, std::ostream* out) { *out << outcome.name; }

class RoundOutcomeTest : public RoundTest, public ::testing::WithParamInterface<Outcome> {};

// Plays an outcome from START to its end; the message line at STOP, if the player stopped.
std::string PlayOutcome(RoundTest& test, const Outcome& outcome) {
    std::string atStop;
    test.OpenTable();
    test.StartWith(outcome.deck);
    test.MoveSlider(outcome.stakePosition);
    for (int i = 0; i < outcome.playerDraws && test.round.RoundActive(); ++i) test.round.OnGetCardClicked();
    if (test.round.RoundActive()) {
        test.round.OnStopClicked();
        atStop = test.Message();
        EXPECT_FALSE(test.table.On(TableControl::StartButton)) << "no CANCEL in the dealer's turn";
        EXPECT_EQ(CardPicture(outcome.deck[0]), test.table.Place(CardRow::Dealer, 0).picture);
        test.PlayDealerOut();
    }
    return atStop;
}

TEST_P(RoundOutcomeTest, EndsWithItsMessageScoreAndSound) {
    const Outcome& outcome = GetParam();
    const std::string atStop = PlayOutcome(*this, outcome);
    if (!atStop.empty()) {
        EXPECT_EQ("Now play the dealer", atStop);
    }
    EXPECT_EQ(outcome.message, Message());
    EXPECT_EQ(50000 + outcome.scoreChange, round.Score());
    EXPECT_EQ(std::to_string(50000 + outcome.scoreChange), store.stored);
    EXPECT_EQ(outcome.sounds, table.sounds);
    EXPECT_EQ(outcome.sentences, table.sentences);
    EXPECT_EQ(outcome.dealerPoints, table.Cell(TableCell::DealerPoints));
    EXPECT_EQ(outcome.playerPoints, table.Cell(TableCell::PlayerPoints));
    // The finished hands stay on the table with the dealer's card uncovered.
    EXPECT_EQ(CardPicture(outcome.deck[0]), table.Place(CardRow::Dealer, 0).picture);
    EXPECT_EQ(RoundPhase::Idle, round.Phase());
    ExpectIdleControls();
}

const Outcome kOutcomes[] = {
    {"PlayerBusts",
     {CoinsFive, CupsSeven, CupsSix},
     1,
     2,
     "You exceeded 7.5. You lost!",
     -1000,
     {1010},
     "5",
     "13",
     {"You get the seven of cups: 7 points.", "You get the six of cups: 13 points.",
      "You exceeded seven and a half with 13 points and lose 1,000. Score: 49,000."}},
    // Seeing nothing of the player's hand, the dealer draws below 6 and goes over.
    {"DealerBusts",
     {CoinsFive, CupsSeven, CupsSix},
     0,
     3,
     "Dealer exceeded 7.5. You won!",
     1500,
     {1008, 1009},
     "11",
     "7",
     {"You get the seven of cups: 7 points.", "The dealer turns the five of coins: 5 points.",
      "The dealer draws the six of cups: 11 points.",
      "The dealer exceeded seven and a half with 11 points. You win 1,500. Score: 51,500."}},
    {"PlayerAhead",
     {CoinsSix, CupsSeven},
     0,
     1,
     "You won!",
     500,
     {1009},
     "6",
     "7",
     {"You get the seven of cups: 7 points.", "The dealer turns the six of coins: 6 points.",
      "The dealer stops at 6 points.", "You win 500 with 7 points against 6 points. Score: 50,500."}},
    {"TieGoesToTheDealer",
     {CoinsSeven, CupsSeven},
     0,
     8,
     "You lost!",
     -4000,
     {1010},
     "7",
     "7",
     {"You get the seven of cups: 7 points.", "The dealer turns the seven of coins: 7 points.",
      "The dealer stops at 7 points.",
      "A tie at 7 points goes to the dealer: you lose 4,000. Score: 46,000."}},
    // The dealer sees half a point and stops at 7, ahead of 4.5.
    {"DealerAhead",
     {CoinsSeven, CupsFour, CupsKnave},
     1,
     1,
     "You lost!",
     -500,
     {1010},
     "7",
     "4.5",
     {"You get the four of cups: 4 points.", "You get the knave of cups: 4.5 points.",
      "The dealer turns the seven of coins: 7 points.", "The dealer stops at 7 points.",
      "You lose 500 with 4.5 points against 7 points. Score: 49,500."}},
    // Dealer 5 + 2 = 7 against a visible 5: the dealer draws level and then stops.
    {"DealerDrawsThenWins",
     {CoinsFive, CupsKnave, CupsFive, SwordsTwo},
     1,
     1,
     "You lost!",
     -500,
     {1008, 1010},
     "7",
     "5.5",
     {"You get the knave of cups: 0.5 points.", "You get the five of cups: 5.5 points.",
      "The dealer turns the five of coins: 5 points.", "The dealer draws the two of swords: 7 points.",
      "The dealer stops at 7 points.", "You lose 500 with 5.5 points against 7 points. Score: 49,500."}},
};

INSTANTIATE_TEST_SUITE_P(All, RoundOutcomeTest, ::testing::ValuesIn(kOutcomes),
                         [](const auto& info) { return std::string(info.param.name); });

// The same rounds in Italian and Spanish: whole card names, "punto" for exactly one, a
// comma before the half point, a point before the thousands.
struct Translated {
    const char* outcome;  // one of kOutcomes
    TextIds::Language language;
    const char* atStop;
    const char* message;
    const char* playerPoints;
    std::vector<std::string> sentences;
};

void PrintTo(const Translated& translated, std::ostream* out) { *out << translated.outcome; }

class TranslatedOutcomeTest : public RoundTest, public ::testing::WithParamInterface<Translated> {};

TEST_P(TranslatedOutcomeTest, SpeaksAndShowsItsLanguage) {
    const Translated& c = GetParam();
    texts = TableTexts(c.language);
    const Outcome* outcome = nullptr;
    for (const Outcome& o : kOutcomes)
        if (std::string(o.name) == c.outcome) outcome = &o;
    ASSERT_NE(nullptr, outcome);
    EXPECT_EQ(c.atStop, PlayOutcome(*this, *outcome));
    EXPECT_EQ(c.message, Message());
    EXPECT_EQ(c.playerPoints, table.Cell(TableCell::PlayerPoints));
    EXPECT_EQ(c.sentences, table.sentences);
    EXPECT_EQ(texts.Text(TextIds::kButtonStart), table.Caption(TableControl::StartButton));
}

const Translated kTranslated[] = {
    {"DealerAhead",
     TextIds::Language::Italian,
     "Ora gioca il banco",
     "Hai perso!",
     "4,5",
     {"Ricevi una carta: quattro di coppe; hai 4 punti.", "Ricevi una carta: fante di coppe; hai 4,5 punti.",
      "Il banco scopre la sua carta: sette di denari; ha 7 punti.", "Il banco sta con 7 punti.",
      "Perdi 500 con 4,5 punti contro 7 punti. Punteggio: 49.500."}},
    {"DealerBusts",
     TextIds::Language::Italian,
     "Ora gioca il banco",
     "Il banco ha sballato! Hai vinto!",
     "7",
     {"Ricevi una carta: sette di coppe; hai 7 punti.",
      "Il banco scopre la sua carta: cinque di denari; ha 5 punti.",
      "Il banco pesca: sei di coppe; ha 11 punti.",
      "Il banco ha sballato con 11 punti. Vinci 1.500. Punteggio: 51.500."}},
    {"PlayerBusts",
     TextIds::Language::Spanish,
     "",
     "Te has pasado de 7,5. \xC2\xA1Has perdido!",
     "13",
     {"Recibes una carta: siete de copas; llevas 7 puntos.",
      "Recibes una carta: seis de copas; llevas 13 puntos.",
      "Te has pasado de siete y media con 13 puntos y pierdes 1.000. Puntos: 49.000."}},
    {"DealerDrawsThenWins",
     TextIds::Language::Spanish,
     "Ahora juega la banca",
     "\xC2\xA1Has perdido!",
     "5,5",
     {"Recibes una carta: sota de copas; llevas 0,5 puntos.",
      "Recibes una carta: cinco de copas; llevas 5,5 puntos.",
      "La banca descubre su carta: cinco de oros; lleva 5 puntos.",
      "La banca pide carta: dos de espadas; lleva 7 puntos.", "La banca se planta con 7 puntos.",
      "Pierdes 500 con 5,5 puntos contra 7 puntos. Puntos: 49.500."}},
};

INSTANTIATE_TEST_SUITE_P(All, TranslatedOutcomeTest, ::testing::ValuesIn(kTranslated), [](const auto& info) {
    return std::string(info.param.outcome) +
           (info.param.language == TextIds::Language::Italian ? "Italian" : "Spanish");
});

// A language chosen mid-round: the table shows its texts again, and CANCEL still cancels.
TEST_F(RoundTest, TextsShownAgainInANewLanguageMidRound) {
    OpenTable();
    StartWith({CoinsSeven, CupsFour, CupsKnave});
    round.OnGetCardClicked();
    texts = TableTexts(TextIds::Language::Italian);
    round.ShowTexts();
    EXPECT_EQ("ABBANDONA", table.Caption(TableControl::StartButton));
    EXPECT_EQ("4,5", table.Cell(TableCell::PlayerPoints));
    EXPECT_EQ("0", table.Cell(TableCell::DealerPoints));
    EXPECT_EQ("500", table.Caption(TableControl::StakeButton));
    round.OnStartClicked();
    EXPECT_EQ(RoundPhase::Idle, round.Phase());
    EXPECT_EQ("GIOCA", table.Caption(TableControl::StartButton));
    EXPECT_EQ("Abbandoni la mano e paghi 250. Punteggio: 49.750.", table.sentences.back());
}

// What the dealer does next from its points, what it sees of the player's hand (the
// covered first card unseen) and a wild card lying face up there. It stops from 6 when
// it sees nothing, from 5 when ahead of what it sees, and level only at 7.5 or at a 7
// the face-up wild card makes; otherwise it draws.
struct DealerChoice {
    double dealerPoints;
    double shownPoints;
    bool showsWild;
    std::vector<int> dealer;  // dealt before STOP
    std::vector<int> player;  // the first one covered
    bool stops;
};

constexpr int ClubsFour = 34, ClubsFive = 35, ClubsSix = 36, ClubsSeven = 37, ClubsKnave = 38,
              ClubsKnight = 39;

const DealerChoice kDealerChoices[] = {
    {5.5, 0, false, {CupsFive, CupsKnave}, {ClubsFive}, false},
    {6, 0, false, {CupsSix}, {ClubsFive}, true},
    {7.5, 0, false, {CupsSeven, CupsKnave}, {ClubsFive}, true},
    {4.5, 0.5, false, {CupsFour, CupsKnave}, {ClubsKnave, ClubsKnight}, false},
    {5, 0.5, false, {CupsFive}, {ClubsKnave, ClubsKnight}, true},
    {4.5, 4, false, {CupsFour, CupsKnave}, {ClubsKnave, ClubsFour}, false},
    {5, 5, false, {CupsFive}, {ClubsKnave, ClubsFive}, false},
    {5.5, 5, false, {CupsFive, CupsKnave}, {ClubsKnave, ClubsFive}, true},
    {5.5, 6, false, {CupsFive, CupsKnave}, {ClubsKnave, ClubsSix}, false},
    {7, 7.5, false, {CupsSeven}, {ClubsKnave, ClubsSeven}, false},
    {7.5, 7.5, false, {CupsSeven, CupsKnave}, {ClubsKnave, ClubsSeven}, true},
    {6.5, 7, true, {CupsSix, CupsKnave}, {ClubsFour, kWildCard}, false},
    {7, 7, true, {CupsSeven}, {ClubsFour, kWildCard}, true},
    {7, 4, false, {CupsSeven}, {kWildCard, ClubsFour}, true},  // the covered wild is unseen
};

TEST(DealerChoice, StopsOrDrawsByWhatItSees) {
    for (const DealerChoice& c : kDealerChoices) {
        SCOPED_TRACE(::testing::Message() << "dealer " << c.dealerPoints << ", shown " << c.shownPoints
                                          << (c.showsWild ? " with the wild card" : ""));
        FakeTable view;
        FakeClock time;
        FakeStore scores;
        Round game(view, time, scores);
        game.LoadScore();
        std::vector<int> deck{c.dealer[0]};
        deck.insert(deck.end(), c.player.begin(), c.player.end());
        deck.insert(deck.end(), c.dealer.begin() + 1, c.dealer.end());
        StackDeck(game.cards, deck);
        game.OnStartClicked();
        for (std::size_t i = 1; i < c.player.size(); ++i) game.OnGetCardClicked();
        for (std::size_t i = 1; i < c.dealer.size(); ++i)  // the dealer's earlier draws
            game.cards.DealNextCard(game.cards.dealerHand);
        game.OnStopClicked();
        ASSERT_EQ(c.dealerPoints, game.cards.dealerPoints);
        ASSERT_EQ(c.shownPoints, game.cards.playerShownPoints);
        ASSERT_EQ(c.showsWild, game.cards.PlayerShowsWildCard());

        game.OnDealerTick();
        time.now += 2001;
        game.OnDealerTick();
        EXPECT_EQ(c.stops ? "The dealer stops" : "Now play the dealer", view.Cell(TableCell::Message));
        EXPECT_EQ(c.dealer.size() + (c.stops ? 0 : 1), game.cards.dealerHand.size());
        EXPECT_EQ(c.stops ? std::vector<int>{} : std::vector<int>{1008}, view.sounds);
    }
}

TEST_F(RoundTest, AtSevenAndAHalfOnlyStopOrCancelRemain) {
    OpenTable();
    StartWith({CoinsFive, CupsSeven, CupsKnave});
    round.OnGetCardClicked();
    EXPECT_EQ("7.5", table.Cell(TableCell::PlayerPoints));
    EXPECT_FALSE(table.On(TableControl::GetCardButton));
    EXPECT_FALSE(table.On(TableControl::StakeSlider)) << "the stake is fixed after a draw";
    EXPECT_TRUE(table.On(TableControl::StopButton));
    EXPECT_EQ("CANCEL", table.Caption(TableControl::StartButton));
    EXPECT_TRUE(table.On(TableControl::StartButton));
}

TEST_F(RoundTest, DealerWaitsMoreThanTwoSecondsBetweenActions) {
    OpenTable();
    StartWith({CoinsFive, CupsSeven, CupsSix});
    Stop();
    // The pace counts from STOP, however long the player took.
    clock.now += 2000;
    round.OnDealerTick();
    EXPECT_TRUE(table.sounds.empty()) << "no action at exactly 2000 ms";
    clock.now += 1;
    round.OnDealerTick();
    EXPECT_EQ(std::vector<int>{1008}, table.sounds);
    EXPECT_EQ("11", table.Cell(TableCell::DealerPoints));
    // The bust shows, but is only announced one step later.
    EXPECT_EQ("Now play the dealer", Message());
    for (int tick = 0; tick < 66; ++tick) {  // 30 ms ticks, just under the pace
        clock.now += 30;
        round.OnDealerTick();
    }
    EXPECT_EQ("Now play the dealer", Message());
    clock.now += 21;
    round.OnDealerTick();
    EXPECT_EQ("Dealer exceeded 7.5. You won!", Message());
}

TEST_F(RoundTest, DealerIsNotStrandedWhenTheClockGoesBackOrCannotBeRead) {
    OpenTable();
    StartWith({CoinsFive, CupsSeven, CupsSix});
    Stop();
    clock.now -= 3'600'000;  // local time set back an hour
    round.OnDealerTick();
    EXPECT_TRUE(table.sounds.empty());
    clock.now += 2001;
    round.OnDealerTick();
    EXPECT_EQ(std::vector<int>{1008}, table.sounds) << "the dealer acts one pace after the jump";

    clock.readable = false;
    clock.now += 10'000;
    round.OnDealerTick();
    EXPECT_EQ("Now play the dealer", Message()) << "an unreadable time counts as no time";
    clock.readable = true;
    round.OnDealerTick();
    EXPECT_EQ("Dealer exceeded 7.5. You won!", Message());
}

TEST_F(RoundTest, TickInsideATickDoesNothing) {
    OpenTable();
    StartWith({CoinsAce, CupsSeven, CupsAce, SwordsAce});
    Stop();
    int nestedTicks = 0;
    table.onSound = [&] {
        ++nestedTicks;
        round.OnDealerTick();
    };
    DealerStep();
    EXPECT_EQ(1, nestedTicks);
    EXPECT_EQ(2u, round.cards.dealerHand.size()) << "the nested tick must not draw again";
    EXPECT_EQ(std::vector<int>{1008}, table.sounds);
}

TEST_F(RoundTest, TicksOutsideTheDealersTurnDoNothing) {
    OpenTable();
    DealerStep();
    StartWith({CoinsFive, CupsSeven});
    DealerStep();
    EXPECT_EQ(1u, round.cards.dealerHand.size());
    EXPECT_TRUE(table.sounds.empty());
    EXPECT_EQ("", Message());
}

TEST_F(RoundTest, CancelCostsHalfTheStakeAndResetsTheTable) {
    OpenTable();
    StartWith({CoinsFive, CupsSeven, CupsKnave});
    MoveSlider(3);
    EXPECT_EQ("1,500", table.Caption(TableControl::StakeButton));
    round.OnStartClicked();  // the button now reads CANCEL
    EXPECT_EQ(50000 - 750, round.Score());
    EXPECT_EQ("49250", store.stored);
    EXPECT_EQ("49,250", table.Cell(TableCell::Score));
    EXPECT_TRUE(round.cards.playerHand.empty());
    EXPECT_EQ("500", table.Caption(TableControl::StakeButton));
    EXPECT_EQ("0", table.Cell(TableCell::DealerPoints));
    EXPECT_EQ("0", table.Cell(TableCell::PlayerPoints));
    EXPECT_EQ(kCardBackPicture, table.Place(CardRow::Player, 0).picture);
    EXPECT_EQ(kCardPlaces, table.VisibleCards(CardRow::Dealer));
    EXPECT_EQ(RoundPhase::Idle, round.Phase());
    ExpectIdleControls();
    EXPECT_TRUE(table.sounds.empty());
    EXPECT_EQ("You give up the round and pay 750. Score: 49,250.", table.sentences.back());
}

// Cards and totals as a listening player hears them; the wild card says what it is.
TEST(RoundWords, CardsAndTotals) {
    const struct {
        int card;
        const char* name;
    } cards[] = {{1, "ace of coins"},    {kWildCard, "king of coins, wild card"},
                 {18, "knave of cups"},  {29, "knight of swords"},
                 {37, "seven of clubs"}, {20, "king of cups"},
                 {0, "covered card"}};
    for (const auto& c : cards) EXPECT_EQ(c.name, CardName(c.card));
    EXPECT_EQ("1 point", PointsInWords(1));
    EXPECT_EQ("0.5 points", PointsInWords(0.5));
    EXPECT_EQ("7.5 points", PointsInWords(7.5));
}

TEST_F(RoundTest, AbandoningChargesByTurn) {
    struct Case {
        int stops;     // 0: player's turn, 1: dealer's turn, 2: dealer has stopped
        int expected;  // score after abandoning at slider position 3
    };
    for (Case c : {Case{0, 50000 - 750}, Case{1, 50000 - 1500}, Case{2, 50000 - 1500}}) {
        FakeTable view;
        FakeStore scores;
        Round game(view, clock, scores);
        game.LoadScore();
        StackDeck(game.cards, {CoinsSix, CupsSeven});
        game.OnStartClicked();
        view.stakePosition = 3;
        if (c.stops > 0) {
            game.OnStopClicked();
            game.OnDealerTick();
        }
        if (c.stops > 1) {
            clock.now += 2001;
            game.OnDealerTick();
            ASSERT_EQ(RoundPhase::DealerStopped, game.Phase());
        }
        game.AbandonRound();
        game.AbandonRound();  // the round ended with the first
        EXPECT_EQ(c.expected, game.Score()) << "case " << c.stops;
        EXPECT_EQ(std::to_string(c.expected), scores.stored);
    }

    // Nothing is running: nothing is charged or written.
    OpenTable();
    int writes = store.writes;
    round.AbandonRound();
    EXPECT_EQ(50000, round.Score());
    EXPECT_EQ(writes, store.writes);
}

TEST_F(RoundTest, StartDealsFromANewDeckAfterTheWildCardOrNearTheEnd) {
    OpenTable();
    // A round with the wild card: the next START shuffles although 36 cards are left.
    StartWith({kWildCard, CupsSeven});
    round.OnStartClicked();  // CANCEL
    round.OnStartClicked();
    EXPECT_EQ(38, round.cards.remainingCards);

    struct Case {
        int left;
        int leftAfterStart;
    };
    for (Case c : {Case{0, 38}, Case{1, 38}, Case{2, 0}}) {
        round.OnStartClicked();  // CANCEL the running round
        StackDeck(round.cards, {CoinsFive, CupsSix, CupsSeven});
        round.cards.remainingCards = c.left;
        round.OnStartClicked();
        EXPECT_EQ(c.leftAfterStart, round.cards.remainingCards) << c.left << " left";
    }
}

TEST_F(RoundTest, DrawsRefillTheEmptyDeck) {
    OpenTable();
    StartWith({CoinsAce, CupsKnave});
    round.cards.remainingCards = 0;
    round.OnGetCardClicked();
    // Refilled around the two cards in hand, then one dealt.
    EXPECT_EQ(37, round.cards.remainingCards);
    EXPECT_EQ("37", table.Cell(TableCell::Remaining));
    ASSERT_EQ(2u, round.cards.playerHand.size());

    Stop();
    round.cards.remainingCards = 0;
    DealerStep();  // an ace never stops
    EXPECT_EQ(2u, round.cards.dealerHand.size());
    EXPECT_EQ(40 - 3 - 1, round.cards.remainingCards);
}

TEST_F(RoundTest, LockingTouchesOnlyControlsNotYetInPlace) {
    OpenTable();
    StartWith({CoinsFive, CupsSeven});
    table.enableChanges = 0;
    round.SetPlayControlsLocked(false);
    EXPECT_EQ(0, table.enableChanges);
    round.SetPlayControlsLocked(true);
    EXPECT_EQ(3, table.enableChanges);  // GET CARD, STOP, slider; the stake button was off
    round.SetPlayControlsLocked(true);
    EXPECT_EQ(3, table.enableChanges);
    round.SetPlayControlsLocked(false);
    EXPECT_FALSE(table.On(TableControl::StakeButton));
}

TEST_F(RoundTest, StoredScoreIsReadAndSavedOnlyWhenItDiffers) {
    struct Case {
        std::optional<std::string> stored;
        int loaded;
        int writesOnOpen;
    };
    const Case cases[] = {
        {std::nullopt, 50000, 1},
        {"-1500", -1500, 0},
        {"120 points", 120, 0},  // the number is what counts
        {"abc", 0, 0},           // no number: 0, which equals what is read back
    };
    for (const Case& c : cases) {
        FakeTable view;
        FakeStore scores;
        scores.stored = c.stored;
        Round game(view, clock, scores);
        game.LoadScore();
        game.ShowAndSaveScore();
        EXPECT_EQ(c.loaded, game.Score()) << c.stored.value_or("(none)");
        EXPECT_EQ(c.writesOnOpen, scores.writes) << c.stored.value_or("(none)");
    }
}

TEST_F(RoundTest, ScoreChangesStopAtTheIntegerBounds) {
    store.stored = "2147483000";
    OpenTable();
    StartWith({CoinsSix, CupsSeven});
    MoveSlider(8);
    round.OnStopClicked();
    PlayDealerOut();
    EXPECT_EQ(INT_MAX, round.Score());
    EXPECT_EQ("2147483647", store.stored);

    store.stored = "-2147483000";
    round.LoadScore();
    StartWith({CoinsSeven, CupsSeven, CupsSix});
    MoveSlider(8);
    round.OnGetCardClicked();  // bust
    EXPECT_EQ(INT_MIN, round.Score());
    EXPECT_EQ("-2147483648", store.stored);
}

TEST(RoundGrouping, ScoreAndStakeFollowTheLanguageButTheStoreDoesNot) {
    struct Case {
        TextIds::Language language;
        const char* stored;
        const char* shown;
        const char* stake;  // at slider position 8
    };
    const Case cases[] = {
        {TextIds::Language::Italian, "50000", "50.000", "4.000"},
        {TextIds::Language::Spanish, "-1500", "-1.500", "4.000"},
        {TextIds::Language::English, "50000", "50,000", "4,000"},
        {TextIds::Language::English, "999", "999", "4,000"},
    };
    for (const Case& c : cases) {
        FakeTable view;
        FakeClock clock;
        FakeStore scores;
        scores.stored = c.stored;
        const TableTexts texts(c.language);
        Round round(view, clock, scores, texts);
        round.LoadScore();
        round.ShowAndSaveScore();
        EXPECT_EQ(c.shown, view.Cell(TableCell::Score));
        round.OnStakeChanged(8);
        EXPECT_EQ(c.stake, view.Caption(TableControl::StakeButton));
        // A lost 500 is stored as plain digits.
        StackDeck(round.cards, {CoinsSeven, CupsSeven, CupsSix});
        round.OnStartClicked();
        round.OnGetCardClicked();
        EXPECT_EQ(std::to_string(LeadingInteger(c.stored) - 500), scores.stored);
    }
}

}  // namespace
}  // namespace DoDadu
