// zandro-table-bench: how long the expert takes at a full table of six seats, on
// positions dealt from shuffled decks: a seat's stake and its first draw or stand (the
// seat last before the bank, the others standing or bust), and the bank's first draw or
// stand against the other five. Prints the median and the slowest of each, in milliseconds of
// processor time (the quickest of three runs of each position), and the house rules.
#include "ExpertPlayer.h"
#include "HandRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

using namespace DoDadu;

namespace {

constexpr int kSeats = 6;
constexpr unsigned kPositions = 200;

// A round dealt from a shuffled deck: the bank (seat 0) and every seat get a covered
// card; seats 1 to lastStanding draw face-up cards below 5 and stand.
RoundSight Deal(unsigned seed, const HouseRules& rules, int lastStanding, int bankCards = 1) {
    std::vector<int> order(kCardCount);
    std::iota(order.begin(), order.end(), 1);
    unsigned state = seed;
    for (std::size_t i = order.size() - 1; i > 0; --i) {
        state = state * 1103515245u + 12345u;
        std::swap(order[i], order[(state >> 8) % (i + 1)]);
    }
    RoundSight sight;
    sight.rules = rules;
    sight.bank = 0;
    sight.seats.resize(kSeats);
    std::size_t next = 0;
    auto deal = [&](int seat) {
        const int card = order[next++];
        sight.seats[static_cast<std::size_t>(seat)].cards.push_back(card);
        sight.dealt.push_back({seat, card});
    };
    for (int seat = 0; seat < kSeats; ++seat) {
        deal(seat);
        sight.seats[static_cast<std::size_t>(seat)].status = SeatStatus::Waiting;
        sight.seats[static_cast<std::size_t>(seat)].chips = kStartingChips;
        sight.seats[static_cast<std::size_t>(seat)].style = PlayStyle::Expert;
        if (seat > 0) sight.seats[static_cast<std::size_t>(seat)].stake = rules.minStake * seat;
    }
    for (int seat = 1; seat <= lastStanding; ++seat) {
        SeenSeat& now = sight.seats[static_cast<std::size_t>(seat)];
        while (HandPoints(now.cards, rules.wildCard) < 5.0) deal(seat);
        now.status =
            HandPoints(now.cards, rules.wildCard) > kBestHand ? SeatStatus::Bust : SeatStatus::Standing;
    }
    while (static_cast<int>(sight.seats[0].cards.size()) < bankCards &&
           HandPoints(sight.seats[0].cards, rules.wildCard) < 4.0)
        deal(0);
    sight.deckLeft = kCardCount - static_cast<int>(next);
    return sight;
}

// What the looker may not see: other seats' covered cards (a bust seat shows its own).
void CoverFor(RoundSight& sight, int looker) {
    sight.self = looker;
    for (std::size_t i = 0; i < sight.seats.size(); ++i) {
        SeenSeat& seat = sight.seats[i];
        if (static_cast<int>(i) == looker || seat.status == SeatStatus::Bust) continue;
        const int covered = seat.cards.front();
        seat.cards.front() = 0;
        for (DealtCard& card : sight.dealt)
            if (card.card == covered) card.card = 0;
    }
}

double QuickestMs(const std::function<void()>& decide) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const std::clock_t begin = std::clock();
        decide();
        best = std::min(best, 1000.0 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC);
    }
    return best;
}

void Report(const char* what, std::vector<double> times, const std::string& worst) {
    std::sort(times.begin(), times.end());
    std::printf("%s, %zu positions: median %.2f ms, slowest %.2f ms (%s)\n", what, times.size(),
                times[times.size() / 2], times.back(), worst.c_str());
}

