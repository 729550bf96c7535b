#pragma once
#ifdef _WIN32
#include <string>

namespace DoDadu {

// The names Windows knows the signed-in user by, as UTF-8; empty where Windows has none.
struct WindowsUserNames {
    std::string display;  // the full name ("Anna Rossi", "Rossi, Anna"), from secur32
    std::string signIn;   // the account's name ("anna")
};

// Asked when a new evening is set up. secur32 is loaded then, not at start-up.
WindowsUserNames CurrentUserNames();

}  // namespace DoDadu
#endif
