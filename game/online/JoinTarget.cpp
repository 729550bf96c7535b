#include "JoinTarget.h"

#include "RoomCode.h"

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

bool IsInvitation(const std::string& text) { return text.rfind("zandro://", 0) == 0; }

}  // namespace

std::optional<Invitation> ReadServer(const std::string& typed) {
    if (typed.size() > kLongestTyped) return std::nullopt;
    const std::string text = Bare(typed);
    if (IsInvitation(text)) return ParseInvitation(text);
    // HOST:PORT read as the authority of an invitation with a code that cannot be wrong.
    if (text.find_first_of("/#") != std::string::npos) return std::nullopt;
    auto server = ParseInvitation("zandro://" + text + "/000000");
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
