#include "GameState.h"
#include "Cards.h"
#include "RandomSource.h"

#include <algorithm>
#include <cmath>

namespace DoDadu {
namespace {

bool Contains(const std::vector<int>& cards, int id) {
    return std::find(cards.begin(), cards.end(), id) != cards.end();
}

// The plain sum, every figure (the wild card too) at half a point.
double PlainSum(const std::vector<int>& hand) {
    double sum = 0.0;
    for (int id : hand) sum += CardValue(id);
    return sum;
}

bool IsWhole(double points) { return points - std::trunc(points) == 0.0; }

// The wild card fills a hand of two or more cards that is still short of 7.5: to
// 7.5 when the others leave a whole number, else only to 7.
bool WildCardFills(const std::vector<int>& hand, double sum) {
    return Contains(hand, kWildCard) && hand.size() >= 2 && sum < kBestHand;
}

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

    double dealerSum = PlainSum(dealerHand);
    if (WildCardFills(dealerHand, dealerSum))
        dealerPoints = IsWhole(dealerSum) ? kBestHand : 7.0;
    else
        dealerPoints = dealerSum;

    double playerSum = PlainSum(playerHand);
    if (WildCardFills(playerHand, playerSum)) {
        if (IsWhole(playerSum)) {
            playerPoints = playerShownPoints = kBestHand;
        } else {
            playerPoints = 7.0;
            // Covered, the wild card tells the dealer nothing; face up it shows the 7.
            playerShownPoints = playerHand.front() == kWildCard ? playerSum - 0.5 : 7.0;
        }
    } else if (playerSum >= kBestHand) {
        playerPoints = playerShownPoints = playerSum;
    } else {
        playerPoints = playerSum;
        playerShownPoints = playerHand.empty() ? 0.0 : playerSum - CardValue(playerHand.front());
    }
}

bool GameState::PlayerShowsWildCard() const {
    return playerHand.size() > 1 &&
           std::find(playerHand.begin() + 1, playerHand.end(), kWildCard) != playerHand.end();
}

}  // namespace DoDadu
