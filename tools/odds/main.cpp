// zandro-odds: the exact odds of a round, the best way to play it, and a simulator
// that plays the game's own round code to check them.
#include "EveningRun.h"
#include "OddsReport.h"
#include "OddsSimulator.h"
#include "OddsSolver.h"
#include "NumberText.h"
#include "TableSeat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace DoDadu::Odds;

namespace {

const char kUsage[] =
    "Usage: zandro-odds [options]\n"
    "Works out the exact expected score change of a round of Zandro and the best way\n"
    "to play it: when to stop, draw or cancel, and which stake to set.\n"
    "\n"
    "  --gone IDS       card ids (1-40, comma separated) already dealt from this deck;\n"
    "                   default: a new deck\n"
    "  --table NAME     print only one table: summary, first-card, decisions, thresholds\n"
    "  --csv            print the tables as CSV (the decisions table has one row per hand)\n"
    "  --no-cancel      best play without CANCEL, as at the full table, which has none\n"
    "  --simulate N     instead, play N rounds through the game's round code, each from\n"
    "                   a new deck (or one with the --gone cards dealt), and compare\n"
    "                   the mean with the exact value\n"
    "  --policy P       for --simulate: best (default) or stop-at-V, V from 0.5 to 7.5\n"
    "  --stake S        for --simulate: best (4000 when the first card promises a gain\n"
    "                   with that policy, else 500; the default for the best policy) or\n"
    "                   500..4000 in steps of 500 (default 500 for stop-at policies)\n"
    "  --seed N         for --simulate and --evening: seed of the shuffle (default 1)\n"
    "  --game-shuffle   for --simulate: shuffle each deck with the game's own shuffle and\n"
    "                   random source instead of a fast uniform shuffle (slower; with\n"
    "                   --gone only the refills of an empty deck use it)\n"
    "  --evening N      instead, play an evening of N rounds at the full table with\n"
    "                   computer seats, and print each seat's chips, rounds as bank\n"
    "                   and two-card 7.5, the 7.5s won against the bank and how they\n"
    "                   were paid, the hands the wild card filled, and the total\n"
    "                   (it stops early when the evening ends)\n"
    "  --rules R        for --evening: classic (default), italian or spanish\n"
    "  --seats LIST     for --evening: 2 to 6 of careful, bold, expert, comma\n"
    "                   separated; the first holds the first bank (default careful,bold)\n"
    "  --chips N        for --evening: each seat's chips at the start (default 50000)\n"
    "  --timing         also print the processor time of the exact solve (on stderr)\n"
    "  --help           show this text\n";

bool ParseIds(const std::string& text, std::vector<int>& ids) {
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        long id = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || id < -1000 || id > 1000) return false;
        ids.push_back(static_cast<int>(id));
    }
    return true;
}

bool ParseNumber(const std::string& text, long long low, long long high, long long& number) {
    const std::optional<std::int64_t> read = DoDadu::WholeNumber(text, low, high);
    number = read.value_or(0);
    return read.has_value();
}

// "stop-at-6.5" to its threshold in half points.
bool ParseStopAt(const std::string& text, int& threshold) {
    const std::string prefix = "stop-at-";
    if (text.compare(0, prefix.size(), prefix) != 0) return false;
    char* end = nullptr;
    double value = std::strtod(text.c_str() + prefix.size(), &end);
    threshold = static_cast<int>(std::lround(value * 2));
    return *end == '\0' && threshold * 0.5 == value && threshold >= 1 && threshold <= kBest;
}

constexpr int kBestStake = 0;    // a stake option: the best stake for each first card
constexpr int kUnsetStake = -1;  // a stake option: the policy's default

struct SimulationOptions {
    long long rounds = 0;  // 0: no simulation, the report instead
    int threshold = 0;     // 0: the best policy
    int stake = kUnsetStake;
    long long seed = 1;
    DeckShuffle shuffle = DeckShuffle::Uniform;
};

struct Options {
    ReportOptions report;
    std::vector<int> gone;
    SimulationOptions simulation;
    EveningOptions evening;
    bool timing = false;
    bool noCancel = false;
    bool help = false;
};

// A policy with its stake rule, its exact value per round and its name.
struct PlayedPolicy {
    Policy policy;
    StakeRule stake;
    double exact = 0.0;
    std::string name;
};

PlayedPolicy ChoosePolicy(OddsSolver& solver, const SimulationOptions& options) {
    PlayedPolicy played;
    bool best = options.threshold == 0;
    played.policy = best ? solver.BestPolicy() : StopAtPolicy(options.threshold);
    played.name = best ? "best play" : "stop at " + PointsText(options.threshold);
    int stake = options.stake == kUnsetStake ? (best ? kBestStake : kLowestStake) : options.stake;
    // Every outcome moves the score in proportion to the stake, so the best stake for a
    // first card is the highest when the policy gains with it, else the lowest.
    std::vector<int> stakes(kKindCount, stake);
    for (int k = 0; k < kKindCount; ++k) {
        if (solver.Deck()[k] == 0) continue;
        double value = solver.PolicyFirstCardValue(played.policy, k);
        if (stake == kBestStake) stakes[k] = value > 0.0 ? kHighestStake : kLowestStake;
        played.exact += solver.FirstCardChance(k) * stakes[k] * value;
    }
    played.stake = [stakes](int kind) { return stakes[kind]; };
    played.name += stake == kBestStake ? ", best stake" : ", stake " + std::to_string(stake);
    return played;
}

