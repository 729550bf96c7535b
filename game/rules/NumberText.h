#pragma once
#include <cstdint>
#include <locale>
#include <optional>
#include <sstream>
#include <string>

namespace DoDadu {

// Hand points as "%Lg" prints them: "7.5", "3", "0.5".
std::string PointsText(double points);

// Plain decimal, no grouping: the cards left, and the score as it is stored.
std::string PlainNumberText(std::int64_t value);

// The leading decimal integer of a text, as a stored score is read: optional blanks,
// an optional sign, digits. No digits gives 0; a number beyond the 32-bit range
// saturates at its bound rather than wrapping.
int LeadingInteger(const std::string& text);

// The one reader of a whole number typed or stored: plain decimal digits alone (no sign,
// no blanks, at most 18 digits) from least to most; none otherwise.
std::optional<std::int64_t> WholeNumber(const std::string& text, std::int64_t least, std::int64_t most);

// A 64-bit value pinned to the 32-bit range.
int SaturateToInt(std::int64_t value);

// A locale whose numbers carry the given thousands separator and grouping (grouping
// in std::numpunct's form: "\3" groups by three; empty: no grouping).
std::locale GroupingLocale(char separator, const std::string& grouping);

// The grouping of a Windows LOCALE_SGROUPING text ("3;0", "3;2;0", "3", "0") in
// std::numpunct's form. A trailing ";0" repeats the last group; without it the last
// group is used once only.
std::string NumpunctGrouping(const std::string& windowsGrouping);

// Integers with a locale's digit grouping, as UTF-8: a separator beyond ASCII is a
// Latin-1 byte in the locale (the no-break space, 0xA0) and is written as its UTF-8
// sequence. Keeps one stream, so formatting does not build a new stream every time.
class GroupedNumberFormatter {
public:
    explicit GroupedNumberFormatter(const std::locale& locale);
    std::string Format(long long value);

private:
    std::ostringstream stream;
};

}  // namespace DoDadu
