#pragma once
#include "HouseRules.h"
#include "TableSeat.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace DoDadu {

// What a client may send the server (docs/protocol.md, "Client to server").

// One seat of a table to create: a person to invite, or a computer of a style.
struct SeatPlan {
    SeatKind kind = SeatKind::Person;
    PlayStyle style = PlayStyle::Careful;
    std::string name;  // a computer's, optional
};

struct CreateTable {
    std::string name;  // the creator's
    HouseRules rules;
    std::vector<SeatPlan> seats;
    std::int64_t chips = kStartingChips;
    int rounds = 0;  // 0: no limit
};
struct JoinTable {
    std::string code;
    std::string name;
};
struct ResumeSeat {
    std::string token;
};
struct GiveSeat {
    int seat = 0;
    PlayStyle style = PlayStyle::Careful;
    std::string name;  // optional
};
struct StartEvening {};
struct SetStakeTo {
    std::int64_t amount = 0;
};
struct TakeCard {};
struct StandNow {};
struct EndEvening {};
struct Ping {};

using ClientMessage = std::variant<CreateTable, JoinTable, ResumeSeat, GiveSeat, StartEvening, SetStakeTo,
                                   TakeCard, StandNow, EndEvening, Ping>;

// The wire name of a message's type ("create", "stake", ...).
const char* TypeName(const ClientMessage& message);

}  // namespace DoDadu