// The bank's weighing against exhaustive enumeration, on tables of one to three seats
// standing: how far its values are from the exhaustive ones (per point of the stakes
// summed), how often it chooses otherwise, and what that costs.
void MeasureWeighing(const HouseRules& rules) {
    Odds::BankOdds weighed;
    int tables = 0, wrong = 0;
    double worst = 0.0, sum = 0.0, regret = 0.0;
    for (unsigned seed = 1; seed <= kPositions; ++seed) {
        for (int standing = 1; standing <= 3; ++standing) {
            BankSight sight;
            static_cast<RoundSight&>(sight) = Deal(seed, rules, standing, 1 + static_cast<int>(seed % 3));
            CoverFor(sight, 0);
            Odds::KindCounts bank{};
            const std::optional<Odds::BankTable> table = BankTableOf(sight, bank);
            if (!table || table->seats.empty()) continue;
            double stakes = 0.0;
            for (const Odds::StandingHand& seat : table->seats) stakes += seat.stake;
            weighed.Reset(*table);
            const Odds::BankChoice approx = weighed.Choose(bank);
            const Odds::BankChoice exact = Odds::ExactBankChoice(*table, bank);
            if (!exact.canDraw) continue;
            ++tables;
            const double error =
                std::max(std::abs(approx.stand - exact.stand), std::abs(approx.draw - exact.draw)) / stakes;
            worst = std::max(worst, error);
            sum += error;
            if (approx.Draws() != exact.Draws()) {
                ++wrong;
                regret += std::abs(exact.draw - exact.stand) / stakes;
            }
        }
    }
    std::printf(
        "  bank weighing against enumeration, %d tables of 1 to 3 standing seats: error mean %.5f, "
        "largest %.5f of the stakes; other choice in %d, costing %.5f of the stakes on average\n",
        tables, sum / tables, worst, wrong, regret / tables);
}

}  // namespace

int main() {
    const struct {
        const char* name;
        HouseRules rules;
    } presets[] = {{"italian", HouseRules::Italian()}, {"spanish", HouseRules::Spanish()}};
    for (const auto& preset : presets) {
        std::vector<double> seat, bank;
        double seatWorst = 0.0, bankWorst = 0.0;
        std::string seatName, bankName;
        for (unsigned seed = 1; seed <= kPositions; ++seed) {
            // The last seat before the bank, at its stake and its first decision.
            SeatSight seatSight;
            static_cast<RoundSight&>(seatSight) = Deal(seed, preset.rules, kSeats - 2);
            CoverFor(seatSight, kSeats - 1);
            seatSight.seats[kSeats - 1].status = SeatStatus::Playing;
            // Each decision cold, by a player of its own: the stake is asked before it is
            // set, the draw after, so the two never share their work.
            double ms = QuickestMs([&] {
                ExpertPlayer expert;
                seatSight.seats[kSeats - 1].stake = expert.Stake(seatSight);
            });
            ms = std::max(ms, QuickestMs([&] {
                              ExpertPlayer expert;
                              expert.Draws(seatSight);
                          }));
            seat.push_back(ms);
            if (ms >= seatWorst) {
                seatWorst = ms;
                seatName = "seed " + std::to_string(seed) + ", first card " +
                           std::to_string(seatSight.Hand().front());
            }
            // The bank against every seat standing.
            BankSight bankSight;
            static_cast<RoundSight&>(bankSight) = Deal(seed, preset.rules, kSeats - 1);
            CoverFor(bankSight, 0);
            bankSight.seats[0].status = SeatStatus::Playing;
            int standing = 0;
            for (const SeenSeat& s : bankSight.seats) standing += s.status == SeatStatus::Standing ? 1 : 0;
            bool decided = false;
            const double bankMs = QuickestMs([&] {
                ExpertPlayer expert;
                decided = expert.BankOptions(bankSight).has_value();
            });
            if (!decided) std::printf("  (no bank decision at seed %u)\n", seed);
            bank.push_back(bankMs);
            if (bankMs >= bankWorst) {
                bankWorst = bankMs;
                bankName = "seed " + std::to_string(seed) + ", " + std::to_string(standing) + " standing";
            }
        }
        std::printf("%s rules, six seats:\n", preset.name);
        Report("  expert seat, the slower of its stake and its first draw or stand", seat, seatName);
        Report("  expert bank, first decision", bank, bankName);
        MeasureWeighing(preset.rules);
    }
    return 0;
}
