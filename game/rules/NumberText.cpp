#include "NumberText.h"

#include <cmath>
#include <cctype>
#include <cinttypes>
#include <climits>
#include <cstdio>

namespace DoDadu {

std::string PointsText(double points) {
    // Hand points are whole or half numbers (and not below zero). Those print as "%Lg" would print them
    // without a trip through printf, which the odds simulator feels millions of times.
    const double twice = points * 2;
    if (points > -10000 && points < 10000 && twice == static_cast<int>(twice) && !std::signbit(points)) {
        int halves = static_cast<int>(twice);
        std::string text = halves < 0 ? "-" : "";
        if (halves < 0) halves = -halves;
        text += std::to_string(halves / 2);
        if (halves % 2 != 0) text += ".5";
        return text;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%Lg", static_cast<long double>(points));
    return text;
}

std::string PlainNumberText(std::int64_t value) {
    char text[32];
#ifdef _WIN32
    // The runtime's printf knows "%I64d"; the compiler's format check does not.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
    std::snprintf(text, sizeof text, "%I64d", static_cast<long long>(value));
#pragma GCC diagnostic pop
#else
    // glibc reads "%I64d" as "%I" flag + width 64, so the host uses its own macro.
    std::snprintf(text, sizeof text, "%" PRId64, value);
#endif
    return text;
}

std::optional<std::int64_t> WholeNumber(const std::string& text, std::int64_t least, std::int64_t most) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < least || value > most) return std::nullopt;
    return value;
}

int SaturateToInt(std::int64_t value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int LeadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate with a ceiling just past the 32-bit range: enough to saturate,
    // never enough to overflow.
    const std::int64_t ceiling = static_cast<std::int64_t>(INT_MAX) + 2;
    std::int64_t magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > ceiling) magnitude = ceiling;
    }
    return SaturateToInt(negative ? -magnitude : magnitude);
}

std::string PointsShown(double points, const TextSource& texts) {
    std::string shown = PointsText(points);
    const std::size_t dot = shown.find('.');
    if (dot != std::string::npos) shown.replace(dot, 1, texts.Text(TextIds::kDecimalMark));
    return shown;
}

std::string GroupedNumberFormatter::Format(long long value) const {
    const std::string digits = PlainNumberText(value);
    const std::size_t first = value < 0 ? 1 : 0;  // after the sign
    const std::string mark = texts.Text(TextIds::kGroupMark);
    std::string text = digits.substr(0, first);
    for (std::size_t at = first; at < digits.size(); ++at) {
        if (at > first && (digits.size() - at) % 3 == 0) text += mark;
        text += digits[at];
    }
    return text;
}

}  // namespace DoDadu
