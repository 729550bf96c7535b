// zandro-odds: the exact odds of a round, the best way to play it, and a simulator
// that plays the game's own round code to check them.
#include "OddsReport.h"
#include "OddsSimulator.h"
#include "OddsSolver.h"

#include <ctime>
#include <cmath>
#include <cstdio>

#include <cstdlib>
#include <iostream>
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
    "  --simulate N     instead, play N rounds through the game's round code, each from\n"
    "                   a new deck (or one with the --gone cards dealt), and compare\n"
    "                   the mean with the exact value\n"
    "  --policy P       for --simulate: best (default) or stop-at-V, V from 0.5 to 7.5\n"
    "  --stake S        for --simulate: best (default for the best policy: 4000 when the\n"
    "                   first card promises a gain, else 500) or 500..4000 in steps of 500\n"
    "                   (default 500 for stop-at policies)\n"
    "  --seed N         for --simulate: seed of the shuffle (default 1)\n"
    "  --game-shuffle   for --simulate: shuffle each deck with the game's own shuffle and\n"
    "                   random source instead of a fast uniform shuffle (slower; with\n"
    "                   --gone only the refills of an empty deck use it)\n"
    "  --timing         also print the processor time of the exact solve (on stderr)\n"
    "  --help           show this text\n";

bool ParseIds(const std::string& text, std::vector<int>& ids)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        long id = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || id < -1000 || id > 1000)
            return false;
        ids.push_back(static_cast<int>(id));
    }
    return true;
}

bool ParseNumber(const std::string& text, long long low, long long high, long long& number)
{
    char* end = nullptr;
    number = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && number >= low && number <= high;
}

// "stop-at-6.5" to its threshold in half points.
bool ParseStopAt(const std::string& text, int& threshold)
{
    const std::string prefix = "stop-at-";
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    char* end = nullptr;
    double value = std::strtod(text.c_str() + prefix.size(), &end);
    threshold = static_cast<int>(std::lround(value * 2));
    return *end == '\0' && threshold * 0.5 == value && threshold >= 1 && threshold <= kBest;
}

struct SimulationOptions {
    long long rounds = 0;
    int threshold = 0; // 0: the best policy
    int stake = 0;     // 0: the best stake rule, or 500 for stop-at policies
    long long seed = 1;
    DeckShuffle shuffle = DeckShuffle::Uniform;
};

int Simulate(OddsSolver& solver, const SimulationOptions& options, const std::vector<int>& gone)
{
    Policy policy;
    double exactPerStake = 0.0;
    std::string name;
    if (options.threshold > 0) {
        policy = StopAtPolicy(options.threshold);
        name = "stop at " + PointsText(options.threshold);
    } else {
        policy = solver.BestPolicy();
        name = "best play";
    }
    StakeRule stake;
    double exact;
    if (options.stake == 0 && options.threshold == 0) {
        stake = [&solver](int kind) { return solver.BestStake(kind); };
        exact = solver.RoundValueBestStake();
        name += ", best stake";
    } else {
        int fixed = options.stake == 0 ? kLowestStake : options.stake;
        stake = FixedStake(fixed);
        exactPerStake = options.threshold > 0 ? solver.PolicyValue(policy)
                                              : solver.RoundValueAtStake(1);
        exact = exactPerStake * fixed;
        name += ", stake " + std::to_string(fixed);
    }
    RoundSimulator simulator(static_cast<std::uint64_t>(options.seed), options.shuffle);
    simulator.SetGoneCards(gone);
    std::clock_t begin = std::clock();
    SimulationResult result = simulator.Play(options.rounds, policy, stake);
    double seconds = static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    if (result.stalled > 0) {
        std::cerr << "zandro-odds: a round did not finish; stopped after " << result.rounds
                  << " rounds\n";
        return 1;
    }
    double z = result.standardError > 0 ? (result.mean - exact) / result.standardError : 0.0;
    std::printf("policy: %s\n", name.c_str());
    std::printf("rounds: %lld (won %lld, lost %lld, cancelled %lld)\n", result.rounds,
                result.playerWins, result.playerLosses, result.cancels);
    std::printf("simulated mean score change: %.3f +/- %.3f (standard error)\n", result.mean,
                result.standardError);
    std::printf("exact: %.3f (difference %.2f standard errors)\n", exact, z);
    std::printf("speed: %.0f rounds per second of processor time\n",
                seconds > 0 ? result.rounds / seconds : 0.0);
    return 0;
}

int Fail(const std::string& message)
{
    std::cerr << "zandro-odds: " << message << "\nTry zandro-odds --help.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    ReportOptions report;
    std::vector<int> gone;
    SimulationOptions simulation;
    bool timing = false;
    long long number = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--timing") {
            timing = true;
        } else if (arg == "--csv") {
            report.csv = true;
        } else if (arg == "--table") {
            if (!value(report.table))
                return Fail("--table needs a name");
            bool known = false;
            for (const std::string& name : ReportTables())
                known = known || name == report.table;
            if (!known)
                return Fail("no table named " + report.table);
        } else if (arg == "--gone") {
            if (!value(text) || !ParseIds(text, gone))
                return Fail("--gone needs card ids such as 3,14,27");
        } else if (arg == "--simulate") {
            if (!value(text) || !ParseNumber(text, 1, 1000000000000LL, simulation.rounds))
                return Fail("--simulate needs a number of rounds");
        } else if (arg == "--policy") {
            if (!value(text) || (text != "best" && !ParseStopAt(text, simulation.threshold)))
                return Fail("--policy needs best or stop-at-V, such as stop-at-6.5");
            if (text == "best")
                simulation.threshold = 0;
        } else if (arg == "--stake") {
            if (!value(text))
                return Fail("--stake needs best or a stake");
            if (text == "best")
                simulation.stake = 0;
            else if (ParseNumber(text, kLowestStake, kHighestStake, number) && number % 500 == 0)
                simulation.stake = static_cast<int>(number);
            else
                return Fail("--stake needs best or 500, 1000 .. 4000");
        } else if (arg == "--game-shuffle") {
            simulation.shuffle = DeckShuffle::Game;
        } else if (arg == "--seed") {
            if (!value(text) || !ParseNumber(text, 0, 4294967295LL, simulation.seed))
                return Fail("--seed needs a number from 0 to 4294967295");
        } else {
            return Fail("unknown option " + arg);
        }
    }

    std::string note, error;
    KindCounts deck = StartingDeck(gone, note, error);
    if (!error.empty())
        return Fail(error);
    if (!note.empty())
        std::cerr << "zandro-odds: " << note << "\n";
    if (simulation.rounds > 0) {
        OddsSolver solver(deck);
        return Simulate(solver, simulation, gone);
    }
    std::clock_t begin = std::clock();
    OddsSolver solver(deck);
    double roundValue = solver.RoundValueBestStake(); // the whole best-play solve
    double solveMs = 1000.0 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    WriteReport(solver, report, std::cout);
    double reportMs = 1000.0 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
    if (timing)
        std::fprintf(stderr, "exact solve: %.1f ms (best-play value %.3f); with the report: %.1f ms\n",
                     solveMs, roundValue, reportMs);
    return 0;
}
