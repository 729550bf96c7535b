// The evening as the store keeps it: whatever a damaged or hostile store holds reads as a
// new evening, and a kill in the middle of a save loses at most the round just played.
#include "TableFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace DoDadu {
namespace {

// Three seats after a few rounds of the Italian rules, saved after each.
struct SavedEvening {
    Players players;
    RandomSource random;
    MapStore store;
    std::unique_ptr<Evening> evening;
    explicit SavedEvening(int rounds) {
        random.Reseed(11);
        auto seats = PersonSeats({50000, 50000, 50000});
        for (TableSeat& seat : seats) seat.kind = SeatKind::Computer;
        seats[1].name = "Caf\xC3\xA9, d\xC3\xA9j\xC3\xA0";  // UTF-8 with a comma
        evening = std::make_unique<Evening>(HouseRules::Italian(), seats, 0, random);
        evening->SetPlayers(&players.table);
        evening->SetStore(&store);
        for (int i = 0; i < rounds; ++i) EXPECT_TRUE(evening->PlayRound());
    }
};

// The one line that tells two evenings apart.
std::string Line(const Evening& evening) {
    std::string line = std::to_string(evening.Bank()) + "/" + std::to_string(evening.RoundsPlayed()) + "/" +
                       std::to_string(evening.Deck().Position()) + "/" +
                       std::to_string(evening.Rules().minStake);
    for (const TableSeat& seat : evening.Seats()) line += "|" + seat.name + ":" + std::to_string(seat.chips);
    return line;
}

// The text with its field at `index` (comma separated) replaced.
std::string WithField(const std::string& text, std::size_t index, const std::string& field) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    fields.at(index) = field;
    std::string joined;
    for (const auto& f : fields) joined += (joined.empty() ? "" : ",") + f;
    return joined;
}

// A hostile writer who knows the format signs the slot again after changing it.
void SignAgain(MapStore& store, const std::string& slot) {
    StoreCheck check;
    for (const std::string& name : store.writes) {
        if (name.compare(0, slot.size(), slot) != 0 || name == slot + "Check") continue;
        check.Add(name.substr(slot.size()), store.values[name]);
    }
    store.values[slot + "Check"] = check.Text();
}

