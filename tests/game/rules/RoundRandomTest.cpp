// Thousands of rounds with random legal actions and a clock that jumps both ways; after
// every step the table must agree with the state of the round.
#include "Cards.h"
#include "FakeTable.h"
#include "RandomSource.h"
#include "Round.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace DoDadu {
namespace {

class RandomPlay {
public:
    FakeTable table;
    FakeClock clock;
    FakeStore store;
    Round round{table, clock, store};
    std::mt19937 random{20240611};
    int roundsStarted = 0;

    RandomPlay() {
        SharedRandom().Reseed(7);
        round.LoadScore();
        round.ShowAndSaveScore();
        round.ResetTable();
    }

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // One action a player could take now, or a tick of the dealer's timer.
    std::string Step() {
        int choice = Uniform(0, 99);
        if (choice < 10 && table.On(TableControl::StartButton)) {
            roundsStarted += table.Caption(TableControl::StartButton) == "START" ? 1 : 0;
            round.OnStartClicked();
            return "start/cancel";
        }
        if (choice < 20 && table.On(TableControl::StakeSlider)) {
            int position = Uniform(1, 8);
            table.stakePosition = position;
            round.OnStakeChanged(position);
            return "slider";
        }
        if (choice < 35 && table.On(TableControl::GetCardButton)) {
            round.OnGetCardClicked();
            return "get card";
        }
        if (choice < 40 && table.On(TableControl::StopButton)) {
            round.OnStopClicked();
            return "stop";
        }
        if (choice < 42) {
            clock.now -= Uniform(1, 3'600'000);  // local time set back
        } else {
            clock.now += Uniform(0, 2600);
        }
        round.OnDealerTick();
        return "tick";
    }
};

// The controls of the phase, and the dealer's first card covered only in the player's turn.
::testing::AssertionResult TableMatchesPhase(const Round& round, const FakeTable& table) {
    ::testing::AssertionResult controls = ControlsMatchPhase(
        round, [&](TableControl control) { return table.On(control); },
        table.Caption(TableControl::StartButton));
    const bool covered = table.places[0][0].picture == kCardBackPicture;
    if (controls && !round.cards.dealerHand.empty() && covered != (round.Phase() == RoundPhase::PlayerTurn))
        return ::testing::AssertionFailure() << "dealer's card covered: " << covered;
    return controls;
}

TEST(RoundRandomPlay, TableAndScoreStayConsistent) {
    RandomPlay play;
    std::set<RoundPhase> phasesSeen;
    std::set<std::string> messagesSeen;
    int steps = 0;
    while (play.roundsStarted < 3000 && steps < 2'000'000) {
        ++steps;
        const int scoreBefore = play.round.Score();
        const int stake = play.round.CurrentStake();
        const std::string action = play.Step();

        ASSERT_TRUE(CardsAreSound(play.round.cards)) << "after " << action;
        ASSERT_TRUE(TableMatchesPhase(play.round, play.table)) << "after " << action;
        const int change = play.round.Score() - scoreBefore;
        ASSERT_TRUE(change == 0 || change == stake || change == -stake || change == -stake / 2)
            << "score moved by " << change << " at stake " << stake << " after " << action;
        ASSERT_EQ(PlainNumberText(play.round.Score()), play.store.stored) << "after " << action;
        phasesSeen.insert(play.round.Phase());
        messagesSeen.insert(play.table.Cell(TableCell::Message));
    }
    // The walk went everywhere: every state, and every way a round ends.
    EXPECT_EQ(4u, phasesSeen.size());
    for (unsigned message :
         {TextIds::kMessagePlayerBusts, TextIds::kMessageDealerBusts, TextIds::kMessagePlayerWins,
          TextIds::kMessagePlayerLoses, TextIds::kMessageDealerStops})
        EXPECT_EQ(1u, messagesSeen.count(EnglishTexts().Text(message))) << EnglishTexts().Text(message);
    EXPECT_EQ(3000, play.roundsStarted);
}

}  // namespace
}  // namespace DoDadu
