#pragma once

namespace DoDadu {

// Where a shuffle's cards come from: each call names one of the 40 cards at random, and
// the deck passes over a card it already holds.
class CardRandom {
public:
    virtual int RandomCardId() = 0;  // 1 .. 40

protected:
    CardRandom() = default;
    CardRandom(const CardRandom&) = default;
    CardRandom& operator=(const CardRandom&) = default;
    ~CardRandom() = default;
};

}  // namespace DoDadu
