#pragma once
#include <optional>
#include <string>

namespace DoDadu {

constexpr int kLongestName = 20;  // characters, as the setup box allows

// A name as typed, trimmed of spaces at both ends; none when it is then empty, longer
// than kLongestName characters, not UTF-8, or holds a control character.
std::optional<std::string> CheckedSeatName(const std::string& typed);

}  // namespace DoDadu
