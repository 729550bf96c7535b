#pragma once
// A seat's turn at the full table: what standing and drawing are worth to the seat, per
// point of its stake, from what it can see and a model of how the bank will play.
//
// The model. The bank's covered card and every card it draws are any of the cards the
// seat cannot see, in random order. The seats still to play before the bank are left
// out: their cards come from the same unseen cards and so change none of the chances
// of the bank's cards, but the bank does not see them stand, and the deck running dry
// is not played out. The bank plays by its style's rule against what it will see: the
// seats standing now and this seat's face-up cards (its covered card weighed over what
// it can be, as BankOdds does). Against the careful and the bold bank that rule is
// exact; the expert bank is modelled by BankOdds, the expert's own weighing.
#include "BankOdds.h"
#include "OddsSolver.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace DoDadu {
namespace Odds {

// How the bank decides, as a seat models it: below standFrom it draws; from there while
// below chaseLimit and not above the best total a standing seat shows. Or the expert's
// weighing. Values in half points.
struct BankRule {
    bool expert = true;
    int standFrom = 0;
    int chaseLimit = 0;
};

struct SeatTable {
    KindCounts unseen{};               // every card the seat cannot see
    std::vector<StandingHand> others;  // the seats standing now, as the bank sees them
    int othersShown = -1;              // their best face-up total (plain), half points; -1: none
    double stake = 1.0;                // the seat's own, for the expert bank's weighing
    HouseRules rules;                  // what each result pays
    BankRule bank;
};

class SeatOdds {
public:
    explicit SeatOdds(const SeatTable& table);
    // The seat's options at this hand, its cards as the table holds them now.
    Choice Best(const PlayerHand& hand);

private:
    double StopValue(const PlayerHand& hand);
    double Value(const PlayerHand& hand);
    double DrawValue(const PlayerHand& hand);
    double Outcome(CountedHand& bank);
    bool BankDraws(const CountedHand& bank);
    KindCounts UnseenAt(const PlayerHand& hand) const;

    SeatTable table;
    KindCounts root{};
    std::unordered_map<std::uint64_t, double> memo;
    BankOdds bankOdds;

    // The hand the bank plays against, while one stand is being valued.
    struct Against {
        KindCounts unseen{};
        int value = 0;
        int cards = 0;
        int shown = -1;
    } against;
    std::vector<double> outcomeMemo;
    std::vector<std::uint32_t> stamps;
    std::uint32_t stamp = 0;
};

}  // namespace Odds
}  // namespace DoDadu