TEST(EveningText, DamagedOrHostileValuesGiveANewEvening) {
    using Change = std::function<void(std::string&)>;
    auto set = [](const std::string& text) { return Change([text](std::string& value) { value = text; }); };
    auto field = [](std::size_t index, const std::string& text) {
        return Change([index, text](std::string& value) { value = WithField(value, index, text); });
    };
    // A seat's name is all after its fifth comma.
    auto name = [](const std::string& text) {
        return Change([text](std::string& value) {
            std::size_t at = 0;
            for (int commas = 0; commas < 5; ++commas) at = value.find(',', at) + 1;
            value = value.substr(0, at) + text;
        });
    };
    const struct {
        const char* name;
        const char* value;
        Change change;
        bool signedAgain;
    } cases[] = {
        {"a changed value, not signed", "Bank", set("1"), false},
        {"no check value", "Check", set(""), false},
        {"too many seats", "Seats", set("7"), true},
        {"a seat count its seats do not fill", "Seats", set("4"), true},
        {"one seat", "Seats", set("1"), true},
        {"a card twice", "Deck", field(1, "1"), true},
        {"a card beyond 40", "Deck", field(0, "41"), true},
        {"39 cards", "Deck",
         set("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,"
             "31,32,33,34,35,36,37,38,39"),
         true},
        {"dealt beyond the deck", "Dealt", set("41"), true},
        {"negative chips", "Seat1", field(2, "-500"), true},
        {"chips that do not add up", "Seat1", field(2, "99999"), true},
        {"a bank out of range", "Bank", set("3"), true},
        {"a sign before a number", "Rounds", set("+1"), true},
        {"too many digits", "Rounds", set("99999999999999999999"), true},
        {"an unknown style", "Seat2", field(1, "3"), true},
        {"bad UTF-8 in a name", "Seat3", name("Marco\xC3"), true},
        {"an overlong UTF-8 form", "Seat3", name("\xC0\xAF"), true},
        {"a control character in a name", "Seat3", name("Ma\trco"), true},
        {"an empty name", "Seat3", name(""), true},
        {"a name too long", "Seat3", name(std::string(65, 'a')), true},
        {"a huge text", "Rules", set(std::string(100000, '1')), true},
        {"stakes that make no sense", "Rules", field(5, "5000"), true},
        {"the classic table with three seats", "Rules", field(8, "1"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SavedEvening saved(1);  // one save: slot B
        std::string& value = saved.store.values[std::string("B.") + c.value];
        c.change(value);
        if (c.signedAgain) SignAgain(saved.store, "B.");
        RandomSource random;
        Evening fresh(HouseRules::Spanish(), PersonSeats({1000, 2000}), 1, random);
        const std::string before = Line(fresh);
        EXPECT_FALSE(fresh.Load(saved.store));
        EXPECT_EQ(before, Line(fresh));
    }
}

// A kill after any number of the values of a save: the store reads as the evening after
// the round before, or after this one once its check value is written.
TEST(EveningText, AKillDuringASaveLosesOnlyTheRoundJustPlayed) {
    SavedEvening full(4);
    const std::size_t perSave = full.store.writes.size() / 4;
    for (std::size_t kept = 0; kept <= perSave; ++kept) {
        SCOPED_TRACE(kept);
        SavedEvening saved(3);
        const std::string before = Line(*saved.evening);
        saved.store.writesLeft = kept;
        ASSERT_TRUE(saved.evening->PlayRound());
        RandomSource random;
        Evening loaded(HouseRules::Spanish(), PersonSeats({1000, 2000}), 1, random);
        ASSERT_TRUE(loaded.Load(saved.store));
        EXPECT_EQ(kept == perSave ? Line(*saved.evening) : before, Line(loaded));
    }
}

TEST(EveningText, ANewEveningsFirstSaveOutranksTheOneItReplaces) {
    SavedEvening old(5);
    RandomSource random;
    Evening fresh(HouseRules::Spanish(), PersonSeats({1000, 2000}), 1, random);
    fresh.Save(old.store);
    Evening loaded(HouseRules::Italian(), PersonSeats({3000, 3000, 3000}), 0, random);
    ASSERT_TRUE(loaded.Load(old.store));
    EXPECT_EQ(Line(fresh), Line(loaded));
}

// An evening stored by the version before the royal 7.5 and the cover: it loads as it
// was played, with neither, and its two-card 7.5 still paid double.
TEST(EveningText, AnEveningStoredBeforeTheNewRulesLoadsAsItWasPlayed) {
    MapStore store;
    store.values = {
        {"B.Saved", "5"},
        {"B.Rules", "1,1,1,1,0,500,4000,500,0"},
        {"B.Seats", "3"},
        {"B.Seat1", "1,0,50500,0,0,Anna"},
        {"B.Seat2", "1,1,50000,5,0,Bruno, il Rosso"},
        {"B.Seat3", "1,0,49500,0,0,Chiara"},
        {"B.Bank", "1"},
        {"B.Rounds", "5"},
        {"B.BankRounds", "5"},
        {"B.Wild", "1"},
        {"B.Start", "150000"},
        {"B.Deck",
         "37,7,29,12,8,30,4,11,9,31,6,16,21,1,26,14,38,24,22,25,17,39,3,32,23,27,36,15,34,10,40,2,28,18,"
         "35,19,20,13,33,5"},
        {"B.Dealt", "38"},
        {"B.Check", "0bc09dc4bedf67e0"},
    };
    RandomSource random;
    Evening loaded(HouseRules::Spanish(), PersonSeats({1000, 2000}), 1, random);
    ASSERT_TRUE(loaded.Load(store));
    EXPECT_EQ("1/5/38/500|Anna:50500|Bruno, il Rosso:50000|Chiara:49500", Line(loaded));
    const HouseRules& rules = loaded.Rules();
    EXPECT_TRUE(rules.wildCard);
    EXPECT_EQ(DoublePay::TwoCards, rules.doublePay);
    EXPECT_TRUE(rules.twoCardTakesBank);
    EXPECT_EQ(BankPassing::DeckUsedUp, rules.passing);
    EXPECT_FALSE(rules.royalSevenAndHalf);
    EXPECT_FALSE(rules.cover);
    EXPECT_EQ(5, loaded.BankRounds());
    EXPECT_EQ(PlayStyle::Bold, loaded.Seats()[1].style);
    // Saved again, it keeps the rules it was played with.
    loaded.Save(store);
    Evening again(HouseRules::Spanish(), PersonSeats({1000, 2000}), 1, random);
    ASSERT_TRUE(again.Load(store));
    EXPECT_EQ(RulesText(rules), RulesText(again.Rules()));
}

}  // namespace
}  // namespace DoDadu
