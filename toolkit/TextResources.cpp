#include "TextResources.h"

namespace NeloUtility {

namespace {

LANGID chosenLanguage = 0;  // 0: the user's display language

// The id's string in one language's block: a block holds 16 strings, each its length in
// UTF-16 units followed by its units. Empty when the block or the string is missing.
std::wstring BlockText(HMODULE module, unsigned id, LANGID language) {
    HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW((id >> 4) + 1), language);
    if (found == nullptr) return std::wstring();
    HGLOBAL loaded = LoadResource(module, found);
    const auto* units = static_cast<const WCHAR*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (units == nullptr) return std::wstring();
    const DWORD count = SizeofResource(module, found) / sizeof(WCHAR);
    DWORD at = 0;
    // A block shorter than its lengths say ends the walk: nothing is read beyond it.
    for (unsigned skip = id & 15; skip > 0 && at < count; --skip) at += 1 + units[at];
    if (at >= count || units[at] > count - at - 1) return std::wstring();
    return std::wstring(units + at + 1, units[at]);
}

}  // namespace

LANGID TextLanguageFor(LANGID userLanguage) {
    switch (PRIMARYLANGID(userLanguage)) {
        case LANG_ITALIAN: return kItalianTexts;
        case LANG_SPANISH: return kSpanishTexts;
        default: return kEnglishTexts;
    }
}

LANGID TextLanguage() {
    return chosenLanguage != 0 ? chosenLanguage : TextLanguageFor(GetUserDefaultUILanguage());
}

void SetTextLanguage(LANGID language) { chosenLanguage = language != 0 ? TextLanguageFor(language) : 0; }

std::wstring ModuleText(HMODULE module, unsigned id, LANGID language) {
    std::wstring text = BlockText(module, id, language);
    if (text.empty() && language != kEnglishTexts) text = BlockText(module, id, kEnglishTexts);
    return text;
}

std::wstring WideText(unsigned id) { return ModuleText(GetModuleHandleW(nullptr), id, TextLanguage()); }

std::string Text(unsigned id) { return WideToUtf8(WideText(id)); }

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string WideToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &narrow[0], length, nullptr, nullptr);
    return narrow;
}

}  // namespace NeloUtility
