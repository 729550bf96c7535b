// zandro-odds --evening under each preset: what it prints shows the rules at work (the
// Spanish deck has no wild card and pays every 7.5 double) and the chips kept.
#include "EveningRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace DoDadu {
namespace Odds {
namespace {

long long Figure(const std::string& report, const std::string& pattern) {
    std::smatch match;
    if (!std::regex_search(report, match, std::regex(pattern))) return -1;
    std::string digits = match[1];
    digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
    return std::stoll(digits);
}

TEST(EveningRun, EachPresetPaysItsSevenAndAHalfAndKeepsTheChips) {
    const struct {
        const char* rules;
        const char* seats;
        bool wild;        // the wild card fills hands
        bool allDouble;   // every 7.5 won is paid double
        bool someDouble;  // some 7.5 is paid double
    } cases[] = {
        {"italian", "careful,bold,careful,bold", true, false, true},
        {"spanish", "careful,bold,careful,bold,careful", false, true, true},
        {"classic", "careful,bold", true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rules);
        EveningOptions options;
        options.rounds = 400;
        options.rules = c.rules;
        options.seats = c.seats;
        std::ostringstream out, err;
        ASSERT_EQ(0, PlayEvening(options, 5, out, err)) << err.str();
        const std::string report = out.str();
        const long long won = Figure(report, "7\\.5 won against the bank: (\\d+)");
        const long long twice = Figure(report, "paid double (\\d+)");
        const long long fills = Figure(report, "hands the wild card filled: (\\d+)");
        ASSERT_GT(won, 0) << report;
        EXPECT_EQ(c.allDouble, twice == won) << report;
        EXPECT_EQ(c.someDouble, twice > 0) << report;
        EXPECT_EQ(c.wild, fills > 0) << report;
        EXPECT_EQ(Figure(report, "total: ([\\d,]+) chips"), Figure(report, "\\(start ([\\d,]+)\\)"))
            << report;
    }
}

}  // namespace
}  // namespace Odds
}  // namespace DoDadu
