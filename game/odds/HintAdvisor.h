#pragma once
// The hint of the player's turn: the best of STOP, GET CARD and CANCEL, from the exact
// odds of what the player has seen.
#include "GameTexts.h"
#include "NumberText.h"
#include "OddsSolver.h"
#include "ClassicTableSight.h"

#include <optional>
#include <string>

namespace DoDadu {

// Each action's expected change of the score at the stake, with best play after it.
struct Hint {
    Odds::Action best = Odds::Action::Stop;
    double stop = 0.0;
    double draw = 0.0;  // meaningful only when canDraw
    double cancel = 0.0;
    bool canDraw = false;
};

// The player's turn as the odds see it: the deck the round started from as far as the
// player knows it, the cards dealt from it unseen, and the player's view.
struct ClassicPosition {
    Odds::KindCounts start{};
    int unseenDealt = 0;
    Odds::PlayerView view;
};
// None for no cards, a bust hand, or a sight no deck can give (a card out of range or
// seen twice, more cards than a deck holds).
std::optional<ClassicPosition> PositionOf(const ClassicTableSight& sight);

class HintAdvisor {
public:
    // The hint for the player's turn the sight describes, at this stake. None when
    // there is nothing to advise: no cards, a bust hand, or a sight no deck can give
    // (a card out of range or seen twice, more cards than a deck holds).
    std::optional<Hint> Advise(const ClassicTableSight& sight, int stake);

private:
    // The odds of the deck as the player knows it at the start of the round, kept for
    // the next hint of the same round.
    std::optional<Odds::OddsSolver> solver;
    Odds::KindCounts deck{};
    int unseenDealt = 0;
};

// An expected change of the score as a hint shows it: rounded to a whole point, grouped,
// with its sign: "+120", "−45" (a true minus sign), "0".
std::string SignedChange(double change, GroupedNumberFormatter& grouped);

// The hint in the table's words, its figures after a line break:
// "Hint: STOP.\nExpected: STOP +120, GET CARD −45, CANCEL −250."
// GET CARD is left out when no card can be drawn.
std::string HintSentence(const Hint& hint, const TextSource& texts, GroupedNumberFormatter& grouped);

}  // namespace DoDadu
