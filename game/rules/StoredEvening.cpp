#include "StoredEvening.h"
#include "Cards.h"
#include "NumberText.h"
#include "TableDeck.h"

#include <limits>
#include <sstream>

namespace DoDadu {

namespace {

constexpr std::size_t kLongestName = 64;  // bytes of UTF-8
constexpr std::int64_t kMostCount = std::numeric_limits<int>::max();

std::vector<std::string> Fields(const std::string& text, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t begin = 0;
    while (fields.size() + 1 < count) {
        const std::size_t comma = text.find(',', begin);
        if (comma == std::string::npos) break;
        fields.push_back(text.substr(begin, comma - begin));
        begin = comma + 1;
    }
    fields.push_back(text.substr(begin));  // the last field keeps its commas (a name)
    return fields;
}

// The length of the UTF-8 sequence that this byte leads, and the bits it carries; 0
// for a byte that cannot lead one.
int SequenceLength(unsigned char lead, std::uint32_t& code) {
    const int length = lead < 0x80             ? 1
                       : (lead & 0xE0) == 0xC0 ? 2
                       : (lead & 0xF0) == 0xE0 ? 3
                       : (lead & 0xF8) == 0xF0 ? 4
                                               : 0;
    code = length <= 1 ? lead : lead & (0x7F >> length);
    return length;
}

// Well-formed UTF-8 (no overlong forms, no surrogates) of printable characters, not too
// long and not empty.
bool IsGoodName(const std::string& name) {
    if (name.empty() || name.size() > kLongestName) return false;
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    for (std::size_t i = 0; i < name.size();) {
        std::uint32_t code = 0;
        const int length = SequenceLength(static_cast<unsigned char>(name[i]), code);
        if (length == 0 || name.size() - i < static_cast<std::size_t>(length)) return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(name[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        const bool control = code < 0x20 || (code >= 0x7F && code < 0xA0);
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || control)
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

// The rules' fields in the order stored. The last two came later: a text without them
// was played with neither a royal 7.5 nor the cover.
constexpr std::size_t kRulesFields = 11;
constexpr std::size_t kEarliestRulesFields = 9;

std::string SeatText(const TableSeat& s) {
    std::ostringstream out;
    out << static_cast<int>(s.kind) << ',' << static_cast<int>(s.style) << ',' << s.chips << ','
        << s.roundsAsBank << ',' << s.twoCardBest << ',' << s.name;
    return out.str();
}

std::optional<TableSeat> SeatFrom(const std::string& text) {
    const auto f = Fields(text, 6);
    if (f.size() != 6 || !IsGoodName(f[5])) return std::nullopt;
    const auto kind = WholeNumber(f[0], 0, 1), style = WholeNumber(f[1], 0, kPlayStyleCount - 1),
               chips = WholeNumber(f[2], 0, kMostChips);
    const auto asBank = WholeNumber(f[3], 0, kMostCount);
    const auto twoCard = WholeNumber(f[4], 0, kMostCount);
    if (!kind || !style || !chips || !asBank || !twoCard) return std::nullopt;
    TableSeat seat;
    seat.kind = static_cast<SeatKind>(*kind);
    seat.style = static_cast<PlayStyle>(*style);
    seat.chips = *chips;
    seat.roundsAsBank = static_cast<int>(*asBank);
    seat.twoCardBest = static_cast<int>(*twoCard);
    seat.name = f[5];
    return seat;
}

std::string DeckText(const std::vector<int>& order) {
    std::string text;
    for (int id : order) text += (text.empty() ? "" : ",") + std::to_string(id);
    return text;
}

std::optional<std::vector<int>> DeckFrom(const std::string& text) {
    const auto f = Fields(text, kCardCount);
    std::vector<int> order;
    for (const auto& field : f) {
        const auto id = WholeNumber(field, 1, kCardCount);
        if (!id) return std::nullopt;
        order.push_back(static_cast<int>(*id));
    }
    if (!IsWholeDeck(order)) return std::nullopt;
    return order;
}

}  // namespace

std::string RulesText(const HouseRules& r) {
    std::ostringstream out;
    out << r.wildCard << ',' << static_cast<int>(r.doublePay) << ',' << r.twoCardTakesBank << ','
        << static_cast<int>(r.passing) << ',' << r.passEvery << ',' << r.minStake << ',' << r.maxStake << ','
        << r.stakeStep << ',' << r.classicTable << ',' << r.royalSevenAndHalf << ',' << r.cover;
    return out.str();
}

std::optional<HouseRules> RulesFromText(const std::string& text) {
    const auto f = Fields(text, kRulesFields);
    if (f.size() != kRulesFields && f.size() != kEarliestRulesFields) return std::nullopt;
    const std::int64_t most[kRulesFields] = {1,          2, 1, 2, kMostPassEvery, kMostStake, kMostStake,
                                             kMostStake, 1, 1, 1};
    std::int64_t v[kRulesFields] = {};
    for (std::size_t i = 0; i < f.size(); ++i) {
        const auto n = WholeNumber(f[i], 0, most[i]);
        if (!n) return std::nullopt;
        v[i] = *n;
    }
    HouseRules r;
    r.wildCard = v[0] != 0;
    r.doublePay = static_cast<DoublePay>(v[1]);
    r.twoCardTakesBank = v[2] != 0;
    r.passing = static_cast<BankPassing>(v[3]);
    r.passEvery = static_cast<int>(v[4]);
    r.minStake = static_cast<int>(v[5]);
    r.maxStake = static_cast<int>(v[6]);
    r.stakeStep = static_cast<int>(v[7]);
    r.classicTable = v[8] != 0;
    r.royalSevenAndHalf = v[9] != 0;
    r.cover = v[10] != 0;
    if (!r.Valid()) return std::nullopt;
    return r;
}

std::vector<NamedText> EveningTexts(const StoredEvening& e) {
    std::vector<NamedText> texts;
    texts.emplace_back("Rules", RulesText(e.rules));
    texts.emplace_back("Seats", std::to_string(e.seats.size()));
    for (std::size_t i = 0; i < e.seats.size(); ++i)
        texts.emplace_back("Seat" + std::to_string(i + 1), SeatText(e.seats[i]));
    texts.emplace_back("Bank", std::to_string(e.bank));
    texts.emplace_back("Rounds", std::to_string(e.rounds));
    texts.emplace_back("BankRounds", std::to_string(e.bankRounds));
    texts.emplace_back("Wild", e.wildSeen ? "1" : "0");
    texts.emplace_back("Start", std::to_string(e.startTotal));
    texts.emplace_back("Deck", DeckText(e.deckOrder));
    texts.emplace_back("Dealt", std::to_string(e.deckPosition));
    return texts;
}

std::optional<StoredEvening> EveningFromTexts(const std::function<std::string(const std::string&)>& read) {
    const auto count = [&read](const std::string& name, std::int64_t most) {
        return WholeNumber(read(name), 0, most);
    };
    StoredEvening e;
    const auto rules = RulesFromText(read("Rules"));
    const auto seats = count("Seats", kMaxSeats);
    if (!rules || !seats || *seats < kMinSeats) return std::nullopt;
    e.rules = *rules;
    for (int i = 1; i <= *seats; ++i) {
        const auto seat = SeatFrom(read("Seat" + std::to_string(i)));
        if (!seat) return std::nullopt;
        e.seats.push_back(*seat);
    }
    const auto bank = count("Bank", *seats - 1), rounds = count("Rounds", kMostCount);
    const auto bankRounds = count("BankRounds", kMostCount), wild = count("Wild", 1);
    const auto start = count("Start", kMostChips);
    const auto order = DeckFrom(read("Deck"));
    const auto position = count("Dealt", kCardCount);
    if (!bank || !rounds || !bankRounds || !wild || !start || !order || !position) return std::nullopt;
    e.bank = static_cast<int>(*bank);
    e.rounds = static_cast<int>(*rounds);
    e.bankRounds = static_cast<int>(*bankRounds);
    e.wildSeen = *wild != 0;
    e.startTotal = *start;
    e.deckOrder = *order;
    e.deckPosition = static_cast<int>(*position);
    return e;
}

}  // namespace DoDadu
