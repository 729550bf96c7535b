#include "OddsReport.h"
#include "OddsSolver.h"

#include "Cards.h"
#include "GameState.h"
#include "Round.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <tuple>
#include <vector>

namespace DoDadu {
namespace Odds {
namespace {

KindCounts Counts(std::initializer_list<std::pair<Kind, int>> cards) {
    KindCounts counts{};
    for (auto [kind, n] : cards) counts[kind] = n;
    return counts;
}

// Card ids of a hand, the covered kind first: the hand as the game deals it.
std::vector<int> IdsOf(const PlayerHand& hand) {
    std::vector<int> ids;
    KindCounts left = hand.cards;
    auto take = [&](int kind) {
        int used = 0;
        for (int id = 1; id <= kCardCount; ++id) {
            if (KindOf(id) != kind) continue;
            if (used++ == FullDeckCounts()[kind] - left[kind]) {
                ids.push_back(id);
                --left[kind];
                return;
            }
        }
    };
    take(hand.covered);
    for (int k = 0; k < kKindCount; ++k)
        while (left[k] > 0) take(k);
    return ids;
}

TEST(OddsCards, KindsValueHandsAsTheGameDoesForEveryReachableHand) {
    OddsSolver solver(FullDeckCounts());
    std::vector<PlayerView> views = solver.ReachableViews();
    ASSERT_GT(views.size(), 500u);
    for (const PlayerView& view : views) {
        GameState state;
        state.playerHand = IdsOf(view.hand);
        ASSERT_EQ(static_cast<std::size_t>(CardTotal(view.hand.cards)), state.playerHand.size());
        // The same cards in the dealer's hand value the dealer's way.
        state.dealerHand = state.playerHand;
        state.EvaluateHands();
        SCOPED_TRACE(HandText(view.hand));
        EXPECT_EQ(state.playerPoints, HandValue(view.hand.cards) / 2.0);
        EXPECT_EQ(state.dealerPoints, HandValue(view.hand.cards) / 2.0);
        EXPECT_EQ(state.playerShownPoints, ShownValue(view.hand) / 2.0);
        EXPECT_EQ(state.PlayerShowsWildCard(), ShowsWildCard(view.hand));
    }
}

TEST(OddsCards, DealerDecidesAsTheRoundCodeOnEveryReachableSituation) {
    OddsSolver solver(FullDeckCounts());
    std::set<std::pair<int, bool>> shown;
    for (const PlayerView& view : solver.ReachableViews())
        shown.insert({ShownValue(view.hand), ShowsWildCard(view.hand)});
    // Every shown value from 0 to 7.5 occurs, the 7 both with and without the wild card.
    EXPECT_EQ(17u, shown.size());
    for (auto [t, w] : shown)
        for (int d = 1; d <= kBest; ++d)
            EXPECT_EQ(DoDadu::DealerStops(d / 2.0, t / 2.0, w), DealerStops(d, t, w))
                << "D " << d / 2.0 << " T " << t / 2.0 << " W " << w;
}

TEST(OddsCards, StartingDeckFollowsWhatStartDoes) {
    struct Case {
        std::vector<int> gone;
        int cardsLeft;
        bool note;
        bool error;
    } cases[] = {
        {{}, 40, false, false},    {{1, 11, 8, 40}, 36, false, false},
        {{10}, 40, true, false},  // the wild card was seen: a new deck
        {{0}, 40, false, true},    {{41}, 40, false, true},
        {{5, 5}, 40, false, true},
    };
    for (const Case& c : cases) {
        std::string note, error;
        KindCounts deck = StartingDeck(c.gone, note, error);
        EXPECT_EQ(c.cardsLeft, CardTotal(deck));
        EXPECT_EQ(c.note, !note.empty());
        EXPECT_EQ(c.error, !error.empty());
    }
    std::vector<int> allButOne;  // only the wild card is left
    for (int id = 1; id <= 40; ++id)
        if (id != kWildCard) allButOne.push_back(id);
    std::string note, error;
    EXPECT_EQ(40, CardTotal(StartingDeck(allButOne, note, error)));  // one left: new deck
    EXPECT_FALSE(note.empty());

    note.clear();
    KindCounts deck = StartingDeck({1, 11, 8}, note, error);
    EXPECT_EQ(2, deck[Ace]);
    EXPECT_EQ(10, deck[Figure]);
    EXPECT_EQ(1, deck[Wild]);
}

// Small decks worked out by hand. Values are per point of stake.
struct SmallDeck {
    const char* name;
    KindCounts deck;
    std::vector<std::tuple<Kind, double, Action>> firstCards;  // value, best first action
    double roundPerStake;
    double roundBestStake;
};

TEST(OddsSolver, SmallDecksWorkedOutByHand) {
    const SmallDeck decks[] = {
        // Six, seven, seven. First card 6 (1/3): the dealer holds a 7 and stops on it, and
        // any draw busts: stop -1, draw -1, so CANCEL, -0.5. First card 7 (2/3): the
        // dealer's 6 or 7 stops at once; 6 loses to the 7, 7 ties and wins: stop 0.
        // Round: (1/3)(-0.5) = -1/6; the stake stays 500 since 0 is no gain.
        {"6 7 7",
         Counts({{Six, 1}, {Seven, 2}}),
         {{Six, -0.5, Action::Cancel}, {Seven, 0.0, Action::Stop}},
         -1.0 / 6,
         -500.0 / 6},
        // Six, six, seven, seven. First 6: the dealer stops on its 6 (a tie) or 7; draws
        // bust: CANCEL. First 7: dealer 6 (2/3) loses, 7 (1/3) ties: stop 1/3, stake 4000.
        // Round at 500: (1/2)(-250) + (1/2)(500/3); best stake: -125 + 2000/3.
        {"6 6 7 7",
         Counts({{Six, 2}, {Seven, 2}}),
         {{Six, -0.5, Action::Cancel}, {Seven, 1.0 / 3, Action::Stop}},
         -1.0 / 12,
         -125.0 + 2000.0 / 3},
        // Ace, six, six, seven.
        // First ace (1/4): stopping on 1 loses to the dealer's 6 or 7 (-1). Drawing: a 7
        // (1/3) busts; a 6 (2/3) makes 7 showing 6. Then the dealer's 6 is level with
        // what it sees and draws the last card, the 7, and busts; its 7 stops and ties:
        // stop 0, and any further card busts. Draw: -1/3, the best.
        // First six (1/2): stop: only a dealer ace (1/3) that then draws the 7 (1/2)
        // busts: 2/6 - 1 = -2/3. Draw: an ace (1/3) makes 7 showing 1, which wins
        // against a dealer 6 and ties a 7: 0; a 6 or 7 busts: -2/3. So CANCEL.
        // First seven (1/4): dealer 6 (2/3) stops and loses; an ace draws a 6 to 7 and
        // ties: stop 1/3; stake 4000.
        // Round: -1/12 - 1/4 + 1/12 = -1/4; best stake: -500/12 - 125 + 1000/3.
        {"A 6 6 7",
         Counts({{Ace, 1}, {Six, 2}, {Seven, 1}}),
         {{Ace, -1.0 / 3, Action::Draw}, {Six, -0.5, Action::Cancel}, {Seven, 1.0 / 3, Action::Stop}},
         -0.25,
         -500.0 / 12 - 125.0 + 1000.0 / 3},
    };
    for (const SmallDeck& d : decks) {
        SCOPED_TRACE(d.name);
        OddsSolver solver(d.deck);
        for (auto [kind, value, action] : d.firstCards) {
            SCOPED_TRACE(KindName(kind));
            EXPECT_NEAR(value, solver.FirstCardValue(kind), 1e-12);
            EXPECT_EQ(action, solver.BestAction(PlayerView{FirstCard(kind)}));
            EXPECT_EQ(value > 0 ? kHighestStake : kLowestStake, solver.BestStake(kind));
        }
        EXPECT_NEAR(d.roundPerStake * kLowestStake, solver.RoundValueAtStake(kLowestStake), 1e-9);
        EXPECT_NEAR(d.roundBestStake, solver.RoundValueBestStake(), 1e-9);
    }
}

TEST(OddsSolver, StopAtPolicyOnASmallDeck) {
    // Ace, six, six, seven, drawing below 7: the ace draws (a 6 gives 7 worth 0, a 7
    // busts: -1/3), the six draws (an ace gives 7 worth 0, else bust: -2/3), the seven
    // stops (1/3). Round: -1/12 - 1/3 + 1/12 = -1/3.
    OddsSolver solver(Counts({{Ace, 1}, {Six, 2}, {Seven, 1}}));
    EXPECT_NEAR(-1.0 / 3, solver.PolicyValue(StopAtPolicy(14)), 1e-12);
    // Never drawing: -1 with the ace, -2/3 with a six, 1/3 with the seven.
    EXPECT_NEAR(-0.25 - 1.0 / 3 + 1.0 / 12, solver.PolicyValue(StopAtPolicy(1)), 1e-12);
}

TEST(OddsSolver, EmptyDeckRefillsAndRevealsTheDealersCard) {
    // Two sevens: each side holds one. Stopping ties the dealer's 7 (shown 0, it stops):
    // -1. Drawing empties the deck, which is refilled with the 38 cards outside the
    // hands; the player now knows the dealer's 7. A figure or the wild card (12 of 38)
    // makes 7.5, which the dealer sees; it draws from 37 cards and wins only with one of
    // the 11 figures left (a tie at 7.5), busting on the other 26: 2 * 26/37 - 1 = 15/37.
    // Any other card busts. Draw: (12 * 15/37 - 26) / 38 = -782/1406, below CANCEL.
    OddsSolver solver(Counts({{Seven, 2}}));
    Choice first = solver.Best(PlayerView{FirstCard(Seven)});
    EXPECT_NEAR(-1.0, first.stop, 1e-12);
    ASSERT_TRUE(first.canDraw);
    EXPECT_NEAR(-782.0 / 1406, first.draw, 1e-12);
    EXPECT_EQ(Action::Cancel, first.best);

    int drawn = 0;
    solver.ForEachDraw(PlayerView{FirstCard(Seven)}, [&](double, const PlayerView& next) {
        EXPECT_EQ(Seven, next.knownDealerCard);
        ++drawn;
    });
    EXPECT_EQ(kKindCount, drawn);
    PlayerView sevenAndHalf{WithCard(FirstCard(Seven), Figure), Seven};
    EXPECT_NEAR(15.0 / 37, solver.StopValue(sevenAndHalf), 1e-12);
}

TEST(OddsSolver, BestPlayIsAtLeastAsGoodAsAnyThresholdForEveryFirstCard) {
    OddsSolver solver(FullDeckCounts());
    for (int threshold = 1; threshold <= kBest; ++threshold) {
        Policy policy = StopAtPolicy(threshold);
        for (int k = 0; k < kKindCount; ++k)
            EXPECT_GE(solver.FirstCardValue(k) + 1e-12, solver.PolicyFirstCardValue(policy, k))
                << "stop at " << threshold / 2.0 << ", first card " << KindName(k);
    }
    // Best play evaluated as a policy gives back the best value.
    EXPECT_NEAR(solver.RoundValueAtStake(1), solver.PolicyValue(solver.BestPolicy()), 1e-12);
    // CANCEL bounds every first card from below.
    for (int k = 0; k < kKindCount; ++k) EXPECT_GE(solver.FirstCardValue(k), -0.5);
}

TEST(OddsReport, CsvDecisionTableHasOneRowPerHand) {
    OddsSolver solver(FullDeckCounts());
    ReportOptions options;
    options.csv = true;
    options.table = "decisions";
    std::ostringstream out;
    WriteReport(solver, options, out);
    std::istringstream lines(out.str());
    std::string line;
    std::size_t rows = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(7, std::count(line.begin(), line.end(), ',')) << line;
        ++rows;
    }
    EXPECT_EQ(solver.ReachableViews().size() + 1, rows);
}

}  // namespace
}  // namespace Odds
}  // namespace DoDadu
