// The table's statistics box: the rounds' figures in the player's language and with the
// table's digit grouping, and a reset that keeps the score.
#pragma once

#include "GameTexts.h"
#include "NumberText.h"
#include "Round.h"

#include "FormStatistics.h"

#include <vector>

namespace DoDadu {

// The box's lines, top to bottom: rounds, won, lost, busts, abandoned, the share won
// (a whole percentage; 0 before the first round), the best score and both streaks.
std::vector<NeloUtility::Figure> StatisticsFigures(const RoundStats& stats, const TextSource& texts,
                                                   GroupedNumberFormatter& grouped);

// A new box over the owner, shown at once and modal to it. Its reset clears the round's
// statistics (the score stays) after the player answers Yes.
NeloUtility::FormStatistics* OpenStatistics(NeloUtility::Form& owner, Round& round, const TextSource& texts);

}  // namespace DoDadu
