// The evening as named texts, kept in two slots ("A." and "B.") written in turn, so that
// a store killed in the middle of a write still holds the whole evening of the round
// before in the other slot. Each slot's values are written in order, the generation of
// the save first and a check value over all of them last: a slot with a value from a
// different save, or any damage, does not match its check and is passed by.
#include "Cards.h"
#include "Evening.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>

namespace DoDadu {

namespace {

constexpr std::int64_t kMostChips = 1000000000000000;  // far beyond any evening
constexpr std::int64_t kMostStake = 100000000;
constexpr std::size_t kLongestName = 64;  // bytes of UTF-8

const char* const kSlots[] = {"A.", "B."};

// What a slot holds.
struct Stored {
    std::uint64_t generation = 0;
    HouseRules rules;
    std::vector<TableSeat> seats;
    int bank = 0;
    int rounds = 0;
    int bankRounds = 0;
    bool wild = false;
    std::int64_t start = 0;
    std::vector<int> order;
    int position = 0;
};

// Plain decimal digits for a number from 0 to most; nothing else.
std::optional<std::int64_t> Number(const std::string& text, std::int64_t most) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > most) return std::nullopt;
    return value;
}

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

std::string RulesText(const HouseRules& r) {
    std::ostringstream out;
    out << r.wildCard << ',' << static_cast<int>(r.twoCardPays) << ',' << r.twoCardTakesBank << ','
        << static_cast<int>(r.passing) << ',' << r.passEvery << ',' << r.minStake << ',' << r.maxStake << ','
        << r.stakeStep << ',' << r.classicTable;
    return out.str();
}

std::optional<HouseRules> RulesFrom(const std::string& text) {
    const auto f = Fields(text, 9);
    if (f.size() != 9) return std::nullopt;
    std::int64_t v[9];
    const std::int64_t most[9] = {1, 1, 1, 2, 1000000, kMostStake, kMostStake, kMostStake, 1};
    for (std::size_t i = 0; i < 9; ++i) {
        const auto n = Number(f[i], most[i]);
        if (!n) return std::nullopt;
        v[i] = *n;
    }
    HouseRules r;
    r.wildCard = v[0] != 0;
    r.twoCardPays = static_cast<TwoCardPay>(v[1]);
    r.twoCardTakesBank = v[2] != 0;
    r.passing = static_cast<BankPassing>(v[3]);
    r.passEvery = static_cast<int>(v[4]);
    r.minStake = static_cast<int>(v[5]);
    r.maxStake = static_cast<int>(v[6]);
    r.stakeStep = static_cast<int>(v[7]);
    r.classicTable = v[8] != 0;
    if (!r.Valid()) return std::nullopt;
    return r;
}

std::string SeatText(const TableSeat& s) {
    std::ostringstream out;
    out << static_cast<int>(s.kind) << ',' << static_cast<int>(s.style) << ',' << s.chips << ','
        << s.roundsAsBank << ',' << s.twoCardBest << ',' << s.name;
    return out.str();
}

std::optional<TableSeat> SeatFrom(const std::string& text) {
    const auto f = Fields(text, 6);
    if (f.size() != 6 || !IsGoodName(f[5])) return std::nullopt;
    const auto kind = Number(f[0], 1), style = Number(f[1], kPlayStyleCount - 1),
               chips = Number(f[2], kMostChips);
    const auto asBank = Number(f[3], std::numeric_limits<int>::max());
    const auto twoCard = Number(f[4], std::numeric_limits<int>::max());
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
        const auto id = Number(field, kCardCount);
        if (!id) return std::nullopt;
        order.push_back(static_cast<int>(*id));
    }
    if (!IsWholeDeck(order)) return std::nullopt;
    return order;
}

// Reads one slot's values through `read`, checking the sum as it goes.
class SlotReader {
public:
    SlotReader(EveningStore& store, const char* slot) : store(store), slot(slot) {}
    std::string Get(const std::string& name) {
        std::string text = store.Read(slot + name);
        sum.Add(name, text);
        return text;
    }
    std::optional<std::int64_t> Count(const std::string& name, std::int64_t most) {
        return Number(Get(name), most);
    }
    bool Checked() { return store.Read(slot + std::string("Check")) == sum.Text(); }

private:
    EveningStore& store;
    std::string slot;
    StoreCheck sum;
};

