// What the round takes from Windows: the user's digit grouping and the local time.
#include "DealerClock.h"
#include "NumberText.h"
#include "UserLocale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>

namespace DoDadu {
namespace {

TEST(UserLocale, GroupsTheScoreWithASaneSeparator) {
    GroupedNumberFormatter format(UserNumberLocale());
    const std::string shown = format.Format(50000);
    // Every locale the test machine may have groups by three: one separator, no digit.
    ASSERT_EQ(6u, shown.size()) << shown;
    EXPECT_EQ("50", shown.substr(0, 2));
    EXPECT_EQ("000", shown.substr(3));
    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(shown[2]))) << shown;
    EXPECT_NE('-', shown[2]);
    EXPECT_NE('\0', shown[2]);
    EXPECT_EQ(std::string("-1") + shown[2] + "500", format.Format(-1500));
    EXPECT_EQ("500", format.Format(500));
}

TEST(LocalTimeClock, CountsMilliseconds) {
    LocalTimeClock clock;
    std::int64_t before = 0;
    std::int64_t after = 0;
    ASSERT_TRUE(clock.LocalMilliseconds(before));
    Sleep(100);
    ASSERT_TRUE(clock.LocalMilliseconds(after));
    EXPECT_GE(after - before, 80);
    EXPECT_LT(after - before, 2000);
    // Milliseconds since 1601: some time after 2020 and before 2200.
    EXPECT_GT(before, 13'222'000'000'000LL);
    EXPECT_LT(before, 18'900'000'000'000LL);
}

}  // namespace
}  // namespace DoDadu
