#include "RoomCode.h"

namespace DoDadu {

namespace {
const char kAlphabet[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
}

std::string RoomCodeOf(std::uint32_t value) {
    std::string code(kRoomCodeLength, '0');
    for (int i = kRoomCodeLength - 1; i >= 0; --i) {
        code[static_cast<std::size_t>(i)] = kAlphabet[value & 31u];
        value >>= 5;
    }
    return code;
}

std::optional<std::string> NormalRoomCode(const std::string& typed) {
    std::string code;
    for (char c : typed) {
        if (c == '-' || c == ' ') continue;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c == 'I' || c == 'L') c = '1';
        if (c == 'O') c = '0';
        bool known = false;
        for (const char* a = kAlphabet; *a != '\0'; ++a) known = known || *a == c;
        if (!known || code.size() == kRoomCodeLength) return std::nullopt;
        code.push_back(c);
    }
    if (code.size() != kRoomCodeLength) return std::nullopt;
    return code;
}

}  // namespace DoDadu
