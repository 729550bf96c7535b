#pragma once
#include "RoundSight.h"
#include "ServerMessages.h"

namespace DoDadu {

// The round as the view's seat sees it, in the engine's own terms: what the computer
// players and the hint take. It holds exactly what the view holds.
SeatSight SightOfView(const TableView& view);

}  // namespace DoDadu
