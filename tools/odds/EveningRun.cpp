#include "EveningRun.h"
#include "ComputerPlayers.h"
#include "Evening.h"
#include "ExpertPlayer.h"
#include "HandRules.h"
#include "RandomSource.h"

#include <map>
#include <ostream>
#include <sstream>
#include <vector>

namespace DoDadu {
namespace Odds {

namespace {

bool RulesByName(const std::string& name, HouseRules& rules) {
    if (name == "classic")
        rules = HouseRules::Classic();
    else if (name == "italian")
        rules = HouseRules::Italian();
    else if (name == "spanish")
        rules = HouseRules::Spanish();
    else
        return false;
    return true;
}

const char* const kStyleNames[kPlayStyleCount] = {"careful", "bold", "expert"};

bool SeatsByName(const std::string& list, long long chips, std::vector<TableSeat>& seats) {
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        TableSeat seat;
        int style = 0;
        while (style < kPlayStyleCount && item != kStyleNames[style]) ++style;
        if (style == kPlayStyleCount) return false;
        seat.style = static_cast<PlayStyle>(style);
        seat.chips = chips;
        seat.name = "seat " + std::to_string(seats.size() + 1);
        seats.push_back(seat);
    }
    return !list.empty() && list.back() != ',';
}

// What the evening paid for its 7.5s and how often the wild card filled a hand: enough
// to see a preset's rules at work.
class PayCounter : public TableListener {
public:
    long long sevenAndHalfWins = 0;
    long long paidDouble = 0;
    long long wildFills = 0;

    void OnTableEvent(const TableEvent& event) override {
        if (event.moment == TableMoment::StakeSet) stakes[event.seat] = event.amount;
        if (event.moment != TableMoment::SeatWins || event.points != kBestHand) return;
        ++sevenAndHalfWins;
        paidDouble += event.amount == 2 * stakes[event.seat] ? 1 : 0;
    }
    // Every hand of the round just played where the wild card made more than its plain sum.
    void CountWildFills(const Evening& evening) {
        for (std::size_t seat = 0; seat < evening.Seats().size(); ++seat) {
            const std::vector<int>& hand = evening.ThisRound().Seat(static_cast<int>(seat)).hand;
            if (HandPoints(hand, evening.Rules().wildCard) != HandPoints(hand, false)) ++wildFills;
        }
    }

private:
    std::map<int, std::int64_t> stakes;
};

}  // namespace

std::string GroupedNumber(long long number) {
    std::string digits = std::to_string(number < 0 ? -number : number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return (number < 0 ? "-" : "") + digits;
}

std::string EveningFault(const EveningOptions& options) {
    HouseRules rules;
    std::vector<TableSeat> seats;
    if (!RulesByName(options.rules, rules)) return "--rules needs classic, italian or spanish";
    if (!SeatsByName(options.seats, options.chips, seats))
        return "--seats needs 2 to 6 of careful, bold, expert, comma separated";
    CarefulPlayer careful;
    BoldPlayer bold;
    ExpertPlayer expert;
    PlayerTable players;
    players.Set(PlayStyle::Careful, &careful);
    players.Set(PlayStyle::Bold, &bold);
    players.Set(PlayStyle::Expert, &expert);
    return Evening::SeatingFault(rules, seats, 0, &players);
}

int PlayEvening(const EveningOptions& options, unsigned long seed, std::ostream& out, std::ostream& err) {
    const std::string fault = EveningFault(options);
    if (!fault.empty()) {
        err << "zandro-odds: " << fault << "\nTry zandro-odds --help.\n";
        return 2;
    }
    HouseRules rules;
    std::vector<TableSeat> seats;
    RulesByName(options.rules, rules);
    SeatsByName(options.seats, options.chips, seats);
    CarefulPlayer careful;
    BoldPlayer bold;
    ExpertPlayer expert;
    PlayerTable players;
    players.Set(PlayStyle::Careful, &careful);
    players.Set(PlayStyle::Bold, &bold);
    players.Set(PlayStyle::Expert, &expert);
    RandomSource random;
    random.Reseed(static_cast<std::uint32_t>(seed));
    Evening evening(rules, seats, 0, random);
    evening.SetPlayers(&players);
    PayCounter pays;
    evening.SetListener(&pays);
    for (long long round = 0; round < options.rounds && evening.PlayRound(); ++round)
        pays.CountWildFills(evening);
    for (std::size_t i = 0; i < evening.Seats().size(); ++i) {
        const TableSeat& seat = evening.Seats()[i];
        out << "seat " << i + 1 << ' ' << kStyleNames[static_cast<int>(seat.style)] << ": "
            << GroupedNumber(seat.chips) << " chips, " << seat.roundsAsBank << " rounds as bank, "
            << seat.twoCardBest << " two-card 7.5\n";
    }
    out << "7.5 won against the bank: " << pays.sevenAndHalfWins << ", paid double " << pays.paidDouble
        << ", paid single " << pays.sevenAndHalfWins - pays.paidDouble << "\n";
    out << "hands the wild card filled: " << pays.wildFills << "\n";
    out << "total: " << GroupedNumber(evening.TotalChips()) << " chips (start "
        << GroupedNumber(evening.StartingTotal()) << ")\n";
    return 0;
}

}  // namespace Odds
}  // namespace DoDadu
