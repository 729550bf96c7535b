#include "GameTexts.h"

namespace DoDadu {

const TextSource& EnglishTexts() {
    static const TableTexts english(TextIds::Language::English);
    return english;
}

std::string FillPlaceholders(const std::string& text, std::initializer_list<Placeholder> values) {
    std::string filled;
    std::size_t from = 0;
    for (std::size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
        const std::size_t close = text.find('}', open);
        if (close == std::string::npos) break;
        const std::string name = text.substr(open + 1, close - open - 1);
        for (const Placeholder& value : values) {
            if (name != value.name) continue;
            filled.append(text, from, open - from);
            filled += value.value;
            from = close + 1;
            open = close;
            break;
        }
    }
    return filled.append(text, from, std::string::npos);
}

}  // namespace DoDadu
