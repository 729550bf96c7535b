#pragma once
#include <vector>

namespace DoDadu {

// The cards on the table: the deck in dealing order, both hands and their values.
// The next card to deal is deck[40 - remainingCards]; the positions before it hold
// cards already dealt, in a hand or thrown away with an earlier round.
class GameState {
public:
    std::vector<int> deck;
    std::vector<int> dealerHand;  // [0] is the dealer's covered card
    std::vector<int> playerHand;  // [0] is the player's covered card, unseen by the dealer
    int remainingCards = 0;
    bool wildCardSeen = false;  // the wild card was in a hand at the last evaluation
    double dealerPoints = 0.0;
    double playerPoints = 0.0;
    double playerShownPoints = 0.0;  // the player's hand as the dealer sees it

    // Empties both hands and deals a fresh random order of all 40 cards.
    void NewDeck();
    // A new deck around the cards still in the hands: those first (dealer's, then the
    // player's, in hand order), then every other card in random order. Cards thrown
    // away with earlier rounds come back into play.
    void RefillDeck();
    // Moves the next card of the deck to the end of the hand. Never refills: the
    // round decides when a new deck is due.
    void DealNextCard(std::vector<int>& hand);
    // Values both hands, the wild card included. An empty hand is worth nothing.
    void EvaluateHands();
    // The wild card lies face up in the player's hand.
    bool PlayerShowsWildCard() const;

private:
    void AddRandomCardsUntil(std::size_t size);
};

}  // namespace DoDadu
