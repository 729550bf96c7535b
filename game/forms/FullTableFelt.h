// The full table's felt, painted on its form under the elements: the rim and the felt, a
// frame of light round the seat in turn, and each stake as a small pile of chips beside the
// seat's cards, all drawn for the table's scale; in the system's colours under high
// contrast.
#pragma once

#include "Form.h"

#include <vector>

namespace DoDadu {

class FullTableLayout;

// The felt and what lies on it, in the form's paint.
void PaintFelt(NeloUtility::Form& form, const FullTableLayout& layout);
// An area of the table's layout in the form's client pixels, where its elements stand.
RECT FeltPixels(const NeloUtility::Form& form, const RECT& units);
// The chips a stake is piled in, largest first: each as few as make the stake, and no more
// than a small pile holds.
std::vector<int> StakeChips(int stake);

}  // namespace DoDadu
