#pragma once
#include "HouseRules.h"
#include "ProtocolError.h"
#include "RoundSight.h"
#include "TableEvent.h"
#include "TableSeat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace DoDadu {

// What the server sends a client (docs/protocol.md, "Server to client").

struct Seated {
    std::string code;
    int seat = 0;
    std::string token;  // 32 hex digits
    std::string invitation;
};

// What happened at the table besides the round's own moments.
enum class PresenceMoment { None, SeatJoins, SeatGiven, LinkLost, LinkBack, SeatAway };

// One event as its receiver may see it: a moment of the round (TableEvent) or of the
// people at the table.
struct SeenEvent {
    TableMoment moment = TableMoment::RoundEnds;  // when presence is None
    PresenceMoment presence = PresenceMoment::None;
    int seat = -1;
    int card = 0;  // 0 where the receiver may not see it
    bool covered = false;
    std::optional<double> points;  // only when the receiver sees the whole hand
    std::int64_t amount = 0;
    PassReason reason = PassReason::None;
};

struct SeatView {
    int seat = 0;
    std::string name;
    SeatKind kind = SeatKind::Person;
    PlayStyle style = PlayStyle::Careful;
    bool taken = false;
    bool connected = false;
    bool away = false;
    std::int64_t chips = 0;
    int asBank = 0;  // rounds it has played holding the bank
    int stake = 0;
    SeatStatus status = SeatStatus::SitsOut;
    std::vector<int> cards;  // 0 where unseen
    std::optional<double> points;
};

enum class TablePhase { Lobby, Playing, Over };
enum class EndReason { None, Chips, Rounds, Creator };

struct StakeRange {
    int min = 0;
    int max = 0;
    int step = 0;
};

// The whole table as one seat sees it, and what happened since its last one.
struct TableView {
    std::string code;
    std::string invitation;
    TablePhase phase = TablePhase::Lobby;
    int you = 0;
    int creator = 0;
    HouseRules rules;
    std::int64_t chips = kStartingChips;
    int rounds = 0;
    int roundsLimit = 0;
    bool canStart = false;
    bool inPlay = false;
    int bank = 0;
    int toAct = -1;
    bool bankTurn = false;
    bool mayStake = false;
    bool mayDraw = false;  // "card" and "stand"
    StakeRange stakes;     // with mayStake
    std::vector<SeatView> seats;
    std::vector<DealtCard> dealt;
    int dealtBeforeRefill = -1;
    std::vector<int> seenBefore;
    int deckLeft = 0;
    std::int64_t total = 0;
    std::int64_t startTotal = 0;
    EndReason endReason = EndReason::None;
    std::vector<SeenEvent> events;
};

struct ErrorReply {
    ProtocolError code = ProtocolError::Malformed;
    std::string message;
    std::string about;   // the refused message's type, or empty
    int retryAfter = 0;  // seconds, with TooManyTries
};

struct Pong {};

using ServerMessage = std::variant<Seated, TableView, ErrorReply, Pong>;

}  // namespace DoDadu
