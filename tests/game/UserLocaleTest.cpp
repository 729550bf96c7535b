// The user's digit grouping as the system reports it.
#include "UserLocale.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace DoDadu {
namespace {

TEST(UserLocale, GroupsTheScoreWithASaneSeparator)
{
    GroupedNumberFormatter format(UserNumberLocale());
    const std::string shown = format.Format(50000);
    // Some locales do not group; those that do put one non-digit between 50 and 000.
    if (shown != "50000") {
        ASSERT_EQ(6u, shown.size()) << shown;
        EXPECT_EQ("50", shown.substr(0, 2));
        EXPECT_EQ("000", shown.substr(3));
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(shown[2]))) << shown;
        EXPECT_NE('-', shown[2]);
    }
    EXPECT_EQ('-', format.Format(-1500)[0]);
    EXPECT_EQ("500", format.Format(500));
}

} // namespace
} // namespace DoDadu
