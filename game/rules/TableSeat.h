#pragma once
#include <cstdint>
#include <string>

namespace DoDadu {

enum class SeatKind { Person, Computer };
// How a computer seat plays; a person's seat keeps Careful and is never asked.
enum class PlayStyle { Careful, Bold, Expert };
constexpr int kPlayStyleCount = 3;

constexpr std::int64_t kStartingChips = 50000;
constexpr int kMinSeats = 2;
constexpr int kMaxSeats = 6;
// The most chips a seat may start an evening with, and so the most any seat can hold
// (chips only move between seats): the limits of the setup box and the stored evening.
constexpr std::int64_t kMostStartingChips = 1000000000;
constexpr std::int64_t kMostChips = kMostStartingChips * kMaxSeats;

// One place at the full table, kept through the evening.
struct TableSeat {
    std::string name;
    SeatKind kind = SeatKind::Computer;
    PlayStyle style = PlayStyle::Careful;
    std::int64_t chips = kStartingChips;  // never below 0
    // Counts of the evening, as the odds tool prints them.
    int roundsAsBank = 0;  // rounds played holding the bank
    int twoCardBest = 0;   // 7.5 made with the first two cards (as a seat or as the bank)
};

}  // namespace DoDadu
