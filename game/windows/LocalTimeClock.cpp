#include "LocalTimeClock.h"

#include <windows.h>

namespace DoDadu {

bool LocalTimeClock::LocalMilliseconds(std::int64_t& now) {
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME stamp;
    if (!SystemTimeToFileTime(&local, &stamp)) return false;  // the dealer waits for a time it can read
    ULARGE_INTEGER ticks;                                     // 100-ns units
    ticks.LowPart = stamp.dwLowDateTime;
    ticks.HighPart = stamp.dwHighDateTime;
    now = static_cast<std::int64_t>(ticks.QuadPart / 10000);
    return true;
}

}  // namespace DoDadu
