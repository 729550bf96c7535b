#include "SeatName.h"

#include <gtest/gtest.h>

namespace DoDadu {
namespace {

// The setup box, the online box and the server all take a name through this one check.
TEST(SeatName, TrimmedTextOfTwentyLettersAtMostWithoutControlCharacters) {
    const struct {
        std::string typed;
        const char* name;  // "" when refused
        NameFault fault;   // of the trimmed text
    } names[] = {{"  Nonna \t", "Nonna", NameFault::None},
                 {"", "", NameFault::Empty},
                 {" \t ", "", NameFault::Empty},
                 {std::string(20, 'x'), "xxxxxxxxxxxxxxxxxxxx", NameFault::None},
                 {std::string(21, 'x'), "", NameFault::TooLong},
                 {"\xC3\x80\xC3\xA9\xC3\xAC\xC3\xB2\xC3\xB9" + std::string(15, 'a'),
                  "\xC3\x80\xC3\xA9\xC3\xAC\xC3\xB2\xC3\xB9"
                  "aaaaaaaaaaaaaaa",
                  NameFault::None},
                 {"Caf\xC3\xA9", "Caf\xC3\xA9", NameFault::None},
                 {"a\tb", "", NameFault::NotText},
                 {"a\xC2\x85"
                  "b",
                  "", NameFault::NotText},
                 {"bad \xC3", "", NameFault::NotText},
                 {"\xC0\xAF", "", NameFault::NotText},
                 {"\xED\xA0\x80", "", NameFault::NotText}};
    for (const auto& c : names) {
        EXPECT_EQ(CheckedSeatName(c.typed).value_or(""), c.name) << c.typed;
        EXPECT_EQ(SeatNameFault(WithoutBlanksAround(c.typed)), c.fault) << c.typed;
    }
}

}  // namespace
}  // namespace DoDadu
