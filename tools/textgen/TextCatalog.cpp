#include "TextCatalog.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace textgen {

namespace {

const LanguageInfo kLanguages[] = {
    {"en", "English", "LANG_ENGLISH", "SUBLANG_ENGLISH_US"},
    {"it", "Italian", "LANG_ITALIAN", "SUBLANG_ITALIAN"},
    {"es", "Spanish", "LANG_SPANISH", "SUBLANG_SPANISH_MODERN"},
};

std::string At(const std::string& name, int line) { return name + ":" + std::to_string(line) + ": "; }

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The length of the well-formed UTF-8 sequence at text[at], 0 when it is not one.
std::size_t Utf8Length(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    unsigned code = lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < min || code > 0x10FFFF || surrogate ? 0 : length;
}

// The text of a quoted .po string: "..." with the escapes \n, \t, \" and \\.
bool Unquote(const std::string& quoted, std::string& text, std::string& fault) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        fault = "a string must stand in double quotes";
        return false;
    }
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '"') {
            fault = "a quote inside a string must be written \\\"";
            return false;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (i + 2 >= quoted.size()) {
            fault = "a string ends in a lone backslash";
            return false;
        }
        c = quoted[++i];
        switch (c) {
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case '"': text += '"'; break;
            case '\\': text += '\\'; break;
            default: fault = std::string("the escape \\") + c + " is not used in these texts"; return false;
        }
    }
    return true;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ValidId(const std::string& id) {
    if (id.empty() || !std::isalpha(static_cast<unsigned char>(id[0]))) return false;
    return std::all_of(id.begin(), id.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Reads the .po file line by line; an entry ends where the next begins or at a blank line.
class PoReader {
public:
    PoReader(PoFile& file, std::vector<std::string>& errors) : file(file), errors(errors) {}

    void Line(const std::string& raw, int number) {
        const std::string line = Trim(raw);
        lineNumber = number;
        if (line.empty()) {
            Finish();
        } else if (StartsWith(line, "#,")) {
            if (state == State::Text) Finish();
            if (line.find("fuzzy") != std::string::npos) pendingFuzzy = true;
        } else if (line[0] == '#') {
            // Comments, and entries kept as obsolete (#~), are not texts.
        } else if (line[0] == '"') {
            if (field == nullptr)
                Fault("a string continues no keyword");
            else
                Append(*field, line);
        } else {
            Keyword(line);
        }
    }

    void End() {
        Finish();
        if (!headerSeen) errors.push_back(file.name + ": no header entry with Language and charset=UTF-8");
    }

private:
    enum class State { None, Context, Id, Text };

    void Keyword(const std::string& line) {
        const auto space = line.find_first_of(" \t");
        const std::string keyword = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : Trim(line.substr(space));
        if (keyword == "msgctxt") {
            if (state != State::None) Finish();
            Begin();
            state = State::Context;
            hasContext = true;
            field = &entry.id;
        } else if (keyword == "msgid") {
            if (state == State::Id || state == State::Text) Finish();
            if (state == State::None) Begin();
            state = State::Id;
            field = &entry.english;
        } else if (keyword == "msgstr") {
            if (state != State::Id) {
                Fault("msgstr without msgid");
                return;
            }
            state = State::Text;
            field = &entry.text;
        } else {
            Fault("unknown keyword " + keyword + " (plural forms are not used)");
            field = nullptr;
            return;
        }
        Append(*field, rest);
    }

    void Append(std::string& target, const std::string& quoted) {
        std::string fault;
        if (!Unquote(quoted, target, fault)) Fault(fault);
    }

    void Begin() {
        entry = PoEntry();
        entry.line = lineNumber;
        entry.fuzzy = pendingFuzzy;
        pendingFuzzy = false;
        hasContext = false;
    }

    void Finish() {
        if (state == State::None) return;
        if (state != State::Text) {
            Fault("an entry without msgstr");
        } else if (!hasContext && entry.english.empty()) {
            Header();
        } else if (!hasContext) {
            errors.push_back(At(file.name, entry.line) + "an entry without msgctxt, the text's id");
        } else if (!ValidId(entry.id)) {
            errors.push_back(At(file.name, entry.line) + "the id \"" + entry.id +
                             "\" is not a name of letters and digits");
        } else if (!ids.insert(entry.id).second) {
            errors.push_back(At(file.name, entry.line) + "the id " + entry.id + " comes twice");
        } else {
            file.entries.push_back(entry);
        }
        state = State::None;
        field = nullptr;
    }

    void Header() {
        headerSeen = true;
        std::string lower = entry.text;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower.find("charset=utf-8") == std::string::npos)
            errors.push_back(At(file.name, entry.line) + "the header must say charset=UTF-8");
        const auto at = entry.text.find("Language:");
        if (at != std::string::npos) {
            const auto end = entry.text.find('\n', at);
            file.language = Trim(entry.text.substr(at + 9, end == std::string::npos ? end : end - at - 9));
        }
        if (FindLanguage(file.language) == nullptr)
            errors.push_back(At(file.name, entry.line) + "the header's Language \"" + file.language +
                             "\" is none of en, it, es");
    }

    void Fault(const std::string& what) { errors.push_back(At(file.name, lineNumber) + what); }

    PoFile& file;
    std::vector<std::string>& errors;
    PoEntry entry;
    State state = State::None;
    std::string* field = nullptr;
    bool hasContext = false;
    bool pendingFuzzy = false;
    bool headerSeen = false;
    int lineNumber = 0;
    std::set<std::string> ids;
};

}  // namespace

