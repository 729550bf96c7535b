// The statistics of the rounds: how each way a round ends counts, and what a damaged
// or hostile store gives back.
#include "FakeTable.h"
#include "Round.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace DoDadu {
namespace {

std::vector<int> Values(RoundStats stats) {
    std::vector<int> values;
    stats.ForEachValue([&values](const char*, int& value) { values.push_back(value); });
    return values;
}

enum class Leave { Plays, Cancels, InPlayerTurn, InDealerTurn, AfterDealerStops };

struct Ending {
    const char* name;
    std::vector<int> deck;  // dealer's card, player's card, then the draws
    int playerDraws;
    Leave leave;
    int score;  // after the round, from 50000 at stake 1000
    // Rounds, Won, Lost, Busts, Abandoned, BestScore, LongestStreak, Streak
    std::vector<int> stats;
};

// Stored before each round: 10 rounds, 6 won, 3 lost (1 bust), 1 abandoned, best
// 50200, and a run of 3 won rounds going on that is also the longest.
const Ending kEndings[] = {
    {"bust", {5, 17, 16}, 1, Leave::Plays, 49000, {11, 6, 4, 2, 1, 50200, 3, 0}},
    {"dealer busts", {5, 17, 16}, 0, Leave::Plays, 51000, {11, 7, 3, 1, 1, 51000, 4, 4}},
    {"player ahead", {6, 17}, 0, Leave::Plays, 51000, {11, 7, 3, 1, 1, 51000, 4, 4}},
    {"dealer ahead", {7, 14, 18}, 1, Leave::Plays, 49000, {11, 6, 4, 1, 1, 50200, 3, 0}},
    {"tie goes to the dealer", {7, 17}, 0, Leave::Plays, 49000, {11, 6, 4, 1, 1, 50200, 3, 0}},
    {"cancel", {5, 17}, 0, Leave::Cancels, 49500, {11, 6, 3, 1, 2, 50200, 3, 0}},
    {"closed, player's turn", {5, 17}, 0, Leave::InPlayerTurn, 49500, {11, 6, 3, 1, 2, 50200, 3, 0}},
    {"session end, dealer's turn", {5, 17, 16}, 0, Leave::InDealerTurn, 49000, {11, 6, 3, 1, 2, 50200, 3, 0}},
    {"closed, dealer stopped", {6, 17}, 0, Leave::AfterDealerStops, 49000, {11, 6, 3, 1, 2, 50200, 3, 0}},
};

class RoundStatsTest : public ::testing::Test, protected TableRound {};

TEST(RoundStats, EachEndingCountsOnceAndIsSavedWithTheScore) {
    for (const Ending& e : kEndings) {
        SCOPED_TRACE(e.name);
        TableRound t;
        Round& round = t.round;
        FakeStore& store = t.store;
        store.stored = "50000";
        StatsToText(RoundStats{10, 6, 3, 1, 1, 50200, 3, 3},
                    [&store](const char* name, const std::string& text) { store.values[name] = text; });
        round.LoadScore();
        StackDeck(round.cards, e.deck);
        round.OnStartClicked();
        t.table.stakePosition = 2;
        for (int i = 0; i < e.playerDraws && round.RoundActive(); ++i) round.OnGetCardClicked();
        if (e.leave == Leave::Cancels) {
            round.OnStartClicked();
        } else if (e.leave == Leave::InPlayerTurn) {
            round.AbandonRound();
        } else if (round.RoundActive()) {
            round.OnStopClicked();
            round.OnDealerTick();
            if (e.leave == Leave::AfterDealerStops) {
                t.DealerStep();
                ASSERT_EQ(RoundPhase::DealerStopped, round.Phase());
            }
            if (e.leave == Leave::Plays)
                t.PlayDealerOut();
            else
                round.AbandonRound();
        }
        EXPECT_EQ(e.score, round.Score());
        EXPECT_EQ(std::to_string(e.score), store.stored);
        EXPECT_EQ(e.stats, Values(round.Stats()));
        EXPECT_EQ(e.stats, Values(store.ReadStats()));
    }
}

TEST_F(RoundStatsTest, DamagedValuesReadAsZeroAndCountsNeverWrap) {
    const struct {
        std::string text;
        int value;
    } cases[] = {
        {"", 0},           {"abc", 0},   {"-5", 0},
        {" 5", 0},         {"12x", 0},   {"\x05", 0},
        {"2147483648", 0}, {"0042", 42}, {"2147483647", INT_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("stored \"" + c.text + "\"");
        store.stored = "50000";
        for (const char* name :
             {"Rounds", "Won", "Lost", "Busts", "Abandoned", "BestScore", "LongestStreak", "Streak"})
            store.values[name] = c.text;
        round.LoadScore();
        EXPECT_EQ(std::vector<int>({c.value, c.value, c.value, c.value, c.value, std::max(c.value, 50000),
                                    c.value, c.value}),
                  Values(round.Stats()));
        // The game plays on: a win counts, and a full count stays full.
        StackDeck(round.cards, {5, 17, 16});
        round.OnStartClicked();
        round.OnStopClicked();
        PlayDealerOut();
        const int more = c.value == INT_MAX ? INT_MAX : c.value + 1;
        EXPECT_EQ(std::vector<int>({more, more, c.value, c.value, c.value, std::max(c.value, 50500),
                                    std::max(c.value, more), more}),
                  Values(store.ReadStats()));
        EXPECT_EQ("50500", store.stored);
    }
    // A reset clears them all and keeps the score, which is then the best.
    round.ResetStats();
    EXPECT_EQ(std::vector<int>({0, 0, 0, 0, 0, 50500, 0, 0}), Values(store.ReadStats()));
    EXPECT_EQ("50500", store.stored);
    EXPECT_EQ(50500, round.Score());
}

}  // namespace
}  // namespace DoDadu
