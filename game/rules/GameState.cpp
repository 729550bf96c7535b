#include "GameState.h"
#include "Cards.h"
#include "HandRules.h"
#include "RandomSource.h"

#include <algorithm>

namespace DoDadu {
namespace {

bool Contains(const std::vector<int>& cards, int id) {
    return std::find(cards.begin(), cards.end(), id) != cards.end();
}

double Points(int halfPoints) { return halfPoints / 2.0; }

}  // namespace

void GameState::NewDeck() {
    dealerHand.clear();
    playerHand.clear();
    deck.clear();
    AddRandomCardsUntil(kCardCount);
    remainingCards = kCardCount;
}

void GameState::RefillDeck() {
    int fresh = kCardCount - static_cast<int>(playerHand.size() + dealerHand.size());
    deck.clear();
    deck.insert(deck.end(), dealerHand.begin(), dealerHand.end());
    deck.insert(deck.end(), playerHand.begin(), playerHand.end());
    AddRandomCardsUntil(deck.size() + static_cast<std::size_t>(std::max(fresh, 0)));
    remainingCards = fresh;
}

// Rejection sampling: a drawn id already in the deck is thrown back.
void GameState::AddRandomCardsUntil(std::size_t size) {
    RandomSource& random = SharedRandom();
    random.SeedOnceFromClock();
    while (deck.size() < size) {
        int id = random.RandomCardId();
        if (!Contains(deck, id)) deck.push_back(id);
    }
}

void GameState::DealNextCard(std::vector<int>& hand) {
    hand.push_back(deck[static_cast<std::size_t>(kCardCount - remainingCards)]);
    --remainingCards;
}

void GameState::EvaluateHands() {
    wildCardSeen = Contains(dealerHand, kWildCard) || Contains(playerHand, kWildCard);

    const HandFacts dealer = FactsOf(dealerHand);
    dealerPoints = Points(HandHalfPoints(dealer.sum, dealer.cards, dealer.wild));

    const HandFacts player = FactsOf(playerHand);
    playerPoints = Points(HandHalfPoints(player.sum, player.cards, player.wild));
    const int covered = playerHand.empty() ? 0 : playerHand.front();
    playerShownPoints =
        Points(ShownHalfPoints(player.sum, player.cards, player.wild,
                               covered == 0 ? 0 : CardHalfPoints(covered), covered == kWildCard));
}

bool GameState::PlayerShowsWildCard() const {
    return playerHand.size() > 1 &&
           std::find(playerHand.begin() + 1, playerHand.end(), kWildCard) != playerHand.end();
}

}  // namespace DoDadu
