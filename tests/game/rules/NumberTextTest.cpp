#include "NumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

namespace DoDadu {
namespace {

// Whole and half points take a short cut past printf; the text must not change.
TEST(NumberText, PointsReadAsPrintfWritesThemAndCountsArePlain) {
    EXPECT_EQ("7.5", PointsText(7.5));
    EXPECT_EQ("13", PointsText(13.0));
    EXPECT_EQ("-2147483648", PlainNumberText(INT_MIN));
    EXPECT_EQ("-5000000000", PlainNumberText(-5000000000LL));  // all 64 bits reach the text
    auto printed = [](double points) {
        char text[64];
        std::snprintf(text, sizeof text, "%Lg", static_cast<long double>(points));
        return std::string(text);
    };
    for (int halves = -40; halves <= 400; ++halves)
        EXPECT_EQ(printed(halves / 2.0), PointsText(halves / 2.0));
    for (double odd : {0.25, 7.1, 123456.5, 1e7, -3.75}) EXPECT_EQ(printed(odd), PointsText(odd));
}

TEST(NumberText, LeadingIntegerSaturatesInsteadOfWrapping) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"50000", 50000},
        {"  -1500", -1500},
        {"+42x", 42},
        {"120 points", 120},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"4294967346", INT_MAX},  // would wrap to 50 in 32 bits
        {"99999999999999999999999", INT_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(c.value, LeadingInteger(c.text)) << '"' << c.text << '"';
}

// One format per language: its grouping and its decimal mark together, never one from the
// language beside one from elsewhere.
TEST(NumberText, GroupingAndDecimalMarkAreTheLanguages) {
    const struct {
        TextIds::Language language;
        const char *million, *negative, *small, *half;  // 1234567, -52000, 999, 6.5
    } cases[] = {
        {TextIds::Language::English, "1,234,567", "-52,000", "999", "6.5"},
        {TextIds::Language::Italian, "1.234.567", "-52.000", "999", "6,5"},
        {TextIds::Language::Spanish, "1.234.567", "-52.000", "999", "6,5"},
    };
    for (const auto& c : cases) {
        const TableTexts texts(c.language);
        const GroupedNumberFormatter grouped(texts);
        EXPECT_EQ(c.million, grouped.Format(1234567));
        EXPECT_EQ(c.negative, grouped.Format(-52000));
        EXPECT_EQ(c.small, grouped.Format(999));
        EXPECT_EQ(c.half, PointsShown(6.5, texts));
        EXPECT_EQ("7", PointsShown(7, texts));
    }
}

}  // namespace
}  // namespace DoDadu
