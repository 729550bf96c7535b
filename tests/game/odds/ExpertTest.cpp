// The one hand evaluator, the expert bank's weighing against exhaustive enumeration, and
// the expert seat playing whole rounds through the full table's round code.
#include "BankOdds.h"
#include "ComputerPlayers.h"
#include "ExpertPlayer.h"
#include "FullTableRound.h"
#include "GameState.h"
#include "HandRules.h"
#include "HintAdvisor.h"
#include "HouseRules.h"
#include "OddsSolver.h"
#include "RandomSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace DoDadu {
namespace {

using namespace Odds;

// Card ids: coins 1-7 are the ace to seven, 8 a knave, 10 the wild king of coins; 24 a
// four of swords, 33 a three of clubs.
TEST(HandRules, TheTableTheOddsAndTheHouseRulesValueHandsAlike) {
    const struct {
        std::vector<int> hand;
        double wildOn, wildOff;
    } cases[] = {
        {{10}, 0.5, 0.5},            // one card: the wild card alone fills nothing
        {{7}, 7.0, 7.0},             //
        {{10, 8}, 7.5, 1.0},         // two cards: the wild card fills a whole number to 7.5
        {{10, 33}, 7.0, 3.5},        // and a half to 7
        {{24, 33}, 7.0, 7.0},        //
        {{10, 7}, 7.5, 7.5},         // a seven and a figure are 7.5 either way
        {{7, 24}, 11.0, 11.0},       // over 7.5
        {{10, 7, 1}, 8.5, 8.5},      // the wild card over 7.5 counts half
        {{2, 10, 8, 1}, 7.5, 4.0},   // three and more cards
        {{8, 9, 10, 33}, 7.0, 4.5},  //
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.hand));
        for (bool wild : {true, false}) {
            const double expected = wild ? c.wildOn : c.wildOff;
            KindCounts kinds{};
            for (int id : c.hand) ++kinds[KindUnder(id, wild)];
            EXPECT_EQ(expected * 2, HandValue(kinds));
            EXPECT_EQ(expected, HandPoints(c.hand, wild));
        }
        GameState state;
        state.dealerHand = c.hand;
        state.EvaluateHands();
        EXPECT_EQ(c.wildOn, state.dealerPoints);
    }
}

// A seat standing with these face-up kinds and stake, its covered card any it can be.
StandingHand Standing(const std::vector<int>& faceUp, double stake, const KindCounts& unseen) {
    StandingHand hand;
    for (int kind : faceUp) ++hand.faceUp[kind];
    hand.faceUpCards = static_cast<int>(faceUp.size());
    hand.canBe = CoveredCanBe(faceUp, unseen);
    hand.stake = stake;
    return hand;
}

KindCounts Without(KindCounts deck, const std::vector<int>& kinds) {
    for (int kind : kinds) --deck[kind];
    return deck;
}

// The weighing against every way the covered cards can lie, on tables small enough to
// enumerate: its values within a few hundredths of the total stake, and the same choice
// wherever the exhaustive values are further apart than that.
TEST(BankOdds, WeighingStaysNearExhaustiveEnumeration) {
    const struct {
        const char* name;
        std::vector<int> bank;
        std::vector<std::vector<int>> faceUp;  // one per standing seat
        HouseRules rules;
    } tables[] = {
        {"one seat showing a 5", {Four}, {{Five}}, HouseRules()},
        {"one seat showing a figure and a 2", {Six}, {{Figure, Two}}, HouseRules::Italian()},
        {"two seats", {Five}, {{Three}, {Six}}, HouseRules()},
        {"two seats, a two-card 7.5 paid double", {Three, Ace}, {{Seven}, {Two, Ace}}, HouseRules::Italian()},
        {"three seats", {Four}, {{Figure}, {Five}, {Ace, Ace}}, HouseRules::Italian()},
        {"three seats, every 7.5 paid double", {Six}, {{Figure}, {Five}, {Ace, Ace}}, HouseRules::Spanish()},
        {"three seats showing nothing", {Five}, {{}, {}, {}}, HouseRules()},
    };
    const double tolerance = 0.004;  // of the total stake
    BankOdds weighed;
    for (const auto& t : tables) {
        SCOPED_TRACE(t.name);
        BankTable table;
        std::vector<int> seen;
        for (const auto& faceUp : t.faceUp) seen.insert(seen.end(), faceUp.begin(), faceUp.end());
        const KindCounts unseen = Without(Without(FullDeckCounts(), seen), t.bank);
        double stakes = 0.0;
        for (std::size_t s = 0; s < t.faceUp.size(); ++s) {
            table.seats.push_back(Standing(t.faceUp[s], 1.0 + static_cast<double>(s), unseen));
            stakes += 1.0 + static_cast<double>(s);
        }
        table.cards = Without(FullDeckCounts(), seen);
        table.rules = t.rules;
        KindCounts bank{};
        for (int kind : t.bank) ++bank[kind];
        weighed.Reset(table);
        const BankChoice approx = weighed.Choose(bank);
        const BankChoice exact = ExactBankChoice(table, bank);
        ASSERT_TRUE(exact.canDraw);
        EXPECT_NEAR(exact.stand / stakes, approx.stand / stakes, tolerance);
        EXPECT_NEAR(exact.draw / stakes, approx.draw / stakes, tolerance);
        if (std::abs(exact.draw - exact.stand) > 2 * tolerance * stakes) {
            EXPECT_EQ(exact.Draws(), approx.Draws());
        }
    }
}

