#include "TableDeck.h"
#include "Cards.h"

#include <algorithm>
#include <array>

namespace DoDadu {

namespace {
bool Contains(const std::vector<int>& cards, int id) {
    return std::find(cards.begin(), cards.end(), id) != cards.end();
}
}  // namespace

void TableDeck::Shuffle() {
    order.clear();
    AddRandomCardsUntil(kCardCount);
    position = 0;
}

// The shuffle of the classic table: a drawn card already in the deck is thrown back.
void TableDeck::AddRandomCardsUntil(std::size_t size) {
    while (order.size() < size) {
        const int id = random->RandomCardId();
        if (!Contains(order, id)) order.push_back(id);
    }
}

int TableDeck::Deal(const std::vector<int>& onTable) {
    if (Left() <= 0) {
        order = onTable;
        AddRandomCardsUntil(kCardCount);
        position = static_cast<int>(onTable.size());
        refilled = true;
    }
    return order[static_cast<std::size_t>(position++)];
}

std::vector<int> TableDeck::Gone() const { return {order.begin(), order.begin() + position}; }

bool TableDeck::Restore(const std::vector<int>& storedOrder, int storedPosition) {
    if (!IsWholeDeck(storedOrder) || storedPosition < 0 || storedPosition > kCardCount) return false;
    order = storedOrder;
    position = storedPosition;
    refilled = false;
    return true;
}

bool IsWholeDeck(const std::vector<int>& cards) {
    if (cards.size() != static_cast<std::size_t>(kCardCount)) return false;
    std::array<bool, kCardCount + 1> seen{};
    for (int id : cards) {
        if (id < 1 || id > kCardCount || seen[static_cast<std::size_t>(id)]) return false;
        seen[static_cast<std::size_t>(id)] = true;
    }
    return true;
}

}  // namespace DoDadu
