#pragma once
// The texts of every language, read from gettext .po files and checked against each
// other. In each file an entry's msgctxt is the text's id and msgid its English text;
// en.po is the source (its msgstr stay empty), the other files carry the translation
// in msgstr.
#include <set>
#include <string>
#include <vector>

namespace textgen {

struct PoEntry {
    std::string id;       // msgctxt
    std::string english;  // msgid
    std::string text;     // msgstr
    bool fuzzy = false;
    int line = 0;  // where the entry begins
};

struct PoFile {
    std::string name;      // for messages
    std::string language;  // the header's "Language:" code: en, it, es
    std::vector<PoEntry> entries;
};

// A language the generator knows: its code and how the resource script names it.
struct LanguageInfo {
    const char* code;
    const char* name;  // the enumerator in the ids header
    const char* language;
    const char* sublanguage;
};
const LanguageInfo* FindLanguage(const std::string& code);

// Reads one .po file's text. Syntax faults go to errors as "name:line: what".
PoFile ParsePo(const std::string& text, const std::string& name, std::vector<std::string>& errors);

// The names of the {placeholders} of a text. A brace that opens or closes no placeholder
// ({ followed by lower-case letters and }) is reported to errors.
std::set<std::string> Placeholders(const std::string& text, const std::string& where,
                                   std::vector<std::string>& errors);

struct Catalog {
    std::vector<const LanguageInfo*> languages;   // English first
    std::vector<std::string> ids;                 // in the order of en.po
    std::vector<std::vector<std::string>> texts;  // texts[language][index of the id]
};

// Checks the files against English (the first file) and gathers their texts. Every id of
// English must be in every language, no language may have an id English lacks, and each
// translation must be non-empty, not fuzzy, made from the current English text and use
// the same placeholders.
Catalog BuildCatalog(const std::vector<PoFile>& files, std::vector<std::string>& errors);

}  // namespace textgen