std::optional<Stored> ReadSlot(EveningStore& store, const char* slot) {
    SlotReader in(store, slot);
    Stored s;
    const auto generation = in.Count("Saved", std::numeric_limits<std::int64_t>::max());
    const auto rules = RulesFrom(in.Get("Rules"));
    const auto count = in.Count("Seats", kMaxSeats);
    if (!generation || !rules || !count || *count < kMinSeats) return std::nullopt;
    s.generation = static_cast<std::uint64_t>(*generation);
    s.rules = *rules;
    for (int i = 1; i <= *count; ++i) {
        const auto seat = SeatFrom(in.Get("Seat" + std::to_string(i)));
        if (!seat) return std::nullopt;
        s.seats.push_back(*seat);
    }
    const auto bank = in.Count("Bank", *count - 1),
               rounds = in.Count("Rounds", std::numeric_limits<int>::max());
    const auto bankRounds = in.Count("BankRounds", std::numeric_limits<int>::max()),
               wild = in.Count("Wild", 1);
    const auto start = in.Count("Start", kMostChips * kMaxSeats);
    const auto order = DeckFrom(in.Get("Deck"));
    const auto position = in.Count("Dealt", kCardCount);
    if (!bank || !rounds || !bankRounds || !wild || !start || !order || !position || !in.Checked())
        return std::nullopt;
    s.bank = static_cast<int>(*bank);
    s.rounds = static_cast<int>(*rounds);
    s.bankRounds = static_cast<int>(*bankRounds);
    s.wild = *wild != 0;
    s.start = *start;
    s.order = *order;
    s.position = static_cast<int>(*position);
    return s;
}

}  // namespace

void StoreCheck::Add(const std::string& name, const std::string& text) {
    std::string line = name;
    line += '=';
    line += text;
    line += '\n';
    for (char c : line) {
        value ^= static_cast<unsigned char>(c);
        value *= 1099511628211ull;
    }
}

std::string StoreCheck::Text() const {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return buffer;
}

void Evening::Save(EveningStore& store) {
    if (round.InPlay()) return;
    // A new evening's first save goes above whatever an earlier evening left in the store,
    // or that one would count as the newer and come back at the next start.
    if (saves == 0)
        for (const char* slot : kSlots)
            if (auto stored = ReadSlot(store, slot)) saves = std::max(saves, stored->generation);
    ++saves;
    const std::string slot = kSlots[saves % 2];
    StoreCheck sum;
    auto put = [&](const std::string& name, const std::string& text) {
        sum.Add(name, text);
        store.Write(slot + name, text);
    };
    put("Saved", std::to_string(saves));
    put("Rules", RulesText(rules));
    put("Seats", std::to_string(seats.size()));
    for (std::size_t i = 0; i < seats.size(); ++i) put("Seat" + std::to_string(i + 1), SeatText(seats[i]));
    put("Bank", std::to_string(bank));
    put("Rounds", std::to_string(rounds));
    put("BankRounds", std::to_string(bankRounds));
    put("Wild", wildSeen ? "1" : "0");
    put("Start", std::to_string(startTotal));
    put("Deck", DeckText(deck.Order()));
    put("Dealt", std::to_string(deck.Position()));
    store.Write(slot + "Check", sum.Text());
}

bool Evening::Load(EveningStore& store) {
    std::optional<Stored> best;
    for (const char* slot : kSlots) {
        auto stored = ReadSlot(store, slot);
        if (stored && (!best || stored->generation > best->generation)) best = std::move(stored);
    }
    if (!best || round.InPlay()) return false;
    Stored& s = *best;
    std::int64_t total = 0;
    for (const TableSeat& seat : s.seats) total += seat.chips;
    const bool bankOut = s.seats[static_cast<std::size_t>(s.bank)].chips < s.rules.minStake;
    int playing = 0;
    for (const TableSeat& seat : s.seats) playing += seat.chips >= s.rules.minStake ? 1 : 0;
    // The chips only ever move between seats; a bank left out is passed on at once.
    if (total != s.start || (bankOut && playing >= 2)) return false;
    if (!SeatingFault(s.rules, s.seats, s.bank, nullptr).empty()) return false;
    if (!deck.Restore(s.order, s.position)) return false;
    rules = s.rules;
    seats = s.seats;
    round.Clear();
    bank = s.bank;
    rounds = s.rounds;
    bankRounds = s.bankRounds;
    wildSeen = s.wild;
    startTotal = s.start;
    saves = s.generation;
    return true;
}

}  // namespace DoDadu
