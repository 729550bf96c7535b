// The texts by id: placeholders filled in one pass, and the English table giving the very
// words the round speaks today, so that reading them by id changes nothing in English.
#include "Cards.h"
#include "GameTexts.h"
#include "RoundSentences.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace DoDadu;
using TextIds::Language;

TEST(FillPlaceholders, ReplacesNamedValuesOnceAndLeavesTheRest) {
    struct Case {
        std::string text;
        std::string filled;
    };
    const Case cases[] = {
        {"You win {stake}. Score: {score}.", "You win 100. Score: 5,100."},
        {"{score} {stake} {score}", "5,100 100 5,100"},
        {"{card}: {points}", "{score}: {points}"},  // a value is not filled again; unknown names stay
        {"no placeholder", "no placeholder"},
        {"{stake", "{stake"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FillPlaceholders(c.text, {{"stake", "100"}, {"score", "5,100"}, {"card", "{score}"}}),
                  c.filled)
            << c.text;
}

// The covered card is card 0: the 40 cards follow it in the order of the deck.
std::string TableCardName(const TextSource& texts, int id) {
    std::string name = texts.Text(TextIds::kCardCovered + static_cast<unsigned>(id));
    return id == kWildCard ? FillPlaceholders(texts.Text(TextIds::kCardWild), {{"card", name}}) : name;
}

TEST(TableTexts, CardNamesInEveryLanguage) {
    const TableTexts english(Language::English);
    for (int id = 0; id <= kCardCount; ++id) EXPECT_EQ(TableCardName(english, id), CardName(id)) << id;
    struct Case {
        Language language;
        int id;
        const char* name;
    };
    const Case cases[] = {
        {Language::Italian, 7, "sette di denari"},
        {Language::Italian, kWildCard, "re di denari, matta"},
        {Language::Italian, 0, "carta coperta"},
        {Language::Spanish, 7, "siete de oros"},
        {Language::Spanish, kWildCard, "rey de oros, comod\xC3\xADn"},
        {Language::Spanish, 38, "sota de bastos"},
    };
    for (const Case& c : cases) EXPECT_EQ(TableCardName(TableTexts(c.language), c.id), c.name);
}

// Alt and one key reach every menu and item: within the bar, and within Options, no two
// captions of a language share their key.
TEST(TableTexts, AccessKeysDoNotClash) {
    const std::vector<std::vector<unsigned>> groups = {
        {TextIds::kMenuFile, TextIds::kMenuOptions, TextIds::kMenuHelp},
        {TextIds::kMenuHint, TextIds::kMenuStatistics, TextIds::kMenuSound, TextIds::kMenuContrast,
         TextIds::kMenuLanguage}};
    for (Language language : {Language::English, Language::Italian, Language::Spanish}) {
        const TableTexts texts(language);
        for (const auto& group : groups) {
            std::set<char> keys;
            for (unsigned id : group) {
                const std::string caption = texts.Text(id);
                const std::size_t mark = caption.find('&');
                ASSERT_TRUE(mark != std::string::npos && mark + 1 < caption.size()) << caption;
                EXPECT_TRUE(keys.insert(static_cast<char>(std::tolower(caption[mark + 1]))).second)
                    << caption;
            }
        }
    }
}

// A seat's name may be anything a player types, "Io" or "I" too, so no text makes it the
// subject of a verb ("Io tiene il banco"): in every language it closes its clause.
TEST(TableTexts, ASeatsNameIsNeverTheSubjectOfAVerb) {
    const std::string name = "{name}", closers = ".:,;)!";
    for (Language language : {Language::English, Language::Italian, Language::Spanish}) {
        const TableTexts texts(language);
        for (unsigned id = TextIds::kFirst; id < TextIds::kFirst + TextIds::kCount; ++id) {
            const std::string text = texts.Text(id);
            for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
                const std::size_t after = at + name.size();
                EXPECT_TRUE(after == text.size() || closers.find(text[after]) != std::string::npos) << text;
            }
        }
    }
}

}  // namespace
