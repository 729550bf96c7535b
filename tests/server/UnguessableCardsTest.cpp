#include "TableDeck.h"
#include "UnguessableCards.h"

#include <gtest/gtest.h>

#include <set>

namespace DoDadu {
namespace {

// The server's evenings shuffle from it, the first deck and every one after: all 40 cards
// come out, and none but them.
TEST(UnguessableCards, ShuffleWholeDecks) {
    UnguessableCards cards;
    std::set<int> drawn;
    for (int draw = 0; draw < 4000; ++draw) {
        const int card = cards.RandomCardId();
        ASSERT_GE(card, 1);
        ASSERT_LE(card, kCardCount);
        drawn.insert(card);
    }
    EXPECT_EQ(drawn.size(), static_cast<std::size_t>(kCardCount));

    TableDeck first(cards), second(cards);
    first.Shuffle();
    second.Shuffle();
    EXPECT_TRUE(IsWholeDeck(first.Order()));
    EXPECT_NE(first.Order(), second.Order());
}

}  // namespace
}  // namespace DoDadu
