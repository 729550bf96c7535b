#include "Cards.h"
#include "GameState.h"
#include "RandomSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace DoDadu {
namespace {

bool IsPermutationOfAllCards(std::vector<int> cards) {
    std::sort(cards.begin(), cards.end());
    for (int i = 0; i < kCardCount; ++i)
        if (static_cast<int>(cards.size()) != kCardCount || cards[i] != i + 1) return false;
    return true;
}

TEST(GameState, NewDeckIsAPermutationAndEmptiesTheHands) {
    GameState state;
    state.dealerHand = {3, 4};
    state.playerHand = {5};
    state.NewDeck();
    EXPECT_TRUE(IsPermutationOfAllCards(state.deck));
    EXPECT_EQ(40, state.remainingCards);
    EXPECT_TRUE(state.dealerHand.empty());
    EXPECT_TRUE(state.playerHand.empty());
}

TEST(GameState, NewDeckDrawsFromTheSharedSourceWithoutReseeding) {
    SharedRandom().Reseed(1);
    GameState state;
    state.NewDeck();
    const std::vector<int> firstFive(state.deck.begin(), state.deck.begin() + 5);
    EXPECT_EQ((std::vector<int>{2, 28, 15, 21, 10}), firstFive);

    // The same second in another process gives the same deck.
    SharedRandom().Reseed(1);
    GameState again;
    again.NewDeck();
    EXPECT_EQ(state.deck, again.deck);

    // Without reseeding the next deck goes on with the sequence.
    again.NewDeck();
    EXPECT_NE(state.deck, again.deck);
}

TEST(GameState, DealingTakesTheDeckInOrder) {
    GameState state;
    state.NewDeck();
    state.DealNextCard(state.dealerHand);
    state.DealNextCard(state.playerHand);
    state.DealNextCard(state.playerHand);
    EXPECT_EQ(std::vector<int>{state.deck[0]}, state.dealerHand);
    EXPECT_EQ((std::vector<int>{state.deck[1], state.deck[2]}), state.playerHand);
    EXPECT_EQ(37, state.remainingCards);
}

TEST(GameState, RefillKeepsTheHandsInFrontThenFreshCards) {
    GameState state;
    state.dealerHand = {10, 25, 33};
    state.playerHand = {7, 18};
    state.RefillDeck();

    EXPECT_EQ((std::vector<int>{10, 25, 33, 7, 18}),
              std::vector<int>(state.deck.begin(), state.deck.begin() + 5));
    EXPECT_TRUE(IsPermutationOfAllCards(state.deck));
    EXPECT_EQ(35, state.remainingCards);
    EXPECT_EQ((std::vector<int>{10, 25, 33}), state.dealerHand);

    state.DealNextCard(state.playerHand);
    EXPECT_EQ(state.deck[5], state.playerHand.back());
    EXPECT_EQ(34, state.remainingCards);
    std::set<int> inHands(state.dealerHand.begin(), state.dealerHand.end());
    EXPECT_EQ(0u, inHands.count(state.playerHand.back()));
}

// Card ids used below: coins 1-7 are the ace to seven; 8 a knave, 9 a knight,
// 10 the wild king of coins; 24 a four of swords, 33 a three of clubs.
struct HandCase {
    const char* what;
    std::vector<int> dealer;
    std::vector<int> player;
    double dealerPoints;
    double playerPoints;
    double playerShownPoints;
    bool showsWildCard;
};

TEST(GameState, HandValuesWithAndWithoutTheWildCard) {
    const HandCase cases[] = {
        {"wild card alone", {10}, {10}, 0.5, 0.5, 0.0, false},
        {"wild card + knave", {10, 8}, {10, 8}, 7.5, 7.5, 7.5, false},
        {"wild card + three", {10, 3}, {10, 3}, 7.0, 7.0, 3.0, false},
        {"wild card + three + knave", {10, 3, 8}, {10, 3, 8}, 7.5, 7.5, 7.5, false},
        {"wild card + seven", {10, 7}, {10, 7}, 7.5, 7.5, 7.5, false},
        {"wild card + seven + ace", {10, 7, 1}, {10, 7, 1}, 8.5, 8.5, 8.5, false},
        {"covered wild card + four", {1}, {10, 24}, 1.0, 7.0, 4.0, false},
        {"four + face-up wild card", {1}, {24, 10}, 1.0, 7.0, 7.0, true},
        {"two + wild card + knave", {1}, {2, 10, 8}, 1.0, 7.5, 7.5, true},
        {"six + five: bust", {1}, {6, 5}, 1.0, 11.0, 11.0, false},
        {"seven + knight", {1}, {7, 9}, 1.0, 7.5, 7.5, false},
        {"five + ace + knave", {1}, {5, 1, 8}, 1.0, 6.5, 1.5, false},
        {"plain single card shows nothing", {5}, {33}, 5.0, 3.0, 0.0, false},
        {"wild card over 7.5 counts half", {1}, {7, 3, 10}, 1.0, 10.5, 10.5, true},
        {"empty hands are worth nothing", {}, {}, 0.0, 0.0, 0.0, false},
    };
    for (const HandCase& c : cases) {
        SCOPED_TRACE(c.what);
        GameState state;
        state.dealerHand = c.dealer;
        state.playerHand = c.player;
        state.EvaluateHands();
        EXPECT_EQ(c.dealerPoints, state.dealerPoints);
        EXPECT_EQ(c.playerPoints, state.playerPoints);
        EXPECT_EQ(c.playerShownPoints, state.playerShownPoints);
        EXPECT_EQ(c.showsWildCard, state.PlayerShowsWildCard());
        bool wildInHands = std::count(c.dealer.begin(), c.dealer.end(), kWildCard) +
                               std::count(c.player.begin(), c.player.end(), kWildCard) >
                           0;
        EXPECT_EQ(wildInHands, state.wildCardSeen);
    }
}

TEST(GameState, WildCardSeenIsRecomputedEachTime) {
    GameState state;
    state.dealerHand = {10};
    state.playerHand = {3};
    state.EvaluateHands();
    EXPECT_TRUE(state.wildCardSeen);
    state.dealerHand = {4};
    state.EvaluateHands();
    EXPECT_FALSE(state.wildCardSeen);
}

bool IsWholeOrHalf(double points) { return points * 2 == static_cast<int>(points * 2); }

double PlainSum(const std::vector<int>& hand) {
    double sum = 0;
    for (int id : hand) sum += CardValue(id);
    return sum;
}

// Random rounds dealt from real decks, refills included: the values stay sensible
// and no card ever turns up twice.
TEST(GameState, RandomHandsKeepTheirInvariants) {
    std::mt19937 pick(12345);
    SharedRandom().Reseed(777);
    GameState state;
    for (int round = 0; round < 5000; ++round) {
        if (state.remainingCards < 2 || state.wildCardSeen) state.NewDeck();
        state.dealerHand.clear();
        state.playerHand.clear();
        state.DealNextCard(state.dealerHand);
        state.DealNextCard(state.playerHand);
        int extra = static_cast<int>(pick() % 12);
        for (int i = 0; i < extra; ++i) {
            if (state.remainingCards < 1) state.RefillDeck();
            state.DealNextCard(pick() % 2 ? state.playerHand : state.dealerHand);
        }
        state.EvaluateHands();

        ASSERT_TRUE(IsPermutationOfAllCards(state.deck));
        ASSERT_GE(state.remainingCards, 0);
        ASSERT_LE(state.remainingCards, 40);
        std::set<int> seen(state.dealerHand.begin(), state.dealerHand.end());
        seen.insert(state.playerHand.begin(), state.playerHand.end());
        ASSERT_EQ(state.dealerHand.size() + state.playerHand.size(), seen.size());

        for (double points : {state.dealerPoints, state.playerPoints, state.playerShownPoints})
            ASSERT_TRUE(IsWholeOrHalf(points)) << points;
        ASSERT_GE(state.dealerPoints, PlainSum(state.dealerHand));
        ASSERT_GE(state.playerPoints, PlainSum(state.playerHand));
        ASSERT_LE(state.playerShownPoints, state.playerPoints);
        ASSERT_GE(state.playerShownPoints, 0.0);
    }
}

}  // namespace
}  // namespace DoDadu
