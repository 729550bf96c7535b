#pragma once
#include <string>

namespace DoDadu {

// Why the server refused a message, as the wire names it ("out_of_turn"); stable for
// programs. See docs/protocol.md for when each is sent.
enum class ProtocolError {
    Malformed,
    UnsupportedVersion,
    UnknownType,
    TooLarge,
    Flood,
    Idle,
    UnknownCode,
    TooManyTries,
    TableFull,
    NameTaken,
    BadName,
    BadRules,
    BadSeats,
    BadToken,
    NotSeated,
    AlreadySeated,
    NotCreator,
    NotNow,
    SeatNotFree,
    OutOfTurn,
    BadStake,
    Replaced,
    ServerBusy
};

// The wire name, and back (false for a name no error has).
const char* ErrorName(ProtocolError error);
bool ErrorFromName(const std::string& name, ProtocolError& error);
// A short English sentence for logs and for a client without its own texts.
const char* ErrorSentence(ProtocolError error);

}  // namespace DoDadu
