// The full table: what each round pays, when the bank passes, a 7.5 shown at once, the
// classic preset played card for card against the classic round, and many random
// evenings, the expert's among them, that must keep every chip and every card where it
// belongs.
#include "FakeTable.h"
#include "TableFixture.h"

#include "ExpertPlayer.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

namespace DoDadu {
namespace {

// Plays one round of person seats (and the classic computer bank) at a stake of 1000:
// each seat asks for draws[seat] cards and then stands, the bank too in its turn.
void PlayStacked(Evening& evening, std::vector<int> draws) {
    ASSERT_TRUE(evening.StartRound());
    for (int step = 0; step < 100 && evening.RoundInPlay(); ++step) {
        const int seat = evening.ToAct();
        if (evening.Rules().classicTable && evening.BankTurn()) {
            evening.ComputerStep();
            continue;
        }
        if (!evening.BankTurn()) evening.SetStake(1000);
        if (draws[static_cast<std::size_t>(seat)]-- > 0)
            evening.GetCard();
        else
            evening.Stand();
    }
    ASSERT_FALSE(evening.RoundInPlay());
}

HouseRules WildCardOff() {
    HouseRules rules = HouseRules::Spanish();
    rules.wildCard = false;
    return rules;
}

HouseRules WithoutCover(HouseRules rules) {
    rules.cover = false;
    return rules;
}

HouseRules PassEveryRound() {
    HouseRules rules = HouseRules::Spanish();
    rules.passing = BankPassing::EveryRounds;
    rules.passEvery = 1;
    return rules;
}

// Card ids: coins 1-10 (10, the king, is the wild card), cups 11-20, swords 21-30,
// clubs 31-40; 8, 9 and 10 of a suit are its figures.
TEST(FullTable, EachRoundSettlesEverySeat) {
    const struct {
        const char* name;
        HouseRules rules;
        std::vector<std::int64_t> chips;  // seat 0 holds the bank
        std::vector<int> cards;           // dealt: bank, seat 1, seat 2, then the draws in turn
        std::vector<int> draws;           // by seat
        std::vector<std::int64_t> after;
    } cases[] = {
        {"a bust pays at once",
         HouseRules::Spanish(),
         {50000, 50000, 50000},
         {5, 16, 24, 17},
         {0, 1, 0},
         {52000, 49000, 49000}},
        {"a tie goes to the bank",
         HouseRules::Spanish(),
         {50000, 50000, 50000},
         {5, 15, 23, 22},
         {0, 0, 1},
         {52000, 49000, 49000}},
        {"above the bank wins",
         HouseRules::Spanish(),
         {50000, 50000, 50000},
         {5, 16, 24, 22},
         {0, 0, 1},
         {48000, 51000, 51000}},
        {"two-card 7.5 paid double",
         HouseRules::Spanish(),
         {50000, 50000, 50000},
         {5, 17, 24, 18},
         {0, 1, 0},
         {49000, 52000, 49000}},
        {"two-card 7.5 paid single",
         HouseRules(),
         {50000, 50000, 50000},
         {5, 17, 24, 18},
         {0, 1, 0},
         {50000, 51000, 49000}},
        {"the bank's royal 7.5 ties a seat's and collects double, or all a seat has",
         HouseRules::Italian(),
         {50000, 50000, 1500},
         {7, 17, 24, 18, 28},
         {1, 1, 0},
         {52500, 49000, 0}},
        {"a royal 7.5 beats the bank's of three cards, paid single",
         HouseRules::Italian(),
         {50000, 50000, 50000},
         {5, 17, 24, 18, 2, 28},
         {2, 1, 0},
         {50000, 51000, 49000}},
        {"every spanish 7.5 is paid double",
         HouseRules::Spanish(),
         {50000, 50000, 50000},
         {5, 3, 24, 4, 8},
         {0, 2, 0},
         {49000, 52000, 49000}},
        {"a bank over 7.5 pays every standing seat",
         HouseRules::Spanish(),
         {50000, 50000, 50000},
         {6, 17, 24, 18, 27, 15},
         {1, 1, 1},
         {49000, 52000, 49000}},
        {"without the cover a short bank pays in turn order",
         WithoutCover(HouseRules::Spanish()),
         {1500, 50000, 50000},
         {5, 16, 26},
         {0, 0, 0},
         {0, 51000, 50500}},
        {"the cover: no stake beyond what the bank can pay, then none",
         HouseRules::Spanish(),
         {1500, 50000, 50000},
         {5, 16, 26},
         {0, 0, 0},
         {1000, 50500, 50000}},
        {"a seat below the minimum sits out",
         HouseRules::Spanish(),
         {50000, 50000, 400},
         {5, 16},
         {0, 0, 0},
         {49000, 51000, 400}},
        {"the wild card fills to 7",
         HouseRules::Italian(),
         {50000, 50000, 50000},
         {6, 15, 24, 10},
         {0, 1, 0},
         {50000, 51000, 49000}},
        {"without the wild card it is half a point",
         WildCardOff(),
         {50000, 50000, 50000},
         {6, 15, 24, 10},
         {0, 1, 0},
         {52000, 49000, 49000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RandomSource random;
        Evening evening(c.rules, PersonSeats(c.chips), 0, random);
        StackTableDeck(evening.DeckToSetUp(), c.cards);
        PlayStacked(evening, c.draws);
        std::vector<std::int64_t> after;
        for (const TableSeat& seat : evening.Seats()) after.push_back(seat.chips);
        EXPECT_EQ(c.after, after);
    }
}

TEST(FullTable, TheBankPassesAsTheRulesSay) {
    const std::vector<std::int64_t> full = {50000, 50000, 50000, 50000};
    const std::vector<std::int64_t> shortBank = {50000, 1500, 50000, 50000};
    const std::vector<std::int64_t> shortBankNextOut = {50000, 1500, 300, 50000};
    // Four seats, seat 1 the bank: the deal goes bank, 2, 3, 0, and so do the turns.
    const std::vector<int> quiet = {5, 24, 33, 2};
    const std::vector<int> twoTwoCards = {5, 24, 37, 7, 18, 28};  // seats 3 and 0 make 7.5
    const std::vector<int> seatsAhead = {5, 26, 36, 16};
    const std::vector<int> drawsOfTwo = {1, 0, 0, 1};
    const std::vector<int> none = {0, 0, 0, 0};
    const struct {
        const char* name;
        HouseRules rules;
        std::vector<std::int64_t> chips;
        std::vector<int> cards;
        int position;  // of the deck before the round
        std::vector<int> draws;
        int bank;  // after the round
        PassReason reason;
    } cases[] = {
        {"italian: a quiet round", HouseRules::Italian(), full, quiet, 0, none, 1, PassReason::None},
        {"italian: the first two-card 7.5 in turn order", HouseRules::Italian(), full, twoTwoCards, 0,
         drawsOfTwo, 3, PassReason::TwoCardBest},
        {"italian: the deck used up",
         HouseRules::Italian(),
         full,
         {5, 24},
         38,
         none,
         2,
         PassReason::DeckUsedUp},
        {"italian: the deck emptied but not used up", HouseRules::Italian(), full, quiet, 36, none, 1,
         PassReason::None},
        {"italian: a short bank", WithoutCover(HouseRules::Italian()), shortBank, seatsAhead, 0, none, 2,
         PassReason::BankShort},
        {"italian: past a seat that sits out", WithoutCover(HouseRules::Italian()), shortBankNextOut,
         seatsAhead, 0, none, 3, PassReason::BankShort},
        {"italian: the cover keeps the bank from running short", HouseRules::Italian(), shortBank, seatsAhead,
         0, none, 1, PassReason::None},
        {"spanish: a quiet round", HouseRules::Spanish(), full, quiet, 0, none, 1, PassReason::None},
        {"spanish: a two-card 7.5 keeps the bank", HouseRules::Spanish(), full, twoTwoCards, 0, drawsOfTwo, 1,
         PassReason::None},
        {"spanish: the deck used up",
         HouseRules::Spanish(),
         full,
         {5, 24},
         38,
         none,
         2,
         PassReason::DeckUsedUp},
        {"spanish: a short bank", WithoutCover(HouseRules::Spanish()), shortBank, seatsAhead, 0, none, 2,
         PassReason::BankShort},
        {"every round: a quiet round", PassEveryRound(), full, quiet, 0, none, 2, PassReason::EveryRounds},
        {"classic: a two-card 7.5",
         HouseRules::Classic(),
         {50000, 50000},
         {5, 17, 18},
         0,
         {0, 1},
         0,
         PassReason::None},
        {"classic: the deck used up",
         HouseRules::Classic(),
         {50000, 50000},
         {5},
         39,
         {0, 1},
         0,
         PassReason::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RandomSource random;
        random.Reseed(3);
        auto seats = PersonSeats(c.chips);
        const int firstBank = c.chips.size() == 2 ? 0 : 1;
        if (c.rules.classicTable) seats[0].kind = SeatKind::Computer;
        Evening evening(c.rules, seats, firstBank, random);
        EventLog log;
        evening.SetListener(&log);
        StackTableDeck(evening.DeckToSetUp(), c.cards, c.position);
        PlayStacked(evening, c.draws);
        EXPECT_EQ(c.bank, evening.Bank());
        const TableEvent* passed = log.Find(TableMoment::BankPasses);
        EXPECT_EQ(c.reason, passed != nullptr ? passed->reason : PassReason::None);
        if (passed != nullptr) {
            EXPECT_EQ(c.bank, passed->seat);
        }
    }
}

// A seat's 7.5 turns its covered card up at once for everyone to see, the bank included;
// the classic table keeps it covered.
TEST(FullTable, ASevenAndAHalfIsShownAtOnce) {
    const struct {
        const char* name;
        HouseRules rules;
        std::vector<std::int64_t> chips;
        bool shown;
    } cases[] = {
        {"italian", HouseRules::Italian(), {50000, 50000, 50000}, true},
        {"spanish", HouseRules::Spanish(), {50000, 50000, 50000}, true},
        {"classic", HouseRules::Classic(), {50000, 50000}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RandomSource random;
        auto seats = PersonSeats(c.chips);
        if (c.rules.classicTable) seats[0].kind = SeatKind::Computer;
        Evening evening(c.rules, seats, 0, random);
        EventLog log;
        evening.SetListener(&log);
        // Seat 1 holds a 7 and draws a knave; seat 2, where there is one, a 4.
        StackTableDeck(evening.DeckToSetUp(),
                       c.chips.size() == 2 ? std::vector<int>{5, 17, 18} : std::vector<int>{5, 17, 24, 18});
        ASSERT_TRUE(evening.StartRound());
        ASSERT_TRUE(evening.GetCard());
        const TableEvent* shown = log.Find(TableMoment::SeatShowsBest);
        ASSERT_EQ(c.shown, shown != nullptr);
        if (shown != nullptr) {
            EXPECT_EQ(1, shown->seat);
            EXPECT_EQ(17, shown->card);
        }
        const int looker = static_cast<int>(c.chips.size()) - 1;  // the next seat, or the bank
        EXPECT_EQ(c.shown ? 17 : 0, evening.ThisRound().SightOf(looker == 1 ? 0 : looker).seats[1].cards[0]);
    }
}

// The classic preset and the classic round, from the same seed, deal the same cards and
// move the same points, round after round, new decks and refills included.
TEST(FullTable, ClassicPresetPlaysAsTheClassicRound) {
    Players players;
    for (std::uint32_t seed : {1u, 77u, 2024u}) {
        SCOPED_TRACE(seed);
        SharedRandom().Reseed(seed);
        RandomSource random;
        random.Reseed(seed);
        TableRound classic;
        classic.round.LoadScore();
        auto seats = PersonSeats({1000000000, 1000000000});
        for (TableSeat& seat : seats) seat.kind = SeatKind::Computer;
        Evening evening(HouseRules::Classic(), seats, 0, random);
        evening.SetPlayers(&players.table);
        for (int round = 0; round < 400; ++round) {
            SCOPED_TRACE(round);
            const int score = classic.round.Score();
            classic.round.OnStartClicked();
            while (classic.round.RoundActive() && classic.round.cards.playerPoints < 5.0)
                classic.round.OnGetCardClicked();
            if (classic.round.RoundActive()) classic.round.OnStopClicked();
            classic.PlayDealerOut();
            const std::int64_t chips = evening.Seats()[1].chips;
            ASSERT_TRUE(evening.PlayRound());
            ASSERT_EQ(classic.round.cards.dealerHand, evening.ThisRound().Seat(0).hand);
            ASSERT_EQ(classic.round.cards.playerHand, evening.ThisRound().Seat(1).hand);
            ASSERT_EQ(classic.round.Score() - score, evening.Seats()[1].chips - chips);
        }
    }
}

// Told each card as it is dealt: it must be the deck's next card and in no other hand of
// the round.
class CardAuditor : public TableListener {
public:
    explicit CardAuditor(const Evening& evening) : evening(evening) {}
    std::vector<std::string> faults;
    void OnTableEvent(const TableEvent& event) override {
        if (event.moment == TableMoment::RoundStarts) inRound.clear();
        if (event.moment != TableMoment::CardDealt) return;
        const TableDeck& deck = evening.Deck();
        if (deck.Position() < 1 || deck.Order()[static_cast<std::size_t>(deck.Position() - 1)] != event.card)
            faults.push_back("card " + std::to_string(event.card) + " not the deck's next");
        if (!inRound.insert(event.card).second)
            faults.push_back("card " + std::to_string(event.card) + " twice");
    }

private:
    const Evening& evening;
    std::set<int> inRound;
};

// What is wrong with the table as the one to act sees it: another seat's covered card
// shown before its time, or a deck that does not add up to 40 cards.
std::string SightFault(const Evening& evening) {
    const FullTableRound& round = evening.ThisRound();
    if (!round.InPlay() || round.BankTurn()) return std::string();
    const SeatSight sight = round.SightOf(round.ToAct());
    for (std::size_t seat = 0; seat < sight.seats.size(); ++seat) {
        const SeenSeat& seen = sight.seats[seat];
        const bool best = seen.status == SeatStatus::Standing && static_cast<int>(seat) != sight.bank &&
                          round.Points(static_cast<int>(seat)) == kBestHand && !sight.rules.classicTable;
        const bool shown = static_cast<int>(seat) == sight.self || seen.status == SeatStatus::Bust || best;
        if (!seen.cards.empty() && (seen.cards.front() == 0) == shown)
            return "seat " + std::to_string(seat) + "'s covered card";
    }
    const std::size_t cards =
        sight.seenBefore.size() + sight.dealt.size() + static_cast<std::size_t>(sight.deckLeft);
    if (sight.dealtBeforeRefill < 0 && cards != static_cast<std::size_t>(kCardCount))
        return "the deck counts " + std::to_string(cards);
    return std::string();
}

// Everything the store keeps, as one line to compare.
std::string Kept(const Evening& evening) {
    std::string line = std::to_string(evening.Bank()) + "/" + std::to_string(evening.RoundsPlayed()) + "/" +
                       std::to_string(evening.BankRounds()) + "/" + std::to_string(evening.Deck().Position());
    for (const TableSeat& seat : evening.Seats())
        line += "|" + seat.name + ":" + std::to_string(seat.chips) + ":" + std::to_string(seat.roundsAsBank) +
                ":" + std::to_string(seat.twoCardBest) + ":" + std::to_string(static_cast<int>(seat.style));
    for (int id : evening.Deck().Order()) line += "," + std::to_string(id);
    return line;
}

// Plays up to `rounds` rounds of computer seats, checking after every step that the
// chips add up and none is below zero, that no seat sees a covered card before its time,
// that every card comes from the deck once, and after every round that the store gives
// the evening back. The deck refills the evening saw.
int PlayAudited(const HouseRules& rules, const std::vector<TableSeat>& seats, std::uint32_t seed, int rounds,
                const PlayerTable& players) {
    RandomSource random;
    random.Reseed(seed);
    Evening evening(rules, seats, 0, random);
    evening.SetPlayers(&players);
    CardAuditor auditor(evening);
    EventLog log;
    struct Both : TableListener {
        TableListener* first;
        TableListener* second;
        Both(TableListener* a, TableListener* b) : first(a), second(b) {}
        void OnTableEvent(const TableEvent& event) override {
            first->OnTableEvent(event);
            second->OnTableEvent(event);
        }
    } both(&auditor, &log);
    evening.SetListener(&both);
    MapStore store;
    evening.SetStore(&store);
    for (int round = 0; round < rounds && evening.StartRound(); ++round) {
        while (evening.RoundInPlay()) {
            EXPECT_TRUE(evening.ComputerStep());
            EXPECT_EQ(evening.StartingTotal(), evening.TotalChips());
            for (const TableSeat& seat : evening.Seats()) EXPECT_GE(seat.chips, 0);
            EXPECT_EQ("", SightFault(evening));
            if (::testing::Test::HasFailure()) return 0;
        }
        EXPECT_EQ(std::vector<std::string>(), auditor.faults);
        Evening loaded(HouseRules::Spanish(), PersonSeats({1, 1}), 0, random);
        EXPECT_TRUE(loaded.Load(store));
        EXPECT_EQ(Kept(evening), Kept(loaded));
        if (::testing::Test::HasFailure()) return 0;
    }
    return static_cast<int>(std::count_if(log.events.begin(), log.events.end(), [](const TableEvent& event) {
        return event.moment == TableMoment::DeckShuffled;
    }));
}

// Random rules as a family might set them: a preset, or a custom set of every field.
HouseRules RandomRules(const std::function<int(int, int)>& uniform, bool classic) {
    if (classic) return HouseRules::Classic();
    const int preset = uniform(1, 3);
    HouseRules rules = preset == 1 ? HouseRules::Italian() : HouseRules::Spanish();
    if (preset == 3) {
        rules.passing = BankPassing::EveryRounds;
        rules.passEvery = uniform(1, 5);
        rules.wildCard = uniform(0, 1) == 1;
        rules.doublePay = static_cast<DoublePay>(uniform(0, 2));
        rules.royalSevenAndHalf = uniform(0, 1) == 1;
        rules.cover = uniform(0, 1) == 1;
    }
    return rules;
}

TEST(FullTable, RandomEveningsKeepEveryChipAndCard) {
    Players players;
    std::mt19937 pick(20261210);
    std::function<int(int, int)> uniform = [&pick](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(pick);
    };
    const std::int64_t chipChoices[] = {600, 1200, 5000, 50000};
    for (int evenings = 0; evenings < 100; ++evenings) {
        SCOPED_TRACE(evenings);
        const bool classic = uniform(0, 3) == 0;
        const HouseRules rules = RandomRules(uniform, classic);
        std::vector<TableSeat> seats(static_cast<std::size_t>(classic ? 2 : uniform(2, 6)));
        for (TableSeat& seat : seats) {
            seat.name = "seat";
            seat.style = static_cast<PlayStyle>(uniform(0, 1));
            seat.chips = chipChoices[uniform(0, 3)];
        }
        PlayAudited(rules, seats, static_cast<std::uint32_t>(evenings), 80, players.table);
        if (HasFailure()) return;
    }
}

// The expert among four to six seats, as a seat and as the bank, long enough for the
// deck to run out and refill in the middle of rounds.
TEST(FullTable, EveningsWithTheExpertKeepEveryChipAndCard) {
    Players players;
    ExpertPlayer expert;
    players.table.Set(PlayStyle::Expert, &expert);
    std::mt19937 pick(36);
    std::function<int(int, int)> uniform = [&pick](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(pick);
    };
    int refills = 0;
    for (int evenings = 0; evenings < 6; ++evenings) {
        SCOPED_TRACE(evenings);
        const HouseRules rules = RandomRules(uniform, false);
        std::vector<TableSeat> seats(static_cast<std::size_t>(uniform(4, 6)));
        for (std::size_t i = 0; i < seats.size(); ++i) {
            seats[i].name = "seat";
            seats[i].style = i % 2 == 0 ? PlayStyle::Expert : static_cast<PlayStyle>(uniform(0, 1));
            seats[i].chips = i == 0 ? 8000 : 20000;  // the first bank, an expert, soon short
        }
        refills += PlayAudited(rules, seats, static_cast<std::uint32_t>(evenings), 25, players.table);
        if (HasFailure()) return;
    }
    EXPECT_GE(refills, 6);
}

}  // namespace
}  // namespace DoDadu
