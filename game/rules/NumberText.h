#pragma once
#include "GameTexts.h"

#include <cstdint>
#include <optional>
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

// Every number a player reads is written as the chosen language writes it: its digit
// grouping (GroupMark: "52,000", "52.000") and its decimal mark (DecimalMark: "6.5", "6,5")
// come from the same texts, whatever Windows' regional format says, so no sentence shows
// a grouping from one source beside a decimal mark from another. The marks are read at
// each use: a language chosen mid-round applies to the next number shown.

// A hand's total as the table shows it: "4.5" in English, "4,5" where a comma marks the half.
std::string PointsShown(double points, const TextSource& texts = EnglishTexts());

// Whole numbers grouped by thousands with the language's mark: the score, stakes, chips.
class GroupedNumberFormatter {
public:
    explicit GroupedNumberFormatter(const TextSource& texts) : texts(texts) {}
    std::string Format(long long value) const;

private:
    const TextSource& texts;
};

}  // namespace DoDadu