int Simulate(OddsSolver& solver, const Options& options) {
    PlayedPolicy played = ChoosePolicy(solver, options.simulation);
    RoundSimulator simulator(static_cast<std::uint64_t>(options.simulation.seed), options.simulation.shuffle);
    simulator.SetGoneCards(options.gone);
    std::clock_t begin = std::clock();
    SimulationResult result = simulator.Play(options.simulation.rounds, played.policy, played.stake);
    double seconds = static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    if (result.stalled > 0) {
        std::cerr << "zandro-odds: a round did not finish; stopped after " << result.rounds << " rounds\n";
        return 1;
    }
    double z = result.standardError > 0 ? (result.mean - played.exact) / result.standardError : 0.0;
    std::printf("policy: %s\n", played.name.c_str());
    std::printf("rounds: %lld (won %lld, lost %lld, cancelled %lld)\n", result.rounds, result.playerWins,
                result.playerLosses, result.cancels);
    std::printf("simulated mean score change: %.3f +/- %.3f (standard error)\n", result.mean,
                result.standardError);
    std::printf("exact: %.3f (difference %.2f standard errors)\n", played.exact, z);
    std::printf("speed: %.0f rounds per second of processor time\n",
                seconds > 0 ? static_cast<double>(result.rounds) / seconds : 0.0);
    return 0;
}

int Report(OddsSolver& solver, const Options& options) {
    std::clock_t begin = std::clock();
    double roundValue = solver.RoundValueBestStake();  // the whole best-play solve
    double solveMs = 1000.0 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    WriteReport(solver, options.report, std::cout);
    double reportMs = 1000.0 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    if (options.timing)
        std::fprintf(stderr, "exact solve: %.1f ms (best-play value %.3f); with the report: %.1f ms\n",
                     solveMs, roundValue, reportMs);
    return 0;
}

bool IsTable(const std::string& name) {
    for (const std::string& table : ReportTables())
        if (table == name) return true;
    return false;
}

bool ParseStake(const std::string& text, int& stake) {
    long long number = 0;
    if (text == "best")
        stake = kBestStake;
    else if (ParseNumber(text, kLowestStake, kHighestStake, number) && number % kLowestStake == 0)
        stake = static_cast<int>(number);
    else
        return false;
    return true;
}

// One option and, where it takes one, its value; an error text, or empty.
std::string ParseOption(const std::string& arg, const std::function<bool(std::string&)>& value,
                        Options& options) {
    std::string text;
    SimulationOptions& simulation = options.simulation;
    if (arg == "--help" || arg == "-h")
        options.help = true;
    else if (arg == "--timing")
        options.timing = true;
    else if (arg == "--csv")
        options.report.csv = true;
    else if (arg == "--no-cancel")
        options.noCancel = true;
    else if (arg == "--game-shuffle")
        simulation.shuffle = DeckShuffle::Game;
    else if (arg == "--table")
        return value(options.report.table) && IsTable(options.report.table)
                   ? ""
                   : "--table needs one of summary, first-card, decisions, thresholds";
    else if (arg == "--gone")
        return value(text) && ParseIds(text, options.gone) ? "" : "--gone needs card ids such as 3,14,27";
    else if (arg == "--simulate")
        return value(text) && ParseNumber(text, 1, 1000000000000LL, simulation.rounds)
                   ? ""
                   : "--simulate needs a number of rounds";
    else if (arg == "--policy")
        return value(text) && (text == "best" ? (simulation.threshold = 0, true)
                                              : ParseStopAt(text, simulation.threshold))
                   ? ""
                   : "--policy needs best or stop-at-V, such as stop-at-6.5";
    else if (arg == "--stake")
        return value(text) && ParseStake(text, simulation.stake) ? ""
                                                                 : "--stake needs best or 500, 1000 .. 4000";
    else if (arg == "--evening")
        return value(text) && ParseNumber(text, 1, 1000000000000LL, options.evening.rounds)
                   ? ""
                   : "--evening needs a number of rounds";
    else if (arg == "--rules")
        return value(options.evening.rules) ? "" : "--rules needs classic, italian or spanish";
    else if (arg == "--seats")
        return value(options.evening.seats) ? "" : "--seats needs a list such as careful,bold";
    else if (arg == "--chips")
        return value(text) && ParseNumber(text, 1, DoDadu::kMostStartingChips, options.evening.chips)
                   ? ""
                   : "--chips needs a number from 1 to 1000000000";
    else if (arg == "--seed")
        return value(text) && ParseNumber(text, 0, 4294967295LL, simulation.seed)
                   ? ""
                   : "--seed needs a number from 0 to 4294967295";
    else
        return "unknown option " + arg;
    return "";
}

int Fail(const std::string& message) {
    std::cerr << "zandro-odds: " << message << "\nTry zandro-odds --help.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string error = ParseOption(argv[i], value, options);
        if (!error.empty()) return Fail(error);
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (options.evening.rounds > 0)
        return PlayEvening(options.evening, static_cast<unsigned long>(options.simulation.seed), std::cout,
                           std::cerr);
    std::string note, error;
    KindCounts deck = StartingDeck(options.gone, note, error);
    if (!error.empty()) return Fail(error);
    if (!note.empty()) std::cerr << "zandro-odds: " << note << "\n";
    OddsSolver solver(deck, 0, !options.noCancel);
    return options.simulation.rounds > 0 ? Simulate(solver, options) : Report(solver, options);
}
