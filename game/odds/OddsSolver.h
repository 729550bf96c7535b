#pragma once
// The exact odds of one round: the player's best play by dynamic programming over the
// hands the player can hold, each STOP valued by playing out every way the dealer can
// draw from the cards the player has not seen.
#include "OddsCards.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace DoDadu {
namespace Odds {

enum class Action { Stop, Draw, Cancel };
const char* ActionName(Action action);

constexpr int kLowestStake = 500;
constexpr int kHighestStake = 4000;

// What the player knows when deciding: the own hand and, only after the deck ran dry
// during the player's turn, the dealer's covered card: then it was the one card left
// unseen, and the refilled deck holds every card not in a hand.
//
// When cards the player never saw were dealt from the deck (the dealer's covered
// cards of rounds given up), more than one card is left unseen when it runs dry: the
// dealer's card is then one of them, and the player's draws from the refilled deck
// tell a little more about which. handAtRefill, the player's cards at the refill, is
// all it takes to know what the player knows.
struct PlayerView {
    PlayerHand hand;
    int knownDealerCard = kNoCard;
    bool refilledUnseen = false;  // the deck ran dry with unseen cards dealt from it
    KindCounts handAtRefill{};
};

// A key that tells views apart: the cards, the covered kind, the known dealer card.
std::uint64_t ViewKey(const PlayerView& view);

// A way of playing: the action for each view. Asked only for hands that are not bust.
using Policy = std::function<Action(const PlayerView&)>;

// The player's options at one view, as expected score change per point of stake.
struct Choice {
    Action best = Action::Stop;
    double value = 0.0;  // of the best action
    double stop = 0.0;
    double draw = 0.0;  // meaningful only when canDraw
    bool canDraw = false;
};

// The deck a round starts from when these card ids are already gone from it. As at
// START in the game, a new full deck is used when fewer than two cards would remain
// or when the wild card is among them (it was seen in an earlier round); `note` then
// says so. Ids outside 1..40 or named twice make `error` non-empty.
KindCounts StartingDeck(const std::vector<int>& goneIds, std::string& note, std::string& error);

class OddsSolver {
public:
    // deck: the cards in the deck when the round starts (FullDeckCounts for a new one),
    // as far as the player knows: at least two. unseenDealt of them were in fact dealt
    // in earlier rounds of this deck and never shown; each is one of the unseen cards
    // other than the wild card (had it been dealt, the round would use a new deck).
    // cancelAllowed: false at a table without CANCEL; the best play then only stops or draws.
    explicit OddsSolver(const KindCounts& deck, int unseenDealt = 0, bool cancelAllowed = true);

    const KindCounts& Deck() const { return deck; }
    // The chance that the player's first card is of this kind.
    double FirstCardChance(int kind) const;

    static bool CanDraw(const PlayerView& view) { return HandValue(view.hand.cards) < kBest; }
    static bool IsBust(const PlayerHand& hand) { return HandValue(hand.cards) > kBest; }

    // The expected result of STOP, and the best play, per point of stake.
    double StopValue(const PlayerView& view);
    Choice Best(const PlayerView& view);
    Action BestAction(const PlayerView& view) { return Best(view).best; }
    // The best stake once the first card is seen, and the expected score change then.
    int BestStake(int firstKind);
    double FirstCardValue(int firstKind);  // per point of stake, best play
    // Expected score change of a whole round (all first cards), best play, at a fixed
    // stake or with the best stake for each first card.
    double RoundValueAtStake(int stake);
    double RoundValueBestStake();

    // Any policy played at a fixed stake, valued exactly, per point of stake.
    double PolicyValue(const Policy& policy);
    double PolicyFirstCardValue(const Policy& policy, int firstKind);

    // The best play as a lookup table over ReachableViews, quick enough for simulation.
    // A view outside the table (not reachable from this deck) stops.
    Policy BestPolicy();

    // Each card the player may draw next, with its chance and the view after it.
    void ForEachDraw(const PlayerView& view,
                     const std::function<void(double chance, const PlayerView& next)>& visit) const;
    // Every view at which the player has a decision to make, under any play.
    std::vector<PlayerView> ReachableViews() const;

private:
    using Memo = std::unordered_map<std::uint64_t, double>;
    double Value(const PlayerView& view, const Policy* policy, Memo& memo);
    double ValueAfter(const PlayerView& next, const Policy* policy, Memo& memo);
    double DrawValue(const PlayerView& view, const Policy* policy, Memo& memo);
    double DealerLosesChance(const PlayerView& view);
    double DealerLoses(KindCounts dealer, bool refilled);
    KindCounts CardsLeft(const KindCounts& dealer, bool refilled) const;
    std::array<double, kKindCount> DealerCardChances(const PlayerView& view) const;

    KindCounts deck;
    int unseenDealt;
    bool cancelAllowed;
    Memo optimal;
    Memo stopChances;

    // The hand the dealer plays against, while one STOP is being valued.
    struct Showdown {
        KindCounts player{};
        int playerValue = 0;
        int shown = 0;
        bool wildShown = false;
    } showdown;
    std::vector<double> dealerMemo;
    std::vector<std::uint32_t> dealerMemoStamp;
    std::uint32_t stamp = 0;
};

}  // namespace Odds
}  // namespace DoDadu
