// Thousands of rounds with random legal actions and a clock that jumps both ways; after
// every step the table must agree with the state of the round.
#include "Cards.h"
#include "FakeTable.h"
#include "RandomSource.h"
#include "Round.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

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

    RandomPlay()
    {
        SharedRandom().Reseed(7);
        round.LoadScore();
        round.ShowAndSaveScore();
        round.ResetTable();
    }

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // One action a player could take now, or a tick of the dealer's timer.
    std::string Step()
    {
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
            clock.now -= Uniform(1, 3'600'000); // local time set back
        } else {
            clock.now += Uniform(0, 2600);
        }
        round.OnDealerTick();
        return "tick";
    }
};

// The controls of each state of the round.
::testing::AssertionResult ControlsMatchPhase(Round& round, FakeTable& table)
{
    std::ostringstream wrong;
    auto expect = [&](bool actual, bool wanted, const char* what) {
        if (actual != wanted)
            wrong << what << (wanted ? " should be on; " : " should be off; ");
    };
    RoundPhase phase = round.Phase();
    bool playing = phase == RoundPhase::PlayerTurn;
    bool idle = phase == RoundPhase::Idle;
    expect(table.On(TableControl::StartButton), idle || playing, "start");
    // The caption stays CANCEL, disabled, while the dealer plays.
    expect(table.Caption(TableControl::StartButton) == "CANCEL", !idle, "CANCEL caption");
    expect(table.On(TableControl::StopButton), playing, "stop");
    expect(table.On(TableControl::GetCardButton),
           playing && round.cards.playerPoints != kBestHand, "get card");
    expect(table.On(TableControl::StakeSlider),
           playing && round.cards.playerHand.size() == 1, "slider");
    expect(table.On(TableControl::StakeButton), false, "stake button");
    if (!round.cards.dealerHand.empty()) {
        bool covered = table.Place(CardRow::Dealer, 0).picture == kCardBackPicture;
        expect(covered, playing, "dealer's covered card");
    }
    if (wrong.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong.str();
}

TEST(RoundRandomPlay, TableAndScoreStayConsistent)
{
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
        ASSERT_TRUE(ControlsMatchPhase(play.round, play.table)) << "after " << action;
        const int change = play.round.Score() - scoreBefore;
        ASSERT_TRUE(change == 0 || change == stake || change == -stake || change == -stake / 2)
            << "score moved by " << change << " at stake " << stake << " after " << action;
        ASSERT_EQ(PlainNumberText(play.round.Score()), play.store.stored) << "after " << action;
        phasesSeen.insert(play.round.Phase());
        messagesSeen.insert(play.table.Cell(TableCell::Message));
    }
    // The walk went everywhere: every state, and every way a round ends.
    EXPECT_EQ(4u, phasesSeen.size());
    for (const char* message : {kMessagePlayerBusts, kMessageDealerBusts, kMessagePlayerWins,
                                kMessagePlayerLoses, kMessageDealerStops})
        EXPECT_EQ(1u, messagesSeen.count(message)) << message;
    EXPECT_EQ(3000, play.roundsStarted);
}

} // namespace
} // namespace DoDadu
