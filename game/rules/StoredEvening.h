#pragma once
// The evening between rounds as short named texts, and back: what the store keeps of it,
// apart from how the store keeps it (the two slots of EveningText.cpp). Every value read
// is checked against the limits of the setup box and the table; a text of an older
// version, without the fields added since, reads with the behaviour it was played under.
#include "HouseRules.h"
#include "TableSeat.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace DoDadu {

struct StoredEvening {
    HouseRules rules;
    std::vector<TableSeat> seats;
    int bank = 0;
    int rounds = 0;
    int bankRounds = 0;
    bool wildSeen = false;
    std::int64_t startTotal = 0;
    std::vector<int> deckOrder;
    int deckPosition = 0;
};

using NamedText = std::pair<std::string, std::string>;

// The evening's texts, in the order they are written and read.
std::vector<NamedText> EveningTexts(const StoredEvening& evening);
// The evening from its texts, each asked for by name in that same order; none when a
// text is damaged, out of its limits, or the seats, the bank and the rules do not fit
// one another. (Whether the chips add up to the start is the table's to judge.)
std::optional<StoredEvening> EveningFromTexts(const std::function<std::string(const std::string&)>& read);

// The house rules as one text, and back.
std::string RulesText(const HouseRules& rules);
std::optional<HouseRules> RulesFromText(const std::string& text);

}  // namespace DoDadu
