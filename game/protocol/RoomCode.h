#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace DoDadu {

// A table's room code: 6 characters of Crockford's base32, 30 bits.
constexpr int kRoomCodeLength = 6;

// The code of 30 bits (the low 30 of value), in capitals.
std::string RoomCodeOf(std::uint32_t value);
// A typed code as the server writes it: case ignored, I and L read as 1, O as 0,
// hyphens and spaces left out. None unless exactly 6 such characters remain.
std::optional<std::string> NormalRoomCode(const std::string& typed);

}  // namespace DoDadu
