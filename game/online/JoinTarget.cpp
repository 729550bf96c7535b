#include "JoinTarget.h"

#include "RoomCode.h"

#include <string_view>

namespace DoDadu {

namespace {

const std::size_t kLongestTyped = 512;

// The text without the spaces, line breaks, quotes and angle brackets round it.
std::string Bare(const std::string& typed) {
    const char* wrapping = " \t\r\n\"'<>";
    const std::size_t first = typed.find_first_not_of(wrapping);
    if (first == std::string::npos) return {};
    return typed.substr(first, typed.find_last_not_of(wrapping) - first + 1);
}

constexpr std::string_view kScheme = "zandro://";
constexpr std::string_view kPrinted = "wss://";

bool IsInvitation(const std::string& text) { return text.rfind(kScheme, 0) == 0; }

}  // namespace

std::optional<Invitation> ReadServer(const std::string& typed) {
    if (typed.size() > kLongestTyped) return std::nullopt;
    std::string text = Bare(typed);
    if (IsInvitation(text) && text.find('/', kScheme.size()) != std::string::npos)
        return ParseInvitation(text);
    // What the server prints when it starts: "... wss://HOST:PORT sha256=FINGERPRINT".
    const std::size_t printed = text.find(kPrinted);
    if (printed != std::string::npos) text = text.substr(printed + kPrinted.size());
    if (IsInvitation(text)) text = text.substr(kScheme.size());
    // HOST:PORT, with the certificate's digest after it as the server prints it or as an
    // invitation carries it, read as an invitation with a code that cannot be wrong.
    std::string pin;
    const std::size_t digest = text.find("sha256=");
    if (digest != std::string::npos && digest > 0 && (text[digest - 1] == ' ' || text[digest - 1] == '#')) {
        pin = "#" + text.substr(digest);
        text = Bare(text.substr(0, digest - 1));
    }
    if (text.find_first_of("/# ") != std::string::npos) return std::nullopt;
    auto server = ParseInvitation(std::string(kScheme) + text + "/000000" + pin);
    if (server) server->code.clear();
    return server;
}

std::optional<Invitation> ReadJoinTarget(const std::string& table, const std::string& server) {
    if (table.size() > kLongestTyped) return std::nullopt;
    const std::string text = Bare(table);
    if (IsInvitation(text)) return ParseInvitation(text);
    const auto code = NormalRoomCode(text);
    auto target = ReadServer(server);
    if (!code || !target) return std::nullopt;
    target->code = *code;
    return target;
}

}  // namespace DoDadu
