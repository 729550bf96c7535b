#include "SeatName.h"

namespace DoDadu {

namespace {

// The characters of well-formed UTF-8 without control characters; -1 otherwise.
int Characters(const std::string& text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        unsigned value = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07u;
        } else if (lead >= 0xE0) {
            length = lead <= 0xEF ? 3 : 0;
            value = lead & 0x0Fu;
        } else if (lead >= 0xC2) {
            length = lead <= 0xDF ? 2 : 0;
            value = lead & 0x1Fu;
        } else if (lead >= 0x80) {
            length = 0;
        }
        if (length == 0 || i + length > text.size()) return -1;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) return -1;
            value = (value << 6) | (next & 0x3Fu);
        }
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (value < least[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return -1;
        if (value < 0x20 || (value >= 0x7F && value < 0xA0) || value == 0x2028 || value == 0x2029) return -1;
        i += length;
        ++count;
    }
    return count;
}

}  // namespace

std::string WithoutBlanksAround(const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
}

NameFault SeatNameFault(const std::string& name) {
    if (name.empty()) return NameFault::Empty;
    const int letters = Characters(name);
    if (letters < 0) return NameFault::NotText;
    return letters > kLongestSeatName ? NameFault::TooLong : NameFault::None;
}

std::optional<std::string> CheckedSeatName(const std::string& typed) {
    std::string name = WithoutBlanksAround(typed);
    if (SeatNameFault(name) != NameFault::None) return std::nullopt;
    return name;
}

}  // namespace DoDadu
