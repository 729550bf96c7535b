#include "Cards.h"
#include "RandomSource.h"

#include <gtest/gtest.h>

namespace DoDadu {
namespace {

TEST(Cards, RankSuitAndValueFollowTheId) {
    struct Row {
        int id;
        int rank;
        Suit suit;
        double value;
    };
    const Row rows[] = {
        {1, 1, Suit::Coins, 1.0},   {7, 7, Suit::Coins, 7.0},   {8, 8, Suit::Coins, 0.5},
        {10, 10, Suit::Coins, 0.5}, {11, 1, Suit::Cups, 1.0},   {19, 9, Suit::Cups, 0.5},
        {20, 10, Suit::Cups, 0.5},  {26, 6, Suit::Swords, 6.0}, {30, 10, Suit::Swords, 0.5},
        {31, 1, Suit::Clubs, 1.0},  {37, 7, Suit::Clubs, 7.0},  {40, 10, Suit::Clubs, 0.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(row.rank, CardRank(row.id));
        EXPECT_EQ(row.suit, CardSuit(row.id));
        EXPECT_EQ(row.value, CardValue(row.id));
    }
    EXPECT_EQ(1100, CardPicture(0));
    EXPECT_EQ(1140, CardPicture(40));
}

TEST(RandomSource, SeedOneGivesTheKnownCards) {
    RandomSource random;
    random.Reseed(1);
    const int expected[] = {2, 28, 15, 21, 10};
    for (int id : expected) EXPECT_EQ(id, random.RandomCardId());
}

TEST(RandomSource, DrawsStayInFifteenBits) {
    RandomSource random;
    random.Reseed(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        int draw = random.Draw();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
    }
}

TEST(RandomSource, ClockSeedsOnlyOnce) {
    RandomSource first, second;
    first.Reseed(1);
    first.SeedOnceFromClock();  // already seeded: the sequence must not restart
    second.Reseed(1);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(second.Draw(), first.Draw());

    RandomSource fresh;
    EXPECT_FALSE(fresh.IsSeeded());
    fresh.SeedOnceFromClock();
    EXPECT_TRUE(fresh.IsSeeded());
}

}  // namespace
}  // namespace DoDadu
