#include "Invitation.h"
#include "RoomCode.h"

namespace DoDadu {

namespace {

const char kScheme[] = "zandro://";
const char kPin[] = "#sha256=";

bool HostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool IPv6Character(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

// HOST:PORT, HOST a name or an address, [v6]:PORT for IPv6.
bool ReadAuthority(const std::string& text, Invitation& out) {
    std::size_t portAt = 0;
    if (!text.empty() && text[0] == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos || close + 1 >= text.size() || text[close + 1] != ':') return false;
        out.host = text.substr(1, close - 1);
        for (char c : out.host)
            if (!IPv6Character(c)) return false;
        portAt = close + 2;
    } else {
        const std::size_t colon = text.find(':');
        if (colon == std::string::npos) return false;
        out.host = text.substr(0, colon);
        for (char c : out.host)
            if (!HostCharacter(c)) return false;
        portAt = colon + 1;
    }
    const std::string port = text.substr(portAt);
    if (out.host.empty() || out.host.size() > 253 || port.empty() || port.size() > 5) return false;
    int value = 0;
    for (char c : port) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return false;
    out.port = value;
    return true;
}

}  // namespace

std::optional<std::string> NormalFingerprint(const std::string& typed) {
    std::string hex;
    for (char c : typed) {
        if (c == ':') continue;
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) || hex.size() == 64) return std::nullopt;
        hex.push_back(c);
    }
    if (hex.size() != 64) return std::nullopt;
    return hex;
}

std::string InvitationText(const Invitation& invitation) {
    const bool v6 = invitation.host.find(':') != std::string::npos;
    std::string text = kScheme + (v6 ? "[" + invitation.host + "]" : invitation.host) + ":" +
                       std::to_string(invitation.port) + "/" + invitation.code;
    if (!invitation.fingerprint.empty()) text += kPin + invitation.fingerprint;
    return text;
}

std::optional<Invitation> ParseInvitation(const std::string& text) {
    const std::string scheme = kScheme;
    if (text.size() > 512 || text.compare(0, scheme.size(), scheme) != 0) return std::nullopt;
    std::string rest = text.substr(scheme.size());
    Invitation out;
    const std::size_t hash = rest.find('#');
    if (hash != std::string::npos) {
        const std::string pin = rest.substr(hash);
        const std::string prefix = kPin;
        if (pin.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
        const auto fingerprint = NormalFingerprint(pin.substr(prefix.size()));
        if (!fingerprint) return std::nullopt;
        out.fingerprint = *fingerprint;
        rest.resize(hash);
    }
    const std::size_t slash = rest.rfind('/');
    if (slash == std::string::npos || !ReadAuthority(rest.substr(0, slash), out)) return std::nullopt;
    std::string code = rest.substr(slash + 1);
    if (!code.empty() && code.back() == '/') code.pop_back();
    const auto normal = NormalRoomCode(code);
    if (!normal || code.find(' ') != std::string::npos) return std::nullopt;
    out.code = *normal;
    return out;
}

}  // namespace DoDadu
