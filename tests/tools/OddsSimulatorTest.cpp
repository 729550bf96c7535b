#include "OddsReport.h"
#include "OddsSimulator.h"
#include "OddsSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace DoDadu {
namespace Odds {
namespace {

// The rounds each comparison plays: enough for a standard error of about 2 points at
// stake 500, few enough to run in seconds under the sanitizers. The game's own shuffle
// is several times slower and plays a quarter of that.
constexpr long long kRounds = 80000;
constexpr long long kGameShuffleRounds = kRounds / 4;

void ExpectAgreement(const char* what, double exact, const SimulationResult& result) {
    EXPECT_GT(result.rounds, 0) << what;
    EXPECT_EQ(0, result.stalled) << what;
    EXPECT_EQ(result.rounds, result.playerWins + result.playerLosses + result.cancels) << what;
    EXPECT_GT(result.standardError, 0.0) << what;
    EXPECT_LT(std::fabs(result.mean - exact), 4 * result.standardError)
        << what << ": simulated " << result.mean << " +/- " << result.standardError << ", exact " << exact;
}

class OddsSimulation : public ::testing::Test {
protected:
    OddsSolver solver{FullDeckCounts()};
};

TEST_F(OddsSimulation, RoundCodeAgreesWithTheExactBestPlay) {
    RoundSimulator simulator(20240601);
    StakeRule bestStake = [this](int kind) { return solver.BestStake(kind); };
    ExpectAgreement("best play, best stake", solver.RoundValueBestStake(),
                    simulator.Play(kRounds, solver.BestPolicy(), bestStake));
}

TEST_F(OddsSimulation, RoundCodeAgreesWithTheExactThresholdPolicies) {
    RoundSimulator simulator(77);
    for (int threshold : {9, 11, 13}) {
        Policy policy = StopAtPolicy(threshold);
        ExpectAgreement(("stop at " + PointsText(threshold)).c_str(),
                        kLowestStake * solver.PolicyValue(policy),
                        simulator.Play(kRounds, policy, FixedStake(kLowestStake)));
    }
}

// Six cards left (6, 7, three figures and the wild card): the deck runs dry in most
// rounds and is refilled mid-round, which the solver must model as the game does.
std::vector<int> AllBut(std::initializer_list<int> kept) {
    std::vector<int> gone;
    for (int id = 1; id <= 40; ++id)
        if (std::find(kept.begin(), kept.end(), id) == kept.end()) gone.push_back(id);
    return gone;
}

TEST(OddsSimulationGone, AgreesThroughRefillsOfAnAlmostEmptyDeck) {
    std::vector<int> gone = AllBut({36, 37, 38, 39, 40, 10});
    std::string note, error;
    OddsSolver solver(StartingDeck(gone, note, error));
    ASSERT_TRUE(note.empty() && error.empty());
    RoundSimulator simulator(99);
    simulator.SetGoneCards(gone);
    StakeRule bestStake = [&solver](int kind) { return solver.BestStake(kind); };
    SimulationResult best = simulator.Play(kRounds, solver.BestPolicy(), bestStake);
    ExpectAgreement("best play", solver.RoundValueBestStake(), best);
    EXPECT_GT(best.cancels, 0);
    Policy policy = StopAtPolicy(10);
    ExpectAgreement("stop at 5", kLowestStake * solver.PolicyValue(policy),
                    simulator.Play(kRounds, policy, FixedStake(kLowestStake)));
}

TEST(OddsSimulationGone, DealtWildCardMeansANewDeckAsInTheGame) {
    std::vector<int> gone = {10, 1, 2, 3};
    std::string note, error;
    OddsSolver solver(StartingDeck(gone, note, error));
    EXPECT_FALSE(note.empty());
    RoundSimulator simulator(3, DeckShuffle::Game);
    simulator.SetGoneCards(gone);
    Policy policy = StopAtPolicy(11);
    ExpectAgreement("stop at 5.5", kLowestStake * solver.PolicyValue(policy),
                    simulator.Play(kGameShuffleRounds, policy, FixedStake(kLowestStake)));
}

TEST_F(OddsSimulation, CancelPolicyLosesExactlyHalfTheStake) {
    // Every round is given up at once at the stake set: the round code must charge
    // half of it and nothing else, whatever the cards.
    RoundSimulator simulator(5);
    Policy cancel = [](const PlayerView&) { return Action::Cancel; };
    SimulationResult result = simulator.Play(1000, cancel, FixedStake(1500));
    EXPECT_EQ(1000, result.cancels);
    EXPECT_DOUBLE_EQ(-750.0, result.mean);
    EXPECT_DOUBLE_EQ(0.0, result.standardError);
}

TEST_F(OddsSimulation, GamesOwnShuffleAgreesToo) {
    // Slower: the game's rejection shuffle on its own random source.
    RoundSimulator simulator(12345, DeckShuffle::Game);
    Policy policy = StopAtPolicy(12);
    ExpectAgreement("stop at 6", kLowestStake * solver.PolicyValue(policy),
                    simulator.Play(kGameShuffleRounds, policy, FixedStake(kLowestStake)));
}

}  // namespace
}  // namespace Odds
}  // namespace DoDadu
