// What a seat may be called, wherever a name is typed: the setup box, the online box, and
// the server that takes names from the wire.
#pragma once
#include <optional>
#include <string>

namespace DoDadu {

constexpr int kLongestSeatName = 20;  // letters

enum class NameFault { None, Empty, TooLong, NotText };

// What was typed without the spaces and tabs at both ends.
std::string WithoutBlanksAround(const std::string& typed);

// What is wrong with a name already trimmed: empty, longer than kLongestSeatName letters,
// or not well-formed UTF-8 free of control characters.
NameFault SeatNameFault(const std::string& name);

// The name as typed, trimmed; none when it then has a fault.
std::optional<std::string> CheckedSeatName(const std::string& typed);

}  // namespace DoDadu
