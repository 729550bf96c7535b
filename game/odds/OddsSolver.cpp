#include "OddsSolver.h"

#include "Cards.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

namespace DoDadu {
namespace Odds {
namespace {

// Five bits per kind: no kind has more than 31 cards.
std::uint64_t PackCards(const KindCounts& cards) {
    std::uint64_t key = 0;
    for (int n : cards) key = key << 5 | static_cast<std::uint64_t>(n);
    return key;
}

KindCounts Minus(KindCounts from, const KindCounts& taken) {
    for (int k = 0; k < kKindCount; ++k) from[k] -= taken[k];
    return from;
}

// The dealer draws only below 7.5, so a drawing hand holds at most four aces, three
// twos, two threes, one four to seven, every plain figure and the wild card. Those
// hands get a slot each in a flat table; any other hand gets none.
constexpr int kDrawingCaps[kKindCount] = {4, 3, 2, 1, 1, 1, 1, 11, 1};
constexpr int kDrawingHandSlots = 5 * 4 * 3 * 2 * 2 * 2 * 2 * 12 * 2 * 2;

int DrawingHandSlot(const KindCounts& dealer, bool refilled) {
    int slot = refilled ? 1 : 0;
    for (int k = 0; k < kKindCount; ++k) {
        if (dealer[k] > kDrawingCaps[k]) return -1;
        slot = slot * (kDrawingCaps[k] + 1) + dealer[k];
    }
    return slot;
}

// The same caps hold for a player's hand that is not bust: 15 bits tell them apart.
std::uint64_t HandSlot(const KindCounts& hand) {
    return static_cast<std::uint64_t>(DrawingHandSlot(hand, false));
}

// The chance, times the number of unseen cards, that the next card dealt is of each
// kind. With unseen cards already dealt, the wild card is not among those: while it is
// unseen it is among the cards still in play, and comes that much sooner.
std::array<double, kKindCount> DealChances(const KindCounts& unseen, int unseenDealt) {
    std::array<double, kKindCount> chances{};
    for (int k = 0; k < kKindCount; ++k) chances[k] = unseen[k];
    if (unseenDealt == 0 || unseen[Wild] == 0) return chances;
    const int total = CardTotal(unseen);
    const int inPlay = total - unseenDealt;
    const double others =
        static_cast<double>(total) * (inPlay - 1) / (static_cast<double>(inPlay) * (total - 1));
    for (int k = 0; k < kKindCount; ++k)
        chances[k] = k == Wild ? static_cast<double>(total) / inPlay : unseen[k] * others;
    return chances;
}

}  // namespace

std::uint64_t ViewKey(const PlayerView& view) {
    if (view.refilledUnseen)
        return 1ULL << 63 | HandSlot(view.hand.cards) | HandSlot(view.handAtRefill) << 15 |
               static_cast<std::uint64_t>(view.hand.covered) << 30;
    return PackCards(view.hand.cards) | static_cast<std::uint64_t>(view.hand.covered) << 45 |
           static_cast<std::uint64_t>(view.knownDealerCard + 1) << 49;
}

KindCounts StartingDeck(const std::vector<int>& goneIds, std::string& note, std::string& error) {
    KindCounts deck = FullDeckCounts();
    std::vector<bool> gone(kCardCount + 1, false);
    for (int id : goneIds) {
        if (id < 1 || id > kCardCount) {
            error = "card id " + std::to_string(id) + " is not between 1 and 40";
            return FullDeckCounts();
        }
        if (gone[id]) {
            error = "card id " + std::to_string(id) + " is named twice";
            return FullDeckCounts();
        }
        gone[id] = true;
        --deck[KindOf(id)];
    }
    if (gone[kWildCard]) {
        note = "the wild card was dealt, so the round starts with a new deck";
        return FullDeckCounts();
    }
    if (CardTotal(deck) < 2) {
        note = "fewer than 2 cards are left, so the round starts with a new deck";
        return FullDeckCounts();
    }
    return deck;
}

const char* ActionName(Action action) {
    switch (action) {
        case Action::Stop: return "stop";
        case Action::Draw: return "draw";
        case Action::Cancel: return "cancel";
    }
    return "?";
}

OddsSolver::OddsSolver(const KindCounts& deck, int unseenDealt, bool cancelAllowed)
    : deck(deck),
      unseenDealt(unseenDealt),
      cancelAllowed(cancelAllowed),
      dealerMemo(kDrawingHandSlots),
      dealerMemoStamp(kDrawingHandSlots, 0) {}

double OddsSolver::FirstCardChance(int kind) const {
    return static_cast<double>(deck[kind]) / CardTotal(deck);
}

// After a refill with unseen cards dealt: the chance that the dealer's covered card is
// of each kind. It was one of the cards unseen at the refill, the wild card if that was
// among them; each card the player has drawn since from the refilled deck makes the
// dealer's holding one of its kind a little more likely (fewer of them were left to draw).
std::array<double, kKindCount> OddsSolver::DealerCardChances(const PlayerView& view) const {
    const KindCounts full = FullDeckCounts();
    const KindCounts unseen = Minus(deck, view.handAtRefill);
    std::array<double, kKindCount> chances{};
    double sum = 0.0;
    for (int d = 0; d < kKindCount; ++d) {
        if (unseen[d] == 0 || (unseen[Wild] > 0 && d != Wild)) continue;
        chances[d] = static_cast<double>(unseen[d]) * (full[d] - view.hand.cards[d]) /
                     (full[d] - view.handAtRefill[d]);
        sum += chances[d];
    }
    for (double& chance : chances) chance = sum > 0.0 ? chance / sum : 0.0;
    return chances;
}

void OddsSolver::ForEachDraw(const PlayerView& view,
                             const std::function<void(double, const PlayerView&)>& visit) const {
    if (view.refilledUnseen) {
        // The refilled deck holds every card outside the hands.
        const std::array<double, kKindCount> dealer = DealerCardChances(view);
        const KindCounts outside = Minus(FullDeckCounts(), view.hand.cards);
        const int total = CardTotal(outside) - 1;
        for (int k = 0; k < kKindCount; ++k) {
            double chance = 0.0;
            for (int d = 0; d < kKindCount; ++d) chance += dealer[d] * (outside[k] - (d == k ? 1 : 0));
            if (chance <= 0.0) continue;
            PlayerView next = view;
            next.hand = WithCard(view.hand, k);
            visit(chance / total, next);
        }
        return;
    }
    int known = view.knownDealerCard;
    KindCounts unseen = Minus(known == kNoCard ? deck : FullDeckCounts(), view.hand.cards);
    if (known == kNoCard && CardTotal(unseen) == 1 + unseenDealt) {
        // The deck has run dry: it is refilled with every card outside the hands.
        if (unseenDealt > 0) {
            PlayerView refilled{view.hand, kNoCard, true, view.hand.cards};
            ForEachDraw(refilled, visit);
            return;
        }
        // Only the dealer's covered card was left: the player now knows it.
        known = static_cast<int>(std::find(unseen.begin(), unseen.end(), 1) - unseen.begin());
        unseen = Minus(FullDeckCounts(), view.hand.cards);
    }
    if (known != kNoCard) --unseen[known];
    int total = CardTotal(unseen);
    const std::array<double, kKindCount> chances = DealChances(unseen, known == kNoCard ? unseenDealt : 0);
    for (int k = 0; k < kKindCount; ++k) {
        if (unseen[k] == 0) continue;
        PlayerView next{WithCard(view.hand, k), known};
        visit(chances[k] / total, next);
    }
}

double OddsSolver::StopValue(const PlayerView& view) { return 2.0 * DealerLosesChance(view) - 1.0; }

double OddsSolver::DealerLosesChance(const PlayerView& view) {
    if (view.refilledUnseen) {
        const std::array<double, kKindCount> dealer = DealerCardChances(view);
        double chance = 0.0;
        for (int d = 0; d < kKindCount; ++d)
            if (dealer[d] > 0.0) chance += dealer[d] * DealerLosesChance(PlayerView{view.hand, d});
        return chance;
    }
    Showdown against{view.hand.cards, HandValue(view.hand.cards), ShownValue(view.hand),
                     ShowsWildCard(view.hand)};
    std::uint64_t key = PackCards(against.player) | static_cast<std::uint64_t>(against.shown) << 45 |
                        static_cast<std::uint64_t>(against.wildShown) << 50 |
                        static_cast<std::uint64_t>(view.knownDealerCard + 1) << 51;
    auto found = stopChances.find(key);
    if (found != stopChances.end()) return found->second;

    showdown = against;
    ++stamp;
    double chance = 0.0;
    if (view.knownDealerCard != kNoCard) {
        KindCounts dealer{};
        dealer[view.knownDealerCard] = 1;
        chance = DealerLoses(dealer, true);
    } else {
        // The covered card is any card the player has not seen (dealt as DealChances says).
        KindCounts unseen = Minus(deck, view.hand.cards);
        int total = CardTotal(unseen);
        const std::array<double, kKindCount> chances = DealChances(unseen, unseenDealt);
        for (int k = 0; k < kKindCount; ++k) {
            if (unseen[k] == 0) continue;
            KindCounts dealer{};
            dealer[k] = 1;
            chance += chances[k] * DealerLoses(dealer, false);
        }
        chance /= total;
    }
    stopChances.emplace(key, chance);
    return chance;
}

KindCounts OddsSolver::CardsLeft(const KindCounts& dealer, bool refilled) const {
    return Minus(Minus(refilled ? FullDeckCounts() : deck, showdown.player), dealer);
}

// The chance that the player wins once the dealer holds these cards.
double OddsSolver::DealerLoses(KindCounts dealer, bool refilled) {
    int value = HandValue(dealer);
    if (value > kBest) return 1.0;
    if (DealerStops(value, showdown.shown, showdown.wildShown))
        return showdown.playerValue > value ? 1.0 : 0.0;

    int slot = DrawingHandSlot(dealer, refilled);
    if (slot >= 0 && dealerMemoStamp[slot] == stamp) return dealerMemo[slot];
    KindCounts left = CardsLeft(dealer, refilled);
    if (!refilled && CardTotal(left) == unseenDealt) {
        refilled = true;
        left = CardsLeft(dealer, refilled);
    }
    int total = CardTotal(left);
    const std::array<double, kKindCount> chances = DealChances(left, refilled ? 0 : unseenDealt);
    double chance = 0.0;
    for (int k = 0; k < kKindCount; ++k) {
        if (left[k] == 0) continue;
        ++dealer[k];
        chance += chances[k] * DealerLoses(dealer, refilled);
        --dealer[k];
    }
    chance = total > 0 ? chance / total : 0.0;
    if (slot >= 0) {
        dealerMemo[slot] = chance;
        dealerMemoStamp[slot] = stamp;
    }
    return chance;
}

double OddsSolver::ValueAfter(const PlayerView& next, const Policy* policy, Memo& memo) {
    return IsBust(next.hand) ? -1.0 : Value(next, policy, memo);
}

double OddsSolver::DrawValue(const PlayerView& view, const Policy* policy, Memo& memo) {
    double value = 0.0;
    ForEachDraw(view, [&](double chance, const PlayerView& next) {
        value += chance * ValueAfter(next, policy, memo);
    });
    return value;
}

double OddsSolver::Value(const PlayerView& view, const Policy* policy, Memo& memo) {
    std::uint64_t key = ViewKey(view);
    auto found = memo.find(key);
    if (found != memo.end()) return found->second;
    double value;
    if (policy) {
        Action action = (*policy)(view);
        if (action == Action::Cancel)
            value = -0.5;
        else if (action == Action::Draw && CanDraw(view))
            value = DrawValue(view, policy, memo);
        else
            value = StopValue(view);
    } else {
        value = cancelAllowed ? std::max(StopValue(view), -0.5) : StopValue(view);
        if (CanDraw(view)) value = std::max(value, DrawValue(view, nullptr, memo));
    }
    memo.emplace(key, value);
    return value;
}

Choice OddsSolver::Best(const PlayerView& view) {
    Choice choice;
    choice.stop = StopValue(view);
    choice.canDraw = CanDraw(view);
    if (choice.canDraw) choice.draw = DrawValue(view, nullptr, optimal);
    choice.best = Action::Stop;
    choice.value = choice.stop;
    if (choice.canDraw && choice.draw > choice.value) {
        choice.best = Action::Draw;
        choice.value = choice.draw;
    }
    if (cancelAllowed && -0.5 > choice.value) {
        choice.best = Action::Cancel;
        choice.value = -0.5;
    }
    return choice;
}

double OddsSolver::FirstCardValue(int firstKind) {
    return Value(PlayerView{FirstCard(firstKind)}, nullptr, optimal);
}

int OddsSolver::BestStake(int firstKind) {
    // Every outcome, CANCEL included, moves the score in proportion to the stake.
    return FirstCardValue(firstKind) > 0.0 ? kHighestStake : kLowestStake;
}

double OddsSolver::RoundValueAtStake(int stake) {
    double value = 0.0;
    for (int k = 0; k < kKindCount; ++k)
        if (deck[k] > 0) value += FirstCardChance(k) * stake * FirstCardValue(k);
    return value;
}

double OddsSolver::RoundValueBestStake() {
    double value = 0.0;
    for (int k = 0; k < kKindCount; ++k)
        if (deck[k] > 0) value += FirstCardChance(k) * BestStake(k) * FirstCardValue(k);
    return value;
}

double OddsSolver::PolicyFirstCardValue(const Policy& policy, int firstKind) {
    Memo memo;
    return Value(PlayerView{FirstCard(firstKind)}, &policy, memo);
}

double OddsSolver::PolicyValue(const Policy& policy) {
    Memo memo;
    double value = 0.0;
    for (int k = 0; k < kKindCount; ++k)
        if (deck[k] > 0) value += FirstCardChance(k) * Value(PlayerView{FirstCard(k)}, &policy, memo);
    return value;
}

Policy OddsSolver::BestPolicy() {
    auto actions = std::make_shared<std::unordered_map<std::uint64_t, Action>>();
    for (const PlayerView& view : ReachableViews()) actions->emplace(ViewKey(view), BestAction(view));
    return [actions](const PlayerView& view) {
        auto found = actions->find(ViewKey(view));
        return found == actions->end() ? Action::Stop : found->second;
    };
}

std::vector<PlayerView> OddsSolver::ReachableViews() const {
    std::vector<PlayerView> views;
    std::unordered_set<std::uint64_t> seen;
    std::function<void(const PlayerView&)> visit = [&](const PlayerView& view) {
        if (IsBust(view.hand) || !seen.insert(ViewKey(view)).second) return;
        views.push_back(view);
        if (CanDraw(view)) ForEachDraw(view, [&](double, const PlayerView& next) { visit(next); });
    };
    for (int k = 0; k < kKindCount; ++k)
        if (deck[k] > 0) visit(PlayerView{FirstCard(k)});
    return views;
}

}  // namespace Odds
}  // namespace DoDadu
