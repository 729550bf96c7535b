#include "HintAdvisor.h"

#include "Cards.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace DoDadu {

using namespace Odds;

std::optional<ClassicPosition> PositionOf(const ClassicTableSight& sight) {
    const int handSize = static_cast<int>(sight.hand.size());
    if (handSize == 0 || sight.unseenBefore < 0 || sight.handAtRefill < 0 || sight.handAtRefill > handSize)
        return std::nullopt;
    // Each card once, except that cards seen before a refill are back in the deck.
    enum Mark { None, Seen, Held };
    std::vector<Mark> marks(kCardCount + 1, None);
    auto take = [&marks](int id, Mark mark, bool refilled) {
        if (id < 1 || id > kCardCount || marks[id] == Held || (marks[id] == Seen && !refilled)) return false;
        marks[id] = mark;
        return true;
    };

    // The deck the round started from, as far as the player knows it.
    KindCounts start = FullDeckCounts();
    for (int id : sight.seenBefore) {
        if (!take(id, Seen, false)) return std::nullopt;
        --start[KindOf(id)];
    }
    PlayerView view;
    for (int i = 0; i < handSize; ++i) {
        const int id = sight.hand[static_cast<std::size_t>(i)];
        const bool beforeRefill = sight.handAtRefill == 0 || i < sight.handAtRefill;
        if (!take(id, Held, !beforeRefill)) return std::nullopt;
        view.hand = i == 0 ? FirstCard(KindOf(id)) : WithCard(view.hand, KindOf(id));
        if (sight.handAtRefill > 0 && beforeRefill) ++view.handAtRefill[KindOf(id)];
    }
    // The deck held the player's cards before a refill, the dealer's card and the
    // unseen cards dealt earlier; a refill came when only the last two were left.
    const int unseen = CardTotal(start) - (sight.handAtRefill > 0 ? sight.handAtRefill : handSize);
    if (sight.handAtRefill > 0 ? unseen != sight.unseenBefore + 1 : unseen < sight.unseenBefore + 1)
        return std::nullopt;
    if (OddsSolver::IsBust(view.hand)) return std::nullopt;
    if (sight.handAtRefill > 0 && sight.unseenBefore == 0) {
        // The one card left unseen at the refill is the dealer's.
        for (int k = 0; k < kKindCount; ++k)
            if (start[k] > view.handAtRefill[k]) view.knownDealerCard = k;
        view.handAtRefill = KindCounts{};
    } else {
        view.refilledUnseen = sight.handAtRefill > 0;
    }

    return ClassicPosition{start, sight.unseenBefore, view};
}

std::optional<Hint> HintAdvisor::Advise(const ClassicTableSight& sight, int stake) {
    const std::optional<ClassicPosition> position = stake < 0 ? std::nullopt : PositionOf(sight);
    if (!position) return std::nullopt;
    if (!solver || deck != position->start || unseenDealt != position->unseenDealt) {
        solver.emplace(position->start, position->unseenDealt);
        deck = position->start;
        unseenDealt = position->unseenDealt;
    }
    const Choice choice = solver->Best(position->view);
    Hint hint;
    hint.stop = choice.stop * stake;
    hint.canDraw = choice.canDraw;
    hint.draw = choice.canDraw ? choice.draw * stake : 0.0;
    const int penalty = stake / 2;  // CANCEL pays half the stake, rounded down
    hint.cancel = -static_cast<double>(penalty);
    hint.best = Action::Stop;
    double best = hint.stop;
    if (hint.canDraw && hint.draw > best) {
        hint.best = Action::Draw;
        best = hint.draw;
    }
    if (hint.cancel > best) hint.best = Action::Cancel;
    return hint;
}

std::string SignedChange(double change, GroupedNumberFormatter& grouped) {
    const long long points = std::llround(change);
    if (points == 0) return "0";
    return (points > 0 ? "+" : "\xE2\x88\x92") + grouped.Format(points > 0 ? points : -points);
}

std::string HintSentence(const Hint& hint, const TextSource& texts, GroupedNumberFormatter& grouped) {
    unsigned best = TextIds::kButtonStop;
    if (hint.best == Action::Draw) best = TextIds::kButtonGetCard;
    if (hint.best == Action::Cancel) best = TextIds::kButtonCancel;
    return FillPlaceholders(texts.Text(hint.canDraw ? TextIds::kHint : TextIds::kHintNoCard),
                            {{"best", texts.Text(best)},
                             {"stop", SignedChange(hint.stop, grouped)},
                             {"draw", SignedChange(hint.draw, grouped)},
                             {"cancel", SignedChange(hint.cancel, grouped)}});
}

}  // namespace DoDadu
