#include "Cards.h"
#include "HandRules.h"

namespace DoDadu {

int CardRank(int id) {
    int rank = id % 10;
    return rank == 0 ? 10 : rank;
}

Suit CardSuit(int id) { return static_cast<Suit>((id - 1) / 10); }

double CardValue(int id) { return CardHalfPoints(id) / 2.0; }

}  // namespace DoDadu
