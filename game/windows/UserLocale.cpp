#include "UserLocale.h"
#include "NumberText.h"

#include <windows.h>

#include <string>

namespace DoDadu {
namespace {

// A locale setting as narrow text (low byte of each unit); empty when unreadable.
std::wstring LocaleSetting(LCTYPE type) {
    wchar_t text[16] = {};
    int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 16);
    if (length <= 0) return std::wstring();
    return std::wstring(text);
}

// The separator as one Latin-1 byte, which the score's formatter writes as UTF-8:
// characters beyond Latin-1 (a narrow no-break space, say) become the plain no-break space.
char NarrowSeparator(wchar_t unit) {
    return unit <= 0xFF ? static_cast<char>(unit) : static_cast<char>(0xA0);
}

}  // namespace

std::locale UserNumberLocale() {
    std::wstring separator = LocaleSetting(LOCALE_STHOUSAND);
    std::wstring grouping = LocaleSetting(LOCALE_SGROUPING);
    if (separator.empty() || grouping.empty()) return std::locale::classic();
    std::string narrowGrouping;
    for (wchar_t unit : grouping) narrowGrouping += static_cast<char>(unit & 0xFF);
    return GroupingLocale(NarrowSeparator(separator[0]), NumpunctGrouping(narrowGrouping));
}

}  // namespace DoDadu
