#pragma once
// Plays rounds through the game's own round code, with a player who follows a policy,
// a view that shows nothing and a clock that jumps the dealer's pause, and measures
// the mean score change per round.
#include "OddsSolver.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace DoDadu {
namespace Odds {

// The stake the player sets after seeing the first card (a kind).
using StakeRule = std::function<int(int firstKind)>;
StakeRule FixedStake(int stake);

struct SimulationResult {
    long long rounds = 0;
    double mean = 0.0;           // score change per round
    double standardError = 0.0;  // of the mean
    long long playerWins = 0;    // showdown won or dealer bust
    long long playerLosses = 0;  // bust, showdown lost or tie
    long long cancels = 0;
    long long stalled = 0;  // rounds the round code never finished (should stay 0)
};

// How each round's new deck is put in order: by a fast uniform shuffle of the
// simulator's own, or by the game's own shuffle and random source (several times
// slower; it measures the game's generator too).
enum class DeckShuffle { Uniform, Game };

// Every round starts from a new deck, like the first round after the game starts, so
// the results compare with the exact odds of a full deck. The round itself, from
// START to the outcome, is the game's own code.
class RoundSimulator {
public:
    // Seeds the shuffle (the game's shared random source for DeckShuffle::Game).
    explicit RoundSimulator(std::uint64_t seed, DeckShuffle shuffle = DeckShuffle::Uniform);
    ~RoundSimulator();
    RoundSimulator(const RoundSimulator&) = delete;
    RoundSimulator& operator=(const RoundSimulator&) = delete;

    // Each round starts instead from a deck these distinct card ids were already dealt
    // from, the rest in uniform random order, as in a later round of the game (with the
    // game's shuffle too). A dealt wild card, or fewer than 2 cards left, makes START
    // shuffle a new deck, as it does in the game.
    void SetGoneCards(const std::vector<int>& ids);

    SimulationResult Play(long long rounds, const Policy& policy, const StakeRule& stake);

private:
    struct Table;
    Table* table;
};

}  // namespace Odds
}  // namespace DoDadu
