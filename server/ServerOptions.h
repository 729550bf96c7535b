#pragma once
#include "OnlineTable.h"

#include <optional>
#include <string>
#include <vector>

namespace DoDadu {

// zandro-server's command line.
struct ServerOptions {
    int port = -1;  // 0: any free port (printed)
    std::string cert, key;
    std::string stateFolder;
    bool insecureLocal = false;
    std::string bind;        // the address to listen on
    std::string publicHost;  // the host named in the address and the invitations
    TablePace pace;
};

extern const char* const kServerUsage;

// The options, or none with the reason in error.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace DoDadu
