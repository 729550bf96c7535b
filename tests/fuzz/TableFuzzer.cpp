// Feeds the full table arbitrary evenings: bytes choose the house rules, the seats (the
// expert among the computer players) and their chips, perhaps a stored evening of
// arbitrary texts to load, then a stream of
// persons' actions and computer steps. After every step the chips must add up to the
// evening's total, none below zero, and no card may lie twice on the table or come from
// anywhere but the deck; a broken rule aborts.
#include "TableFuzzer.h"

#include "ComputerPlayers.h"
#include "Evening.h"
#include "ExpertPlayer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

namespace DoDadu {

namespace {

void Broken(const char* what, long long a = 0) {
    std::fprintf(stderr, "table broken: %s (%lld)\n", what, a);
    std::abort();
}

class BytesStore : public EveningStore {
public:
    std::map<std::string, std::string> values;
    std::string Read(const std::string& name) override { return values[name]; }
    void Write(const std::string& name, const std::string& text) override { values[name] = text; }
};

HouseRules RulesFrom(FuzzInput& input) {
    const int byte = input.Byte();
    HouseRules rules = byte % 4 == 0   ? HouseRules::Classic()
                       : byte % 4 == 1 ? HouseRules::Italian()
                                       : HouseRules::Spanish();
    if (byte % 4 == 3) {
        rules.passing = static_cast<BankPassing>(byte / 4 % 3);
        rules.passEvery = byte / 16 % 4;
        rules.wildCard = (byte & 0x80) != 0;
        rules.twoCardTakesBank = (byte & 0x40) != 0;
        const int more = input.Byte();
        rules.doublePay = static_cast<DoublePay>(more % 3);
        rules.royalSevenAndHalf = (more & 0x10) != 0;
        rules.cover = (more & 0x20) != 0;
        rules.minStake = input.Word() % 3000;
        rules.maxStake = input.Word() % 9000;
        rules.stakeStep = input.Byte() * 10;
    }
    return rules;
}

// Arbitrary texts under the names an evening is stored by, in one or both slots.
void FillStore(FuzzInput& input, BytesStore& store) {
    const char* const names[] = {"Saved",  "Rules",      "Seats", "Seat1", "Seat2", "Seat3", "Bank",
                                 "Rounds", "BankRounds", "Wild",  "Start", "Deck",  "Dealt", "Check"};
    const int count = input.Byte() % 16;
    for (int i = 0; i < count; ++i) {
        const int which = input.Byte();
        std::string text;
        for (int length = input.Byte() % 64; length > 0; --length) text += static_cast<char>(input.Byte());
        store.values[std::string(which & 1 ? "A." : "B.") + names[which / 2 % 14]] = text;
    }
}

// How much table play the run saw, told when the fuzzer exits.
struct PlayCount {
    long long inputs = 0;
    long long rounds = 0;
    ~PlayCount() {
        if (inputs > 0) std::fprintf(stderr, "full table: %lld rounds over %lld inputs\n", rounds, inputs);
    }
} played;

void CheckTable(const Evening& evening) {
    if (evening.TotalChips() != evening.StartingTotal()) Broken("chips total", evening.TotalChips());
    for (const TableSeat& seat : evening.Seats())
        if (seat.chips < 0) Broken("negative chips", seat.chips);
    const TableDeck& deck = evening.Deck();
    if (!IsWholeDeck(deck.Order()) || deck.Left() < 0) Broken("deck", deck.Position());
    std::set<int> onTable;
    const std::vector<int> gone = deck.Gone();
    for (std::size_t seat = 0; seat < evening.Seats().size(); ++seat) {
        for (int id : evening.ThisRound().Seat(static_cast<int>(seat)).hand) {
            if (!onTable.insert(id).second) Broken("card twice", id);
            if (std::find(gone.begin(), gone.end(), id) == gone.end()) Broken("card not dealt", id);
        }
    }
}

}  // namespace

void FuzzTable(FuzzInput& input) {
    const HouseRules rules = RulesFrom(input);
    std::vector<TableSeat> seats(static_cast<std::size_t>(input.Byte() % 7));
    for (TableSeat& seat : seats) {
        const int byte = input.Byte();
        seat.name = "seat";
        seat.kind = byte & 1 ? SeatKind::Person : SeatKind::Computer;
        seat.style = static_cast<PlayStyle>(byte / 2 % kPlayStyleCount);
        seat.chips = static_cast<std::int64_t>(input.Word()) * (byte / 8 % 8 + 1);
    }
    const int firstBank = seats.empty() ? 0 : input.Byte() % static_cast<int>(seats.size());
    CarefulPlayer careful;
    BoldPlayer bold;
    ExpertPlayer expert;
    PlayerTable players;
    players.Set(PlayStyle::Careful, &careful);
    players.Set(PlayStyle::Bold, &bold);
    players.Set(PlayStyle::Expert, &expert);
    if (!Evening::SeatingFault(rules, seats, firstBank, &players).empty()) return;
    RandomSource random;
    random.Reseed(static_cast<std::uint32_t>(input.Word()));
    Evening evening(rules, seats, firstBank, random);
    evening.SetPlayers(&players);
    BytesStore store;
    if (input.Byte() % 4 == 0) {
        FillStore(input, store);
        evening.Load(store);
    }
    evening.SetStore(&store);
    const int roundsBefore = evening.RoundsPlayed();
    while (input.More()) {
        const int op = input.Byte();
        switch (op % 5) {
            case 0: evening.StartRound(); break;
            case 1: evening.SetStake(input.Word() * (op / 5 + 1)); break;
            case 2: evening.GetCard(); break;
            case 3: evening.Stand(); break;
            case 4: evening.ComputerStep(); break;
        }
        CheckTable(evening);
    }
    ++played.inputs;
    played.rounds += evening.RoundsPlayed() - roundsBefore;
    // What was stored reads back as this evening once the round in play is over.
    while (evening.RoundInPlay() && evening.ComputerToAct()) evening.ComputerStep();
    if (evening.RoundInPlay() || evening.RoundsPlayed() == 0) return;
    RandomSource other;
    Evening loaded(HouseRules::Spanish(), std::vector<TableSeat>(2), 0, other);
    if (!loaded.Load(store) || loaded.TotalChips() != evening.TotalChips() || loaded.Bank() != evening.Bank())
        Broken("stored evening", evening.RoundsPlayed());
}

}  // namespace DoDadu
