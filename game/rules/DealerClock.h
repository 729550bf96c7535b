#pragma once
#include <cstdint>

namespace DoDadu {

// The local wall-clock time that paces the dealer, in milliseconds on a continuous
// scale (only differences matter). Local time can jump, forwards and backwards.
class DealerClock {
public:
    virtual ~DealerClock() = default;
    // False when the current time cannot be read.
    virtual bool LocalMilliseconds(std::int64_t& now) = 0;
};

}  // namespace DoDadu
