#pragma once
#include "ClientMessages.h"
#include "ServerMessages.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace DoDadu {

// A table as it is stored: enough to hold it again after a restart, between rounds.
struct TableRecord {
    std::string code;
    std::int64_t created = 0;  // seconds since 1970
    std::int64_t ended = 0;    // 0 until the evening is over
    TablePhase phase = TablePhase::Lobby;
    EndReason endReason = EndReason::None;
    bool endAsked = false;
    int creator = 0;
    CreateTable plan;                 // the rules, chips, rounds and seats (with persons' names once taken)
    std::vector<bool> taken;          // by seat
    std::vector<std::string> tokens;  // by seat: the SHA-256 of its resume token, empty when none
    std::map<std::string, std::string> evening;  // the evening's own named texts (Evening::Save)
};

}  // namespace DoDadu
