#pragma once
#include <cstdint>
#include <vector>

namespace DoDadu {

// What a seat's 7.5 made with its first two cards is paid.
enum class TwoCardPay { Single, Double };

// When the bank passes besides a seat's two-card 7.5 (where that takes it) and a bank
// that cannot go on (see Evening).
enum class BankPassing {
    Never,
    DeckUsedUp,  // the deck ran out during the round (see TableDeck)
    EveryRounds  // after every passEvery rounds held by the same bank
};

// The rules a full table agrees on for an evening. Ties always go to the bank.
struct HouseRules {
    bool wildCard = true;  // the king of coins fills a hand as at the classic table
    TwoCardPay twoCardPays = TwoCardPay::Single;
    bool twoCardTakesBank = false;  // a seat's two-card 7.5 takes the bank
    BankPassing passing = BankPassing::Never;
    int passEvery = 0;  // rounds, with BankPassing::EveryRounds
    int minStake = 500;
    int maxStake = 4000;
    int stakeStep = 500;
    // The classic table: the bank plays the classic dealer's stopping rule whatever its
    // style and never passes, and a fresh deck is shuffled at the start of a round when
    // the wild card was in a hand of the last one or fewer than two cards are left.
    bool classicTable = false;

    // Two seats, one a computer bank: the classic table's rules exactly.
    static HouseRules Classic();
    // A seat's two-card 7.5 is paid double and takes the bank; the bank also passes when
    // the deck is used up; the bank's own two-card 7.5 collects single.
    static HouseRules Italian();
    // A two-card 7.5 is paid double and does not take the bank; the bank passes when the
    // deck is used up.
    static HouseRules Spanish();

    // The stakes make sense (0 < min <= max, a step that leads from min to max) and
    // passEvery is positive where it is used.
    bool Valid() const;
    // The stake a seat with these chips can set nearest to the wish: from the minimum
    // to the maximum in steps, never above the chips; 0 when the chips are below the minimum.
    int StakeWithin(std::int64_t wish, std::int64_t chips) const;
};

// The points of a hand under these rules: the table's own hand value with the wild card
// when it is on, the plain sum (every figure half a point) when it is off.
double HandPoints(const std::vector<int>& hand, bool wildCard);
// Exactly two cards worth 7.5.
bool IsTwoCardBest(const std::vector<int>& hand, bool wildCard);

}  // namespace DoDadu
