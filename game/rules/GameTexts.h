#pragma once
// Where the game's words come from, in the player's language. The program reads them from
// its string resources (ResourceTexts, on Windows); code and tests that run without
// Windows read the same texts from the table made from the same .po files (TableTexts).
// Ids are TextIds::k... (TextIds.h, made by tools/textgen).
#include "TextIds.h"

#include <initializer_list>
#include <string>

namespace DoDadu {

class TextSource {
public:
    virtual ~TextSource() = default;
    // The UTF-8 text of an id.
    virtual std::string Text(unsigned id) const = 0;
};

class TableTexts : public TextSource {
public:
    explicit TableTexts(TextIds::Language language) : language(language) {}
    std::string Text(unsigned id) const override { return TextIds::TableText(language, id); }

private:
    TextIds::Language language;
};

// The English texts, from the table: for callers that name no language.
const TextSource& EnglishTexts();

// A value for the placeholder {name} of a text.
struct Placeholder {
    const char* name;
    std::string value;
};

// The text with each {name} it has a value for replaced by that value, in one pass: a
// value is never filled in again, and a {name} without a value stays as it is.
std::string FillPlaceholders(const std::string& text, std::initializer_list<Placeholder> values);

}  // namespace DoDadu
