#pragma once
#include <vector>

namespace DoDadu {

// What the player has seen of the cards in the player's turn, and nothing else: never
// the dealer's covered card of this round, nor the order of the deck.
//
// A deck is in play from the START that shuffles it (the first one, one after a round
// that held the wild card, or one with fewer than two cards left) until the next such
// START; when it runs dry in the middle of a round it is refilled around the hands with
// every other card, thrown-away ones included, and counts as a new deck from then on.
// The cards of earlier rounds of the deck were all shown face up when their round ended
// (the dealer's covered card turns up when the player stops or busts), except the
// dealer's covered card of a round given up with CANCEL: that one was thrown away
// unseen. The wild card is never among the cards of earlier rounds: had it been dealt,
// this round would have started a new deck.
struct ClassicTableSight {
    std::vector<int> hand;  // the player's cards in dealing order, [0] covered to the dealer
    // The cards dealt from this deck in earlier rounds, as far as they were shown.
    std::vector<int> seenBefore;
    // How many more were dealt in earlier rounds and never shown.
    int unseenBefore = 0;
    // 0, or the number of cards in the player's hand when the deck ran dry in this turn;
    // seenBefore and unseenBefore then tell what was seen of the deck before it did.
    int handAtRefill = 0;
};

}  // namespace DoDadu
