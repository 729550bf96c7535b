// The texts generator: the faults it must refuse, and the project's own .po files, which
// must give every text in every language.
#include "TextCatalog.h"
#include "TextOutputs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using textgen::BuildCatalog;
using textgen::Catalog;
using textgen::ParsePo;
using textgen::PoFile;

std::string Header(const std::string& language) {
    return "msgid \"\"\nmsgstr \"\"\n\"Language: " + language +
           "\\n\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
}

const std::string kEnglish =
    Header("en") +
    "msgctxt \"Score\"\nmsgid \"Score: {score}\"\nmsgstr \"\"\n\n"
    "msgctxt \"Guide\"\nmsgid \"\"\n\"Press \\\"START\\\".\\n\"\n\"Then draw.\"\nmsgstr \"\"\n";

// Both files read and checked together; the faults found.
std::vector<std::string> Check(const std::string& english, const std::string& other,
                               Catalog* catalog = nullptr) {
    std::vector<std::string> errors;
    std::vector<PoFile> files{ParsePo(english, "en.po", errors), ParsePo(other, "it.po", errors)};
    Catalog built = BuildCatalog(files, errors);
    if (catalog != nullptr) *catalog = built;
    return errors;
}

std::string Italian(const std::string& score, const std::string& guide, const std::string& flags = "") {
    return Header("it") + flags + "msgctxt \"Score\"\nmsgid \"Score: {score}\"\nmsgstr \"" + score +
           "\"\n\nmsgctxt \"Guide\"\nmsgid \"Press \\\"START\\\".\\nThen draw.\"\nmsgstr \"" + guide + "\"\n";
}

TEST(Textgen, ReadsTextsWithEscapesAndContinuedLines) {
    Catalog catalog;
    EXPECT_TRUE(
        Check(kEnglish, Italian("Punteggio: {score}", "Premi \\\"GIOCA\\\".\\nPoi pesca: più."), &catalog)
            .empty());
    ASSERT_EQ(catalog.texts.size(), 2U);
    EXPECT_EQ(catalog.ids, (std::vector<std::string>{"Score", "Guide"}));
    EXPECT_EQ(catalog.texts[0][1], "Press \"START\".\nThen draw.");
    EXPECT_EQ(catalog.texts[1][1], "Premi \"GIOCA\".\nPoi pesca: pi\xC3\xB9.");
}

TEST(Textgen, RefusesFilesThatDoNotMatchEnglish) {
    const std::string score = "Punteggio: {score}";
    const std::string guide = "Premi GIOCA.";
    const std::string missing =
        Header("it") + "msgctxt \"Score\"\nmsgid \"Score: {score}\"\nmsgstr \"P {score}\"\n";
    struct Case {
        const char* fault;
        std::string english;
        std::string other;
        const char* message;
    };
    const Case cases[] = {
        {"missing id", kEnglish, missing, "Guide is missing"},
        {"unknown id", kEnglish, Italian(score, guide) + "\nmsgctxt \"Extra\"\nmsgid \"x\"\nmsgstr \"y\"\n",
         "an id that English does not have"},
        {"placeholder lost", kEnglish, Italian("Punteggio", guide), "placeholders differ"},
        {"placeholder renamed", kEnglish, Italian("Punteggio: {punti}", guide), "placeholders differ"},
        {"broken placeholder", kEnglish, Italian("Punteggio: {score", guide), "a brace"},
        {"fuzzy", kEnglish, Italian(score, guide, "#, fuzzy\n"), "fuzzy"},
        {"empty translation", kEnglish, Italian("", guide), "not translated"},
        {"stale English", kEnglish,
         Header("it") + "msgctxt \"Score\"\nmsgid \"Points: {score}\"\nmsgstr \"" + score +
             "\"\n\nmsgctxt \"Guide\"\nmsgid \"Press \\\"START\\\".\\nThen draw.\"\nmsgstr \"x\"\n",
         "not the current English"},
        {"English translated", Header("en") + "msgctxt \"Score\"\nmsgid \"Score: {score}\"\nmsgstr \"S\"\n",
         Italian(score, guide), "msgstr must stay empty"},
        {"duplicate id", kEnglish,
         Italian(score, guide) + "\nmsgctxt \"Score\"\nmsgid \"Score: {score}\"\nmsgstr \"P\"\n",
         "comes twice"},
        {"no id", kEnglish, Italian(score, guide) + "\nmsgid \"Score: {score}\"\nmsgstr \"P\"\n",
         "without msgctxt"},
        {"unknown escape", kEnglish, Italian(score, "a\\rb"), "escape"},
        {"plural forms", kEnglish,
         Italian(score, guide) + "\nmsgctxt \"N\"\nmsgid \"a\"\nmsgid_plural \"b\"\n", "plural"},
        {"not UTF-8", kEnglish, Italian("Punteggio\xE0: {score}", guide), "not UTF-8"},
        {"Latin-1 header", kEnglish, "msgid \"\"\nmsgstr \"Language: it\\n\"\n", "charset=UTF-8"},
        {"unknown language", kEnglish, Header("fr"), "none of en, it, es"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> errors = Check(c.english, c.other);
        bool said = false;
        for (const std::string& error : errors) said = said || error.find(c.message) != std::string::npos;
        EXPECT_TRUE(said) << c.fault << ": no error says \"" << c.message << "\"";
    }
}

// The project's files: every text in every language, and outputs that say so.
TEST(Textgen, ProjectFilesGiveEveryTextInEveryLanguage) {
    std::vector<std::string> errors;
    std::vector<PoFile> files;
    for (const char* name : {"en.po", "it.po", "es.po"}) {
        std::ifstream in(std::string(ZANDRO_PO_DIR) + "/" + name, std::ios::binary);
        ASSERT_TRUE(in.good()) << name;
        std::ostringstream text;
        text << in.rdbuf();
        files.push_back(ParsePo(text.str(), name, errors));
    }
    const Catalog catalog = BuildCatalog(files, errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    ASSERT_EQ(catalog.languages.size(), 3U);
    for (std::size_t l = 0; l < catalog.languages.size(); ++l) {
        ASSERT_EQ(catalog.texts[l].size(), catalog.ids.size());
        for (std::size_t i = 0; i < catalog.ids.size(); ++i)
            EXPECT_FALSE(catalog.texts[l][i].empty()) << catalog.languages[l]->code << " " << catalog.ids[i];
    }
    const std::string script = textgen::ResourceScript(catalog);
    // windres reads UTF-8 only after this line.
    EXPECT_LT(script.find("#pragma code_page(65001)"), script.find("LANGUAGE"));
    for (const char* block : {"LANG_ENGLISH, SUBLANG_ENGLISH_US", "LANG_ITALIAN, SUBLANG_ITALIAN",
                              "LANG_SPANISH, SUBLANG_SPANISH_MODERN"})
        EXPECT_NE(script.find(std::string("LANGUAGE ") + block), std::string::npos) << block;
}

}  // namespace
