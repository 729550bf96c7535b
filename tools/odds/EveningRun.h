#pragma once
// zandro-odds --evening: whole evenings of computer seats at the full table.
#include <iosfwd>
#include <string>

namespace DoDadu {
namespace Odds {

struct EveningOptions {
    long long rounds = 0;  // 0: no evening
    std::string rules = "classic";
    std::string seats = "careful,bold";
    long long chips = 50000;
};

// The options' fault, in the tool's words; empty when they can be played.
std::string EveningFault(const EveningOptions& options);
// Plays up to options.rounds rounds (fewer when the evening ends) from this seed and
// prints one line per seat and the total. 0, or 2 after printing why it cannot play.
int PlayEvening(const EveningOptions& options, unsigned long seed, std::ostream& out, std::ostream& err);
// A whole number with its thousands grouped by commas: 1,234,567.
std::string GroupedNumber(long long number);

}  // namespace Odds
}  // namespace DoDadu
