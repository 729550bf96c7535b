#include "OddsReport.h"
#include "OddsSimulator.h"
#include "OddsSolver.h"

#include <gtest/gtest.h>

#include <cmath>

namespace DoDadu {
namespace Odds {
namespace {

// The rounds each comparison plays: enough for a standard error of about 1.5 points at
// stake 500, few enough to run in seconds under the sanitizers.
constexpr long long kRounds = 120000;

void ExpectAgreement(const char* what, double exact, const SimulationResult& result)
{
    EXPECT_EQ(kRounds, result.rounds) << what;
    EXPECT_EQ(0, result.stalled) << what;
    EXPECT_EQ(result.rounds, result.playerWins + result.playerLosses + result.cancels) << what;
    EXPECT_GT(result.standardError, 0.0) << what;
    EXPECT_LT(std::fabs(result.mean - exact), 4 * result.standardError)
        << what << ": simulated " << result.mean << " +/- " << result.standardError
        << ", exact " << exact;
}

class OddsSimulation : public ::testing::Test {
protected:
    OddsSolver solver{FullDeckCounts()};
};

TEST_F(OddsSimulation, RoundCodeAgreesWithTheExactBestPlay)
{
    RoundSimulator simulator(20240601);
    StakeRule bestStake = [this](int kind) { return solver.BestStake(kind); };
    ExpectAgreement("best play, best stake", solver.RoundValueBestStake(),
                    simulator.Play(kRounds, solver.BestPolicy(), bestStake));
}

TEST_F(OddsSimulation, RoundCodeAgreesWithTheExactThresholdPolicies)
{
    RoundSimulator simulator(77);
    for (int threshold : {9, 11, 13}) {
        Policy policy = StopAtPolicy(threshold);
        ExpectAgreement(("stop at " + PointsText(threshold)).c_str(),
                        kLowestStake * solver.PolicyValue(policy),
                        simulator.Play(kRounds, policy, FixedStake(kLowestStake)));
    }
}

TEST_F(OddsSimulation, CancelPolicyLosesExactlyHalfTheStake)
{
    // Every round is given up at once at the stake set: the round code must charge
    // half of it and nothing else, whatever the cards.
    RoundSimulator simulator(5);
    Policy cancel = [](const PlayerView&) { return Action::Cancel; };
    SimulationResult result = simulator.Play(1000, cancel, FixedStake(1500));
    EXPECT_EQ(1000, result.cancels);
    EXPECT_DOUBLE_EQ(-750.0, result.mean);
    EXPECT_DOUBLE_EQ(0.0, result.standardError);
}

TEST_F(OddsSimulation, GamesOwnShuffleAgreesToo)
{
    // Slower: the game's rejection shuffle on its own random source.
    RoundSimulator simulator(12345, DeckShuffle::Game);
    Policy policy = StopAtPolicy(12);
    SimulationResult result = simulator.Play(kRounds / 4, policy, FixedStake(kLowestStake));
    EXPECT_EQ(0, result.stalled);
    EXPECT_LT(std::fabs(result.mean - kLowestStake * solver.PolicyValue(policy)),
              4 * result.standardError);
}

} // namespace
} // namespace Odds
} // namespace DoDadu
