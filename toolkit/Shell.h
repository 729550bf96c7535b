// Handing addresses to the system shell, which opens them in the user's browser or mail
// program.
#pragma once

#include <string>

namespace NeloUtility {

// Opens a web or "mailto:" address with the program the user chose for it; true when the
// shell accepted the request. The address is widened byte by byte.
bool OpenWithShell(const std::string& address);

}  // namespace NeloUtility
