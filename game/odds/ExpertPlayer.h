#pragma once
// The expert computer player of the full table: the best expected result from what it
// can see, as a seat and as the bank.
//
// As a seat it stands or draws by the higher expected result (SeatOdds: the bank's play
// modelled by the bank's style), and stakes the maximum its chips allow when its covered
// card promises a gain, else the minimum: every outcome moves its chips in proportion to
// the stake. Under the classic table's rules it is the classic odds' best play exactly
// (OddsSolver, without CANCEL, which the full table does not have).
//
// As the bank it draws when drawing is worth more over the stakes of every standing seat
// (BankOdds): exhaustively while the covered cards can lie in few enough ways
// (kExactBankWays), else by weighing each covered card alone.
#include "BankOdds.h"
#include "ComputerPlayer.h"
#include "OddsSolver.h"
#include "SeatOdds.h"

#include <optional>
#include <vector>

namespace DoDadu {

// A seat's options in its turn, as expected changes of its chips at its stake.
struct SeatHint {
    Odds::Action best = Odds::Action::Stop;  // Stop or Draw
    double stop = 0.0;
    double draw = 0.0;  // meaningful only when canDraw
    bool canDraw = false;
};

// The bank's side of the table as the looker sees it (the seats standing but its own,
// the cards it cannot see and its own), and its hand by kind: none when no deck can
// give the sight.
std::optional<Odds::BankTable> BankTableOf(const RoundSight& sight, Odds::KindCounts& hand);

// The bank decides exhaustively up to this many ways the covered cards can lie.
constexpr long long kExactBankWays = 81;

class ExpertPlayer : public ComputerPlayer {
public:
    int Stake(const SeatSight& sight) override;
    bool Draws(const SeatSight& sight) override;
    bool BankDraws(const BankSight& sight) override;

    // The hint of a seat in its turn (a person's too), at its stake: none when the sight
    // is not a seat's turn or no deck can give it.
    std::optional<SeatHint> Advise(const SeatSight& sight);
    // The seat's options per point of stake.
    std::optional<Odds::Choice> Options(const SeatSight& sight);
    // The bank's options in its turn, in chips: what standing and drawing are worth over
    // every standing seat. None when no deck can give the sight.
    std::optional<Odds::BankChoice> BankOptions(const BankSight& sight);

private:
    std::optional<Odds::Choice> ClassicOptions(const SeatSight& sight);
    std::optional<Odds::Choice> SolveOptions(const SeatSight& sight);

    // The last seat's options and what they were worked out from, for a second question
    // on the same sight.
    std::vector<long long> lastKey;
    std::optional<Odds::Choice> lastOptions;

    // The classic odds of the deck the round started from, kept for the round.
    std::optional<Odds::OddsSolver> classic;
    Odds::KindCounts classicDeck{};
    Odds::BankOdds bankOdds;
};

}  // namespace DoDadu
