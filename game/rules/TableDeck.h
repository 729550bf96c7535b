#pragma once
#include "CardRandom.h"

#include <vector>

namespace DoDadu {

// The one deck of an evening at the full table, always all 40 cards in dealing order:
// the positions before Position() hold the cards gone from it (dealt, or on the table
// when it was shuffled), the others the cards still to deal.
//
// The deck is used up in a round when a card is wanted and none is left: every card not
// on the table is then shuffled into a new deck, which is placed behind the cards on
// the table (as they lie, in the order given) so that the order stays whole.
class TableDeck {
public:
    explicit TableDeck(CardRandom& random) : random(&random) {}

    // A new deck of all 40 cards in random order.
    void Shuffle();
    // The next card. With none left, the cards not in onTable first make a new deck and
    // Refilled() turns true until ClearRefilled().
    int Deal(const std::vector<int>& onTable);
    bool Refilled() const { return refilled; }
    void ClearRefilled() { refilled = false; }

    int Left() const { return static_cast<int>(order.size()) - position; }
    int Position() const { return position; }
    const std::vector<int>& Order() const { return order; }
    // The cards gone from the deck, in the order they went.
    std::vector<int> Gone() const;

    // Takes a stored deck: false, and nothing changes, unless order holds every card
    // once and position is within it.
    bool Restore(const std::vector<int>& storedOrder, int storedPosition);

private:
    void AddRandomCardsUntil(std::size_t size);

    CardRandom* random;
    std::vector<int> order;
    int position = 0;
    bool refilled = false;
};

// Every card from 1 to 40 exactly once.
bool IsWholeDeck(const std::vector<int>& cards);

}  // namespace DoDadu
