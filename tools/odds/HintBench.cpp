// zandro-hint-bench: how long the hint of the player's turn takes, cold (the first
// hint of a round), over positions from a full deck down to four cards left, with and
// without cards dealt unseen. Prints the slowest position and the spread.
#include "Cards.h"
#include "HintAdvisor.h"
#include "OddsCards.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

using namespace DoDadu;

namespace {

// Milliseconds of processor time of the quickest of three cold hints: other work on
// the machine disturbs that less than the wall clock.
double HintMs(const ClassicTableSight& sight) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        HintAdvisor advisor;
        const std::clock_t begin = std::clock();
        const std::optional<Hint> hint = advisor.Advise(sight, 500);
        const std::clock_t end = std::clock();
        if (!hint) return 0.0;
        best = std::min(best, 1000.0 * static_cast<double>(end - begin) / CLOCKS_PER_SEC);
    }
    return best;
}

}  // namespace

int main() {
    // A fixed order of the deck, the wild card last: it is never among the cards gone.
    std::vector<int> order(kCardCount - 1);
    std::iota(order.begin(), order.end(), 1);
    std::replace(order.begin(), order.end(), kWildCard, kCardCount);
    unsigned state = 12345;
    for (std::size_t i = order.size() - 1; i > 0; --i) {
        state = state * 1103515245u + 12345u;
        std::swap(order[i], order[(state >> 8) % (i + 1)]);
    }
    order.push_back(kWildCard);

    std::vector<double> times;
    double worst = 0.0;
    std::string worstName;
    for (int gone = 0; gone <= kCardCount - 4; ++gone) {
        for (int unseen : {0, 3}) {
            if (unseen > gone) continue;
            for (int first = gone; first < kCardCount; ++first) {
                // One position per kind of first card.
                bool repeated = false;
                for (int i = gone; i < first; ++i)
                    repeated = repeated || Odds::KindOf(order[i]) == Odds::KindOf(order[first]);
                if (repeated) continue;
                ClassicTableSight sight;
                sight.seenBefore.assign(order.begin(), order.begin() + (gone - unseen));
                sight.unseenBefore = unseen;
                sight.hand = {order[static_cast<std::size_t>(first)]};
                const double ms = HintMs(sight);
                times.push_back(ms);
                if (ms > worst) {
                    worst = ms;
                    worstName = std::to_string(kCardCount - gone) + " cards left (" + std::to_string(unseen) +
                                " dealt unseen), first card " + Odds::KindName(Odds::KindOf(order[first]));
                }
            }
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("hint, cold, %zu positions: median %.2f ms, slowest %.2f ms (%s)\n", times.size(),
                times[times.size() / 2], worst, worstName.c_str());
    return 0;
}
