#pragma once
#include "ClientMessages.h"
#include "ProtocolError.h"
#include "ServerMessages.h"

#include <cstddef>
#include <string>

namespace DoDadu {

constexpr int kProtocolVersion = 1;
constexpr std::size_t kLargestMessage = 16384;  // bytes of one frame

// A decoded message, or why there is none: error is Malformed, UnsupportedVersion or
// UnknownType (and about the type's name when the frame had one).
template <typename Message>
struct Decoded {
    bool ok = false;
    Message message;
    ProtocolError error = ProtocolError::Malformed;
    std::string about;
};

// One JSON object per message, with "v": 1 (docs/protocol.md). Decoding takes any text
// (hostile too) and never throws; encoding gives one line.
std::string EncodeClient(const ClientMessage& message);
Decoded<ClientMessage> DecodeClient(const std::string& text);
std::string EncodeServer(const ServerMessage& message);
Decoded<ServerMessage> DecodeServer(const std::string& text);

// A preset's wire name ("italian", "spanish", "classic"), or empty for other rules.
std::string PresetName(const HouseRules& rules);

}  // namespace DoDadu
