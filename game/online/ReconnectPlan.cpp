#include "ReconnectPlan.h"

#include <algorithm>

namespace DoDadu {

namespace {
const int kLongestWaitMs = 30000;
}  // namespace

int ReconnectPlan::NextDelay() {
    const int delay = tries == 0 ? 0 : std::min(1000 << std::min(tries - 1, 5), kLongestWaitMs);
    ++tries;
    return delay;
}

}  // namespace DoDadu
