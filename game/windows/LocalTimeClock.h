#pragma once
#include "DealerClock.h"

namespace DoDadu {

// GetLocalTime turned into a FILETIME count by SystemTimeToFileTime, in milliseconds.
class LocalTimeClock : public DealerClock {
public:
    bool LocalMilliseconds(std::int64_t& now) override;
};

}  // namespace DoDadu
