#include "Cards.h"

namespace DoDadu {

int CardRank(int id) {
    int rank = id % 10;
    return rank == 0 ? 10 : rank;
}

Suit CardSuit(int id) { return static_cast<Suit>((id - 1) / 10); }

double CardValue(int id) {
    int rank = CardRank(id);
    return rank >= 8 ? 0.5 : static_cast<double>(rank);
}

}  // namespace DoDadu
