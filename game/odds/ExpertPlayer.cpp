#include "ExpertPlayer.h"

#include "Cards.h"
#include "ComputerPlayers.h"
#include "HintAdvisor.h"

#include <algorithm>

namespace DoDadu {

using namespace Odds;

namespace {

bool IsCard(int id) { return id >= 1 && id <= kCardCount; }

// A standing seat, not the looker's nor the bank's, whose 7.5 turned its covered card up.
bool ShowsCovered(const RoundSight& sight, std::size_t i) {
    const SeenSeat& seat = sight.seats[i];
    const int index = static_cast<int>(i);
    return index != sight.self && index != sight.bank && seat.status == SeatStatus::Standing &&
           !seat.cards.empty() && IsCard(seat.cards.front());
}

// The cards the looker cannot see, by kind: the deck the round began with (or, after it
// ran dry, every card but those dealt before) less every card of this round the looker
// can see. A covered card shown by a 7.5 stays among them: the models weigh it as a
// covered card that can be one kind only (StandingOthers). None when the sight names a
// card out of range or more of a kind than exist.
std::optional<KindCounts> UnseenBy(const RoundSight& sight) {
    const bool wild = sight.rules.wildCard;
    KindCounts unseen{};
    for (int id = 1; id <= kCardCount; ++id) ++unseen[KindUnder(id, wild)];
    if (sight.dealtBeforeRefill < 0) {
        for (int id : sight.seenBefore) {
            if (!IsCard(id)) return std::nullopt;
            --unseen[KindUnder(id, wild)];
        }
    }
    for (const DealtCard& card : sight.dealt) {
        if (card.card == 0) continue;
        if (!IsCard(card.card)) return std::nullopt;
        --unseen[KindUnder(card.card, wild)];
    }
    for (std::size_t i = 0; i < sight.seats.size(); ++i)
        if (ShowsCovered(sight, i)) ++unseen[KindUnder(sight.seats[i].cards.front(), wild)];
    if (std::any_of(unseen.begin(), unseen.end(), [](int n) { return n < 0; })) return std::nullopt;
    return unseen;
}

std::vector<int> FaceUpKinds(const SeenSeat& seat, bool wild) {
    std::vector<int> kinds;
    for (std::size_t i = 1; i < seat.cards.size(); ++i)
        if (IsCard(seat.cards[i])) kinds.push_back(KindUnder(seat.cards[i], wild));
    return kinds;
}

// The seats other than the looker and the bank standing now, as the bank sees them;
// and the best total they show.
std::vector<StandingHand> StandingOthers(const RoundSight& sight, const KindCounts& unseen, int& bestShown) {
    std::vector<StandingHand> hands;
    bestShown = -1;
    for (std::size_t i = 0; i < sight.seats.size(); ++i) {
        const SeenSeat& seat = sight.seats[i];
        const int index = static_cast<int>(i);
        if (index == sight.self || index == sight.bank || seat.status != SeatStatus::Standing) continue;
        StandingHand hand;
        const std::vector<int> kinds = FaceUpKinds(seat, sight.rules.wildCard);
        for (int kind : kinds) ++hand.faceUp[kind];
        hand.faceUpCards = static_cast<int>(kinds.size());
        hand.canBe = CoveredCanBe(kinds, unseen);
        int shown = PlainSum(hand.faceUp);
        if (ShowsCovered(sight, i)) {
            const int covered = KindUnder(seat.cards.front(), sight.rules.wildCard);
            hand.canBe = KindWeights{};
            hand.canBe[covered] = 1.0;
            shown += kHalfPoints[covered];
        }
        hand.stake = seat.stake;
        bestShown = std::max(bestShown, shown);
        hands.push_back(hand);
    }
    return hands;
}

// The careful and the bold bank's thresholds; a person's bank is modelled as the expert.
BankRule RuleOf(const SeenSeat& bank) {
    BankRule rule;
    rule.expert = bank.kind != SeatKind::Computer || bank.style == PlayStyle::Expert;
    if (rule.expert) return rule;
    const Thresholds& bankOf = bank.style == PlayStyle::Bold ? kBoldThresholds : kCarefulThresholds;
    rule.standFrom = bankOf.bankStandFrom;
    rule.chaseLimit = bankOf.bankChaseLimit;
    return rule;
}

bool InTurn(const RoundSight& sight) {
    return sight.self >= 0 && static_cast<std::size_t>(sight.self) < sight.seats.size() && sight.bank >= 0 &&
           static_cast<std::size_t>(sight.bank) < sight.seats.size() && !sight.Hand().empty();
}

}  // namespace

std::optional<Choice> ExpertPlayer::ClassicOptions(const SeatSight& sight) {
    ClassicTableSight classicSight;
    classicSight.hand = sight.Hand();
    if (sight.dealtBeforeRefill < 0) {
        classicSight.seenBefore = sight.seenBefore;
    } else {
        classicSight.seenBefore = sight.seenBefore;
        for (int i = 0; i < sight.dealtBeforeRefill && i < static_cast<int>(sight.dealt.size()); ++i)
            if (sight.dealt[static_cast<std::size_t>(i)].seat == sight.self) ++classicSight.handAtRefill;
    }
    const std::optional<ClassicPosition> position = PositionOf(classicSight);
    if (!position || position->unseenDealt != 0) return std::nullopt;
    if (!classic || classicDeck != position->start) {
        classic.emplace(position->start, 0, false);
        classicDeck = position->start;
    }
    return classic->Best(position->view);
}

namespace {

// Everything of a sight the seat's options depend on.
std::vector<long long> KeyOf(const RoundSight& sight) {
    const HouseRules& rules = sight.rules;
    std::vector<long long> key{sight.self,
                               sight.bank,
                               sight.dealtBeforeRefill,
                               rules.wildCard,
                               rules.classicTable,
                               static_cast<int>(rules.doublePay),
                               rules.royalSevenAndHalf,
                               rules.minStake};
    for (const SeenSeat& seat : sight.seats) {
        key.insert(key.end(), {static_cast<int>(seat.status), seat.stake, static_cast<int>(seat.kind),
                               static_cast<int>(seat.style), static_cast<long long>(seat.cards.size())});
        key.insert(key.end(), seat.cards.begin(), seat.cards.end());
    }
    for (const DealtCard& card : sight.dealt) key.insert(key.end(), {card.seat, card.card});
    key.insert(key.end(), sight.seenBefore.begin(), sight.seenBefore.end());
    return key;
}

}  // namespace

std::optional<Choice> ExpertPlayer::Options(const SeatSight& sight) {
    std::vector<long long> key = KeyOf(sight);
    if (key != lastKey) {
        lastOptions = SolveOptions(sight);
        lastKey = std::move(key);
    }
    return lastOptions;
}

std::optional<Choice> ExpertPlayer::SolveOptions(const SeatSight& sight) {
    if (!InTurn(sight) || sight.self == sight.bank) return std::nullopt;
    if (sight.rules.classicTable) return ClassicOptions(sight);
    const std::optional<KindCounts> unseen = UnseenBy(sight);
    if (!unseen) return std::nullopt;
    const bool wild = sight.rules.wildCard;
    PlayerHand hand;
    for (std::size_t i = 0; i < sight.Hand().size(); ++i) {
        const int kind = KindUnder(sight.Hand()[i], wild);
        hand = i == 0 ? FirstCard(kind) : WithCard(hand, kind);
    }
    if (HandValue(hand.cards) > kBest) return std::nullopt;

    SeatTable table;
    table.unseen = *unseen;
    table.others = StandingOthers(sight, *unseen, table.othersShown);
    const SeenSeat& self = sight.seats[static_cast<std::size_t>(sight.self)];
    table.stake = std::max(self.stake, sight.rules.minStake);
    table.rules = sight.rules;
    table.bank = RuleOf(sight.seats[static_cast<std::size_t>(sight.bank)]);
    return SeatOdds(table).Best(hand);
}

int ExpertPlayer::Stake(const SeatSight& sight) {
    const HouseRules& rules = sight.rules;
    const std::optional<Choice> choice = Options(sight);
    const std::int64_t chips = InTurn(sight) ? sight.seats[static_cast<std::size_t>(sight.self)].chips : 0;
    // Every outcome moves the chips in proportion to the stake.
    const int wish = choice && choice->value > 0.0 ? rules.maxStake : rules.minStake;
    return rules.StakeWithin(wish, chips);
}

bool ExpertPlayer::Draws(const SeatSight& sight) {
    const std::optional<Choice> choice = Options(sight);
    return choice && choice->best == Action::Draw;
}

std::optional<SeatHint> ExpertPlayer::Advise(const SeatSight& sight) {
    const std::optional<Choice> choice = Options(sight);
    if (!choice) return std::nullopt;
    const double stake =
        std::max(sight.seats[static_cast<std::size_t>(sight.self)].stake, sight.rules.minStake);
    SeatHint hint;
    hint.best = choice->best == Action::Draw ? Action::Draw : Action::Stop;
    hint.stop = choice->stop * stake;
    hint.canDraw = choice->canDraw;
    hint.draw = choice->canDraw ? choice->draw * stake : 0.0;
    return hint;
}

std::optional<BankTable> BankTableOf(const RoundSight& sight, KindCounts& bank) {
    if (!InTurn(sight)) return std::nullopt;
    const std::optional<KindCounts> unseen = UnseenBy(sight);
    if (!unseen) return std::nullopt;
    BankTable table;
    int shown = 0;
    table.seats = StandingOthers(sight, *unseen, shown);
    table.rules = sight.rules;
    bank = KindCounts{};
    for (int id : sight.Hand()) ++bank[KindUnder(id, sight.rules.wildCard)];
    table.cards = *unseen;
    for (int k = 0; k < kKindCount; ++k) table.cards[k] += bank[k];
    return table;
}

std::optional<BankChoice> ExpertPlayer::BankOptions(const BankSight& sight) {
    KindCounts bank{};
    const std::optional<BankTable> table = sight.self == sight.bank ? BankTableOf(sight, bank) : std::nullopt;
    if (!table) return std::nullopt;
    if (CoveredWays(*table) <= kExactBankWays) return ExactBankChoice(*table, bank);
    bankOdds.Reset(*table);
    return bankOdds.Choose(bank);
}

bool ExpertPlayer::BankDraws(const BankSight& sight) {
    const std::optional<BankChoice> choice = BankOptions(sight);
    return choice && choice->Draws();
}

}  // namespace DoDadu
