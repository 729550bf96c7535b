// The evening as named texts (StoredEvening.h), kept in two slots ("A." and "B.")
// written in turn, so that a store killed in the middle of a write still holds the
// whole evening of the round before in the other slot. Each slot's values are written in
// order, the generation of the save first and a check value over all of them last: a
// slot with a value from a different save, or any damage, does not match its check and
// is passed by.
#include "Evening.h"
#include "NumberText.h"
#include "StoredEvening.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

namespace DoDadu {

namespace {

const char* const kSlots[] = {"A.", "B."};

struct Slot {
    std::uint64_t generation = 0;
    StoredEvening evening;
};

// One slot's values, read in the order written with the check summed as they come.
std::optional<Slot> ReadSlot(EveningStore& store, const std::string& slot) {
    StoreCheck sum;
    auto read = [&](const std::string& name) {
        std::string text = store.Read(slot + name);
        sum.Add(name, text);
        return text;
    };
    const auto generation = WholeNumber(read("Saved"), 0, std::numeric_limits<std::int64_t>::max());
    if (!generation) return std::nullopt;
    auto evening = EveningFromTexts(read);
    if (!evening || store.Read(slot + "Check") != sum.Text()) return std::nullopt;
    return Slot{static_cast<std::uint64_t>(*generation), std::move(*evening)};
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
    for (const NamedText& value : EveningTexts(Stored())) put(value.first, value.second);
    store.Write(slot + "Check", sum.Text());
}

bool Evening::Load(EveningStore& store) {
    std::optional<Slot> best;
    for (const char* slot : kSlots) {
        auto stored = ReadSlot(store, slot);
        if (stored && (!best || stored->generation > best->generation)) best = std::move(stored);
    }
    if (!best || round.InPlay() || !Restore(best->evening)) return false;
    saves = best->generation;
    return true;
}

}  // namespace DoDadu
