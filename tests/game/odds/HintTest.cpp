// The hint of the player's turn against the odds tool's own decisions table
// (zandro-odds --gone IDS --table decisions --csv), per point of stake to 5 places.
#include "FakeTable.h"
#include "HintAdvisor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace DoDadu {
namespace {

struct Position {
    const char* name;
    std::vector<int> deck;  // in dealing order, over every round played
    const char* actions;    // s START, g GET CARD, t STOP and the dealer's turn
    int stakePosition;      // set right after the last START
    std::vector<int> seenBefore;
    Odds::Action best;
    double stop, draw;    // per point of stake, as the tool prints them
    const char* message;  // the hint on the message line
};

const Position kPositions[] = {
    {"first card of a new deck",
     {5, 1},
     "s",
     1,
     {},
     Odds::Action::Stop,
     -0.19858,
     -0.33036,
     "Hint: STOP.\nExpected: STOP \u221299, GET CARD \u2212165, CANCEL \u2212250."},
    {"four aces",
     {5, 1, 11, 21, 31},
     "sggg",
     2,
     {},
     Odds::Action::Cancel,
     -0.50973,
     -0.55865,
     "Hint: CANCEL.\nExpected: STOP \u2212510, GET CARD \u2212559, CANCEL \u2212500."},
    // A bust (dealer 5; 7 and 6), a lost showdown (dealer 6 stops; ace), then ace and two.
    {"third round of a deck",
     {5, 17, 16, 6, 11, 33, 21, 22},
     "sgstsg",
     8,
     {5, 17, 16, 6, 11},
     Odds::Action::Draw,
     -0.51066,
     -0.39661,
     "Hint: GET CARD.\nExpected: STOP \u22122,043, GET CARD \u22121,586, CANCEL \u22122,000."},
};

TEST(Hint, MatchesTheOddsToolFromWhatThePlayerHasSeen) {
    HintAdvisor advisor;
    for (const Position& p : kPositions) {
        SCOPED_TRACE(p.name);
        TableRound t;
        Round& round = t.round;
        FakeTable& table = t.table;
        round.LoadScore();
        StackDeck(round.cards, p.deck);
        for (const char* a = p.actions; *a != '\0'; ++a) {
            if (*a == 's') {
                round.OnStartClicked();
                table.stakePosition = p.stakePosition;
            }
            if (*a == 'g') round.OnGetCardClicked();
            if (*a == 't') {
                round.OnStopClicked();
                t.PlayDealerOut();
            }
        }
        ASSERT_EQ(RoundPhase::PlayerTurn, round.Phase());
        const ClassicTableSight sight = round.Sight();
        EXPECT_EQ(p.seenBefore, sight.seenBefore);
        EXPECT_EQ(0, sight.unseenBefore);
        const int stake = round.CurrentStake();
        const std::optional<Hint> hint = advisor.Advise(sight, stake);
        ASSERT_TRUE(hint.has_value());
        EXPECT_EQ(p.best, hint->best);
        EXPECT_NEAR(p.stop * stake, hint->stop, 0.5e-5 * stake);
        EXPECT_NEAR(p.draw * stake, hint->draw, 0.5e-5 * stake);
        EXPECT_EQ(-stake / 2, hint->cancel);

        // On the message line until the next action, and spoken in one line.
        GroupedNumberFormatter grouped(EnglishTexts());
        round.ShowHint(HintSentence(*hint, EnglishTexts(), grouped));
        EXPECT_EQ(p.message, table.Cell(TableCell::Message));
        std::string spoken = p.message;
        spoken.replace(spoken.find('\n'), 1, " ");
        EXPECT_EQ(spoken, table.sentences.back());
        round.OnStakeChanged(table.stakePosition);
        EXPECT_EQ("", table.Cell(TableCell::Message));
    }
}

// Whole points with a true minus sign, the table's grouping, GET CARD only where a card can
// be drawn, and the words of the player's language.
TEST(Hint, SentenceInTheTablesWords) {
    const struct {
        Hint hint;
        TextIds::Language language;
        const char* sentence;
    } cases[] = {
        {{Odds::Action::Stop, 120.4, -45.0, -250.0, true},
         TextIds::Language::English,
         "Hint: STOP.\nExpected: STOP +120, GET CARD \u221245, CANCEL \u2212250."},
        {{Odds::Action::Cancel, -0.4, 0.0, -250.0, false},
         TextIds::Language::English,
         "Hint: CANCEL.\nExpected: STOP 0, CANCEL \u2212250."},
        {{Odds::Action::Draw, -1500.5, 1234.2, -2000.0, true},
         TextIds::Language::Italian,
         "Consiglio: CARTA.\nIn media: STO \u22121.501, CARTA +1.234, ABBANDONA \u22122.000."},
    };
    for (const auto& c : cases) {
        const TableTexts texts(c.language);
        GroupedNumberFormatter grouped(texts);
        EXPECT_EQ(c.sentence, HintSentence(c.hint, texts, grouped));
    }
}

// Outside the player's turn a hint is not shown.
TEST(Hint, NotShownOutsideThePlayersTurn) {
    TableRound t;
    t.round.ShowHint("Hint");
    EXPECT_FALSE(t.round.HintShown());
    EXPECT_EQ("", t.table.Cell(TableCell::Message));
}

}  // namespace
}  // namespace DoDadu
