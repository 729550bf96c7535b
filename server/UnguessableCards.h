#pragma once
#include "CardRandom.h"
#include "Cards.h"
#include "Digest.h"

namespace DoDadu {

// The server's shuffles draw every card from OpenSSL's generator. The engine's own
// generator holds 32 bits: enough at home, too few against a player who reads the cards
// dealt and tries every seed to foresee the rest of a deck.
class UnguessableCards final : public CardRandom {
public:
    // 2^32 is not a multiple of 40, which favours 16 cards by one chance in 2^28: nothing a
    // player could measure.
    int RandomCardId() override { return static_cast<int>(RandomBits() % kCardCount) + 1; }
};

}  // namespace DoDadu
