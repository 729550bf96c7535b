#include "TextOutputs.h"

#include <cstdio>

namespace textgen {

namespace {

const char* const kMadeBy =
    "Made by tools/textgen from po/*.po at build time: edit those files, not this one.";

// A C++ string literal: quotes, backslashes, line breaks and every byte beyond ASCII
// escaped, so that any compiler reads the same UTF-8 bytes.
std::string CppLiteral(const std::string& text) {
    std::string literal = "\"";
    char previous = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += c;
        } else if (c == '\n') {
            literal += "\\n";
        } else if (c == '?' && previous == '?') {
            literal += "\\?";  // never a trigraph
        } else if (byte < 0x20 || byte >= 0x7F) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", byte);
            literal += octal;
        } else {
            literal += c;
        }
        previous = c;
    }
    return literal + "\"";
}

// A resource script string: doubled quotes, escaped backslashes and line breaks, UTF-8 as is.
std::string RcLiteral(const std::string& text) {
    std::string literal = "\"";
    for (char c : text) {
        if (c == '"')
            literal += "\"\"";
        else if (c == '\\')
            literal += "\\\\";
        else if (c == '\n')
            literal += "\\n";
        else if (c == '\t')
            literal += "\\t";
        else
            literal += c;
    }
    return literal + "\"";
}

// The English text for a comment beside its id: one line, and short.
std::string CommentText(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\\')
            line += "\\\\";
        else
            line += c;
    }
    if (line.size() > 60) line = line.substr(0, 57) + "...";
    return line;
}

}  // namespace

std::string IdsHeader(const Catalog& catalog) {
    std::string out = "#pragma once\n// ";
    out += kMadeBy;
    out +=
        "\n//\n"
        "// The ids of every text a player sees or hears, in English, Italian and Spanish. The\n"
        "// program reads a text from its string resources, one STRINGTABLE per language\n"
        "// (NeloUtility::Text). Code that runs without Windows, and the tests on the host, read\n"
        "// the same texts from the table TableText, made from the same files. Placeholders in\n"
        "// braces, {card}, {points}..., are the same in every language, in any order.\n"
        "namespace TextIds {\n\n"
        "enum class Language {";
    for (std::size_t i = 0; i < catalog.languages.size(); ++i)
        out += std::string(i == 0 ? " " : ", ") + catalog.languages[i]->name;
    out += " };\n";
    out += "constexpr int kLanguageCount = " + std::to_string(catalog.languages.size()) + ";\n\n";
    for (std::size_t i = 0; i < catalog.ids.size(); ++i) {
        out += "constexpr unsigned k" + catalog.ids[i] + " = " + std::to_string(kFirstTextId + i) + ";  // " +
               CommentText(catalog.texts.empty() ? std::string() : catalog.texts[0][i]) + "\n";
    }
    out += "\nconstexpr unsigned kFirst = " + std::to_string(kFirstTextId) + ";\n";
    out += "constexpr unsigned kCount = " + std::to_string(catalog.ids.size()) + ";\n\n";
    out +=
        "// The text of an id in a language as UTF-8; \"\" for an id outside the table. Every\n"
        "// language has every text: the build refuses files that lack one.\n"
        "const char* TableText(Language language, unsigned id);\n\n"
        "}  // namespace TextIds\n";
    return out;
}

std::string ResourceScript(const Catalog& catalog) {
    std::string out = "// ";
    out += kMadeBy;
    out +=
        "\n// The texts of every language, read by language with FindResourceEx.\n"
        "#pragma code_page(65001)\n"
        "#include <winresrc.h>\n";
    for (std::size_t l = 0; l < catalog.languages.size(); ++l) {
        out += std::string("\nLANGUAGE ") + catalog.languages[l]->language + ", " +
               catalog.languages[l]->sublanguage + "\nSTRINGTABLE\nBEGIN\n";
        for (std::size_t i = 0; i < catalog.ids.size(); ++i)
            out += "    " + std::to_string(kFirstTextId + i) + ", " + RcLiteral(catalog.texts[l][i]) + "\n";
        out += "END\n";
    }
    return out;
}

std::string TableSource(const Catalog& catalog) {
    std::string out = "// ";
    out += kMadeBy;
    out +=
        "\n#include \"TextIds.h\"\n\n"
        "namespace TextIds {\n\n"
        "namespace {\n\n"
        "const char* const kTexts[kLanguageCount][kCount] = {\n";
    for (std::size_t l = 0; l < catalog.languages.size(); ++l) {
        out += std::string("    {\n        // ") + catalog.languages[l]->name + "\n";
        for (const std::string& text : catalog.texts[l]) out += "        " + CppLiteral(text) + ",\n";
        out += "    },\n";
    }
    out +=
        "};\n\n"
        "}  // namespace\n\n"
        "const char* TableText(Language language, unsigned id) {\n"
        "    const int index = static_cast<int>(language);\n"
        "    if (index < 0 || index >= kLanguageCount || id < kFirst || id - kFirst >= kCount) return \"\";\n"
        "    return kTexts[index][id - kFirst];\n"
        "}\n\n"
        "}  // namespace TextIds\n";
    return out;
}

}  // namespace textgen
