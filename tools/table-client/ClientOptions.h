#pragma once
#include "ClientMessages.h"

#include <optional>
#include <string>
#include <vector>

namespace DoDadu {

// zandro-table-client's command line.
struct ClientOptions {
    std::string host;
    int port = 0;
    bool tls = true;  // wss://; ws:// only to 127.0.0.1
    std::string pin;  // a fingerprint, or empty to trust the system's CAs
    bool create = false;
    CreateTable plan;  // with create
    std::string code;  // with join
    std::string name;
    PlayStyle play = PlayStyle::Careful;
    int rounds = 0;
    std::string frameLog;  // every frame received, one a line (for tests)
};

extern const char* const kClientUsage;

std::optional<ClientOptions> ParseClientOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace DoDadu
