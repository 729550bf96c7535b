// Texts by id from the test program's own string resources (the program's TextStrings.rc,
// made from po/*.po), read by language, and the UTF-8 conversions.
#include "TextIds.h"
#include "TextResources.h"

#include <gtest/gtest.h>

#include <string>

using namespace NeloUtility;

namespace {

constexpr LANGID kFrench = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
constexpr LANGID kMexican = MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN);

TEST(TextLanguage, FollowsThePrimaryLanguage) {
    const struct {
        LANGID user;
        LANGID texts;
    } cases[] = {
        {MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN), kItalianTexts},
        {MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN_SWISS), kItalianTexts},
        {kSpanishTexts, kSpanishTexts},
        {kMexican, kSpanishTexts},
        {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH), kSpanishTexts},
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), kEnglishTexts},
        {kFrench, kEnglishTexts},
        {LANG_NEUTRAL, kEnglishTexts},
    };
    for (const auto& c : cases) EXPECT_EQ(TextLanguageFor(c.user), c.texts) << std::hex << c.user;
}

// Every text of every language reads back as the table made from the same files: the
// resource script keeps quotes, line breaks and letters beyond ASCII.
TEST(ModuleText, EveryLanguageReadsItsOwnTexts) {
    HMODULE program = GetModuleHandleW(nullptr);
    const struct {
        LANGID language;
        TextIds::Language table;
    } languages[] = {{kEnglishTexts, TextIds::Language::English},
                     {kItalianTexts, TextIds::Language::Italian},
                     {kSpanishTexts, TextIds::Language::Spanish}};
    for (const auto& l : languages) {
        for (unsigned id = TextIds::kFirst; id < TextIds::kFirst + TextIds::kCount; ++id)
            EXPECT_EQ(WideToUtf8(ModuleText(program, id, l.language)), TextIds::TableText(l.table, id))
                << std::hex << l.language << std::dec << " " << id;
    }
    const struct {
        unsigned id;
        LANGID language;
        const wchar_t* text;
    } cases[] = {
        {TextIds::kButtonStop, kSpanishTexts, L"ME PLANTO"},
        {TextIds::kCardWild, kSpanishTexts, L"{card}, comod\u00EDn"},
        {TextIds::kExitQuestion, kSpanishTexts, L"\u00BFDe verdad quieres salir?"},
        {TextIds::kErrorNoWindow, kItalianTexts, L"Zandro++ non \u00E8 riuscito ad aprire la sua finestra."},
        {TextIds::kCaptionRemaining, kItalianTexts, L"Carte\nrimaste"},
        {TextIds::kExitQuestion, kEnglishTexts, L"Do you really want to go exit?"},
        // A language without texts, or a region the texts are not marked with, reads English.
        {TextIds::kButtonStart, kFrench, L"START"},
        {TextIds::kButtonStart, kMexican, L"START"},
        // An id no language has.
        {TextIds::kFirst + TextIds::kCount + 40, kItalianTexts, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ModuleText(program, c.id, c.language), c.text) << c.id;
}

TEST(Text, ReadsTheChosenLanguage) {
    SetTextLanguage(kMexican);
    EXPECT_EQ(TextLanguage(), kSpanishTexts);
    EXPECT_EQ(Text(TextIds::kCardWild), "{card}, comod\xC3\xADn");
    SetTextLanguage(kItalianTexts);
    EXPECT_EQ(WideText(TextIds::kButtonStop), L"STO");
    SetTextLanguage(0);
    EXPECT_EQ(TextLanguage(), TextLanguageFor(GetUserDefaultUILanguage()));
}

TEST(Utf8, ConvertsBothWays) {
    const std::string utf8 = "pi\xC3\xB9 \xC2\xBF \xC3\xB1 \xC3\xB2 \xF0\x9F\x82\xA1";
    const std::wstring wide = L"pi\u00F9 \u00BF \u00F1 \u00F2 \xD83C\xDCA1";
    EXPECT_EQ(Utf8ToWide(utf8), wide);
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_EQ(Utf8ToWide(""), L"");
    // A broken sequence is marked, not passed on (Wine takes the byte after it along).
    EXPECT_EQ(Utf8ToWide("a\xE0z").compare(0, 2, L"a\uFFFD"), 0);
}

}  // namespace
