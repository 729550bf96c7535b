#include "SeatOdds.h"

#include <algorithm>

namespace DoDadu {
namespace Odds {
namespace {

KindCounts Minus(KindCounts from, const KindCounts& taken) {
    for (int k = 0; k < kKindCount; ++k) from[k] -= taken[k];
    return from;
}

std::uint64_t PackCards(const KindCounts& cards) {
    std::uint64_t key = 0;
    for (int n : cards) key = key << 5 | static_cast<std::uint64_t>(n);
    return key;
}

}  // namespace

SeatOdds::SeatOdds(const SeatTable& table)
    : table(table), outcomeMemo(kBankHandSlots), stamps(kBankHandSlots, 0) {}

Choice SeatOdds::Best(const PlayerHand& hand) {
    if (hand.cards != root) {
        root = hand.cards;
        memo.clear();
    }
    Choice choice;
    choice.stop = StopValue(hand);
    choice.canDraw = HandValue(hand.cards) < kBest && CardTotal(table.unseen) > 1;
    if (choice.canDraw) choice.draw = DrawValue(hand);
    choice.best = choice.canDraw && choice.draw > choice.stop ? Action::Draw : Action::Stop;
    choice.value = std::max(choice.stop, choice.canDraw ? choice.draw : choice.stop);
    return choice;
}

// The cards drawn since the root came out of the unseen ones.
KindCounts SeatOdds::UnseenAt(const PlayerHand& hand) const {
    return Minus(table.unseen, Minus(hand.cards, root));
}

double SeatOdds::Value(const PlayerHand& hand) {
    const std::uint64_t key = PackCards(hand.cards);
    auto found = memo.find(key);
    if (found != memo.end()) return found->second;
    double value = StopValue(hand);
    // A seat at 7.5 stands by itself.
    if (HandValue(hand.cards) < kBest && CardTotal(UnseenAt(hand)) > 1)
        value = std::max(value, DrawValue(hand));
    memo.emplace(key, value);
    return value;
}

double SeatOdds::DrawValue(const PlayerHand& hand) {
    const KindCounts unseen = UnseenAt(hand);
    const int total = CardTotal(unseen);
    double value = 0.0;
    for (int k = 0; k < kKindCount; ++k) {
        if (unseen[k] <= 0) continue;
        const PlayerHand next = WithCard(hand, k);
        value += unseen[k] * (HandValue(next.cards) > kBest ? -1.0 : Value(next));
    }
    return value / total;
}

double SeatOdds::StopValue(const PlayerHand& hand) {
    against.unseen = UnseenAt(hand);
    against.value = HandValue(hand.cards);
    against.cards = CardTotal(hand.cards);

    StandingHand self;
    self.faceUp = hand.cards;
    --self.faceUp[hand.covered];
    self.faceUpCards = CardTotal(self.faceUp);
    self.stake = table.stake;
    against.shown = std::max(table.othersShown, PlainSum(self.faceUp));
    if (table.bank.expert) {
        // The bank cannot see this seat's covered card either.
        KindCounts toBank = against.unseen;
        ++toBank[hand.covered];
        for (int c = 0; c < kKindCount; ++c) {
            KindCounts held = self.faceUp;
            ++held[c];
            self.canBe[c] = toBank[c] > 0 && HandValue(held) <= kBest ? 1.0 : 0.0;
        }
        BankTable bank{toBank, table.others, table.rules};
        bank.seats.push_back(self);
        bankOdds.Reset(bank);
    }
    ++stamp;
    const int total = CardTotal(against.unseen);
    if (total == 0) return against.value > 0 ? 1.0 : -1.0;
    double value = 0.0;
    for (int b = 0; b < kKindCount; ++b) {
        if (against.unseen[b] <= 0) continue;
        CountedHand bank;
        bank.Add(b);
        value += against.unseen[b] * Outcome(bank);
    }
    return value / total;
}

bool SeatOdds::BankDraws(const CountedHand& bank) {
    if (table.bank.expert) return bankOdds.Draws(bank.cards);
    const int points = bank.Value();
    return points < table.bank.standFrom || (points < table.bank.chaseLimit && points <= against.shown);
}

// The seat's result once the bank holds these cards, below 7.5 or at it.
double SeatOdds::Outcome(CountedHand& bank) {
    const int value = bank.Value();
    const int slot = BankHandSlot(bank.cards);
    if (slot >= 0 && stamps[slot] == stamp) return outcomeMemo[slot];
    const KindCounts left = Minus(against.unseen, bank.cards);
    const int total = CardTotal(left);
    double result = 0.0;
    if (value == kBest || total == 0 || !BankDraws(bank)) {
        result = table.rules.Settlement(against.value, against.cards, value, bank.size);
    } else {
        for (int k = 0; k < kKindCount; ++k) {
            if (left[k] <= 0) continue;
            if (bank.ValueWith(k) > kBest) {
                result += left[k] * table.rules.WinPays(against.value, against.cards);  // the bank busts
                continue;
            }
            bank.Add(k);
            result += left[k] * Outcome(bank);
            bank.Remove(k);
        }
        result /= total;
    }
    if (slot >= 0) {
        stamps[slot] = stamp;
        outcomeMemo[slot] = result;
    }
    return result;
}

}  // namespace Odds
}  // namespace DoDadu
