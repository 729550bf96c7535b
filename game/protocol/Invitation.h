#pragma once
#include <optional>
#include <string>

namespace DoDadu {

// zandro://HOST:PORT/CODE[#sha256=FINGERPRINT]: what a person pastes to join a table.
struct Invitation {
    std::string host;  // a name, an IPv4 address, or an IPv6 address without brackets
    int port = 0;
    std::string code;         // normalised (see RoomCode)
    std::string fingerprint;  // 64 hex digits in capitals, or empty when not pinned
};

std::string InvitationText(const Invitation& invitation);
// None for anything but a whole, well-formed invitation.
std::optional<Invitation> ParseInvitation(const std::string& text);
// 64 hex digits in capitals from a fingerprint typed with either case and colons; none
// unless exactly 32 bytes' worth.
std::optional<std::string> NormalFingerprint(const std::string& typed);

}  // namespace DoDadu
