#pragma once
// Texts by id from the program's string resources, in a chosen language, and the
// conversions between UTF-8 (the toolkit's narrow texts that carry translations) and
// UTF-16 (what Win32 shows).
//
// A text is looked up in the string block of one language with FindResourceEx, not with
// LoadString, which does not follow a thread's chosen language everywhere. A text or a
// language the program lacks reads English.
#include <windows.h>

#include <string>

namespace NeloUtility {

// The languages the texts come in, as their string tables are marked.
constexpr LANGID kEnglishTexts = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kItalianTexts = MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN);
constexpr LANGID kSpanishTexts = MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN);

// The texts for a user's language, by its primary language alone: Italian of any region
// reads Italian, Spanish of any region Spanish, every other language English.
LANGID TextLanguageFor(LANGID userLanguage);

// The language texts are read in: the one set, else that of the user's display language.
LANGID TextLanguage();

// Chooses the language of the texts (mapped as TextLanguageFor does); 0 follows the
// user's display language again.
void SetTextLanguage(LANGID language);

// The text of an id in a language from a module's string resources; English when the
// language lacks it, empty when English lacks it too.
std::wstring ModuleText(HMODULE module, unsigned id, LANGID language);

// The text of an id from the program's resources, in TextLanguage(): UTF-16 and UTF-8.
std::wstring WideText(unsigned id);
std::string Text(unsigned id);

// UTF-8 and UTF-16 each way. A malformed sequence becomes the replacement character.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

}  // namespace NeloUtility
