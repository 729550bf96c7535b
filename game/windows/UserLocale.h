#pragma once
#ifdef _WIN32
#include <locale>

namespace DoDadu {

// The user's default digit grouping (LOCALE_STHOUSAND and LOCALE_SGROUPING), as a
// locale for the score and the stake. The runtime cannot build the user's locale by
// name, so it is put together from the system's own settings. Falls back to no
// grouping when the settings cannot be read.
std::locale UserNumberLocale();

}  // namespace DoDadu
#endif