// The seat in turn at a two-seat table under these rules: the bank's card covered, the
// seat holding these cards and chips, these cards gone from the deck before the round.
SeatSight SeatAt(const HouseRules& rules, const std::vector<int>& hand, std::int64_t chips,
                 const std::vector<int>& gone = {}) {
    SeatSight sight;
    sight.rules = rules;
    sight.self = 1;
    sight.seats.resize(2);
    sight.seats[0].cards = {0};
    sight.seats[0].status = SeatStatus::Waiting;
    sight.seats[1].cards = hand;
    sight.seats[1].status = SeatStatus::Playing;
    sight.seats[1].chips = chips;
    sight.seats[1].stake = rules.minStake;
    sight.dealt = {{0, 0}};
    for (int id : hand) sight.dealt.push_back({1, id});
    sight.seenBefore = gone;
    return sight;
}

// The stake: the most the chips allow in steps when the covered card promises a gain,
// else the least; nothing below the least.
TEST(ExpertPlayer, StakesByTheFirstCardWithinItsChips) {
    const struct {
        int card;
        std::int64_t chips;
        int stake;
    } cases[] = {
        {7, 50000, 4000}, {kWildCard, 50000, 4000}, {7, 1700, 1500},
        {8, 50000, 500},  {1, 50000, 500},          {7, 300, 0},
    };
    ExpertPlayer expert;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.card);
        EXPECT_EQ(c.stake, expert.Stake(SeatAt(HouseRules::Classic(), {c.card}, c.chips)));
    }
}

// Under the classic rules a seat's hint is the classic hint less CANCEL: the same STOP,
// and a GET CARD that CANCEL further on could only have raised.
TEST(ExpertPlayer, ClassicSeatHintIsTheClassicHintWithoutCancel) {
    const struct {
        std::vector<int> hand;
        std::vector<int> gone;
    } cases[] = {
        {{5}, {}},
        {{1, 11, 21}, {}},             // three aces
        {{8, 9}, {1, 2, 3, 4, 5, 6}},  // two figures, low cards gone
        {{4, 33}, {17, 27, 37, 7}},    // the sevens gone
    };
    ExpertPlayer expert;
    HintAdvisor classic;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.hand));
        const std::optional<SeatHint> seat =
            expert.Advise(SeatAt(HouseRules::Classic(), c.hand, 50000, c.gone));
        ClassicTableSight sight;
        sight.hand = c.hand;
        sight.seenBefore = c.gone;
        const std::optional<Hint> hint = classic.Advise(sight, 500);
        ASSERT_TRUE(seat && hint);
        EXPECT_NEAR(hint->stop, seat->stop, 1e-9);
        EXPECT_LE(seat->draw, hint->draw + 1e-9);
        EXPECT_EQ(hint->best == Action::Draw, seat->best == Action::Draw);
    }
}

// Records what the expert expects of each round as it sets its stake.
class Forecaster : public ExpertPlayer {
public:
    double expected = 0.0;
    int Stake(const SeatSight& sight) override {
        const int stake = ExpertPlayer::Stake(sight);
        expected += Options(sight)->value * stake;
        return stake;
    }
};

// The expert seat against the bank over many rounds, each from a new deck, through the
// full table's own round: the mean change of its chips against the exact value of a
// round (the classic odds without CANCEL, which the full table does not have) or, where
// the model is exact too (two seats, a careful bank), against its own forecasts.
TEST(ExpertPlayer, PlaysTheValueItExpectsThroughTheTablesRound) {
    OddsSolver classic(FullDeckCounts(), 0, false);
    const struct {
        const char* name;
        HouseRules rules;
        long long rounds;
        double exact;  // NaN: the forecasts
    } runs[] = {
        {"classic", HouseRules::Classic(), 8000, classic.RoundValueBestStake()},
        {"italian, careful bank", HouseRules::Italian(), 1500, std::nan("")},
        {"spanish, careful bank", HouseRules::Spanish(), 1500, std::nan("")},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        Forecaster expert;
        CarefulPlayer careful;
        PlayerTable players;
        players.Set(PlayStyle::Expert, &expert);
        players.Set(PlayStyle::Careful, &careful);
        std::vector<TableSeat> seats(2);
        seats[1].style = PlayStyle::Expert;
        RandomSource random;
        random.Reseed(7);
        TableDeck deck(random);
        double sum = 0.0, squares = 0.0;
        for (long long r = 0; r < run.rounds; ++r) {
            for (TableSeat& seat : seats) seat.chips = 1000000000;
            deck.Shuffle();
            FullTableRound round(run.rules, seats, deck);
            round.SetPlayers(&players);
            round.Deal(0);
            while (round.InPlay()) ASSERT_TRUE(round.ComputerStep());
            const double change = static_cast<double>(seats[1].chips - 1000000000);
            sum += change;
            squares += change * change;
        }
        const double n = static_cast<double>(run.rounds);
        const double mean = sum / n;
        const double error = std::sqrt((squares / n - mean * mean) / (n - 1));
        const double exact = std::isnan(run.exact) ? expert.expected / n : run.exact;
        EXPECT_NEAR(exact, mean, 4 * error) << "mean " << mean << " +/- " << error;
    }
}

}  // namespace
}  // namespace DoDadu
