#include "ProtocolError.h"

namespace DoDadu {

namespace {

const struct {
    ProtocolError error;
    const char* name;
    const char* sentence;
} kErrors[] = {
    {ProtocolError::Malformed, "malformed", "The message could not be read."},
    {ProtocolError::UnsupportedVersion, "unsupported_version",
     "This server speaks version 1 of the protocol."},
    {ProtocolError::UnknownType, "unknown_type", "There is no such message."},
    {ProtocolError::TooLarge, "too_large", "The message is longer than 16384 bytes."},
    {ProtocolError::Flood, "flood", "More than 20 messages in one second."},
    {ProtocolError::Idle, "idle", "Nothing arrived for 60 seconds."},
    {ProtocolError::UnknownCode, "unknown_code", "No table has that code, or it has expired."},
    {ProtocolError::TooManyTries, "too_many_tries", "Too many failed tries from this address."},
    {ProtocolError::TableFull, "table_full", "The table has no free seat."},
    {ProtocolError::NameTaken, "name_taken", "Someone at the table already has that name."},
    {ProtocolError::BadName, "bad_name", "A name has 1 to 20 characters."},
    {ProtocolError::BadRules, "bad_rules", "These rules do not make sense."},
    {ProtocolError::BadSeats, "bad_seats", "These seats cannot sit together."},
    {ProtocolError::BadToken, "bad_token", "No seat has that token."},
    {ProtocolError::NotSeated, "not_seated", "Create, join or resume a table first."},
    {ProtocolError::AlreadySeated, "already_seated", "This connection already has a seat."},
    {ProtocolError::NotCreator, "not_creator", "Only the table's creator may do that."},
    {ProtocolError::NotNow, "not_now", "The table cannot do that now."},
    {ProtocolError::SeatNotFree, "seat_not_free", "That seat is not a free person seat."},
    {ProtocolError::OutOfTurn, "out_of_turn", "It is not your turn."},
    {ProtocolError::BadStake, "bad_stake", "The rules do not allow that stake now."},
    {ProtocolError::Replaced, "replaced", "The seat was taken up on another connection."},
    {ProtocolError::ServerBusy, "server_busy", "The server holds as many tables as it may."},
};

}  // namespace

const char* ErrorName(ProtocolError error) {
    for (const auto& entry : kErrors) {
        if (entry.error == error) return entry.name;
    }
    return "malformed";
}

bool ErrorFromName(const std::string& name, ProtocolError& error) {
    for (const auto& entry : kErrors) {
        if (name == entry.name) {
            error = entry.error;
            return true;
        }
    }
    return false;
}

const char* ErrorSentence(ProtocolError error) {
    for (const auto& entry : kErrors) {
        if (entry.error == error) return entry.sentence;
    }
    return "";
}

}  // namespace DoDadu