const LanguageInfo* FindLanguage(const std::string& code) {
    for (const LanguageInfo& language : kLanguages)
        if (code == language.code) return &language;
    return nullptr;
}

PoFile ParsePo(const std::string& text, const std::string& name, std::vector<std::string>& errors) {
    PoFile file;
    file.name = name;
    PoReader reader(file, errors);
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++number;
        for (std::size_t i = 0; i < line.size();) {
            const std::size_t length = Utf8Length(line, i);
            if (length == 0) {
                errors.push_back(At(name, number) + "not UTF-8");
                line.clear();
                break;
            }
            i += length;
        }
        reader.Line(line, number);
        start = end + 1;
    }
    reader.End();
    return file;
}

std::set<std::string> Placeholders(const std::string& text, const std::string& where,
                                   std::vector<std::string>& errors) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{' && text[i] != '}') continue;
        std::size_t end = i + 1;
        while (end < text.size() && std::islower(static_cast<unsigned char>(text[end]))) ++end;
        if (text[i] == '{' && end > i + 1 && end < text.size() && text[end] == '}') {
            names.insert(text.substr(i + 1, end - i - 1));
            i = end;
        } else {
            errors.push_back(where + "a brace that is no {placeholder} of lower-case letters");
            return names;
        }
    }
    return names;
}

Catalog BuildCatalog(const std::vector<PoFile>& files, std::vector<std::string>& errors) {
    Catalog catalog;
    if (files.empty() || files.front().language != "en") {
        errors.emplace_back("the first file must be the English one (Language: en)");
        return catalog;
    }
    const PoFile& english = files.front();
    std::map<std::string, const PoEntry*> source;
    std::map<std::string, std::set<std::string>> sourcePlaceholders;
    for (const PoEntry& entry : english.entries) {
        const std::string where = At(english.name, entry.line) + entry.id + ": ";
        catalog.ids.push_back(entry.id);
        source[entry.id] = &entry;
        sourcePlaceholders[entry.id] = Placeholders(entry.english, where, errors);
        if (entry.english.empty()) errors.push_back(where + "the English text is empty");
        if (entry.fuzzy) errors.push_back(where + "marked fuzzy");
        if (!entry.text.empty())
            errors.push_back(where + "msgstr must stay empty in English: the text is the msgid");
    }
    std::set<std::string> seen;
    for (const PoFile& file : files) {
        const LanguageInfo* language = FindLanguage(file.language);
        if (language == nullptr) continue;  // reported with the header
        if (!seen.insert(file.language).second) {
            errors.push_back(file.name + ": a second file for the language " + file.language);
            continue;
        }
        catalog.languages.push_back(language);
        std::vector<std::string> texts;
        if (&file == &english) {
            for (const PoEntry& entry : english.entries) texts.push_back(entry.english);
            catalog.texts.push_back(texts);
            continue;
        }
        std::map<std::string, const PoEntry*> translated;
        for (const PoEntry& entry : file.entries) {
            const std::string where = At(file.name, entry.line) + entry.id + ": ";
            translated[entry.id] = &entry;
            const auto found = source.find(entry.id);
            if (found == source.end()) {
                errors.push_back(where + "an id that English does not have");
                continue;
            }
            if (entry.english != found->second->english)
                errors.push_back(where + "the msgid is not the current English text: translate it again");
            if (entry.fuzzy)
                errors.push_back(where + "marked fuzzy: check the translation and remove the mark");
            if (entry.text.empty()) errors.push_back(where + "not translated");
            if (Placeholders(entry.text, where, errors) != sourcePlaceholders[entry.id])
                errors.push_back(where + "the placeholders differ from the English ones");
        }
        for (const std::string& id : catalog.ids) {
            const auto found = translated.find(id);
            if (found == translated.end()) {
                errors.push_back(file.name + ": " + id + " is missing");
                texts.emplace_back();
            } else {
                texts.push_back(found->second->text);
            }
        }
        catalog.texts.push_back(texts);
    }
    return catalog;
}

}  // namespace textgen
