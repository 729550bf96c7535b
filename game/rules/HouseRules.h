#pragma once
#include <cstdint>

namespace DoDadu {

// Which 7.5 of a seat the bank pays twice over; any other win is paid its stake.
enum class DoublePay { None, TwoCards, Any };

// When the bank passes besides a seat's two-card 7.5 (where that takes it) and a bank
// that cannot go on (see Evening).
enum class BankPassing {
    Never,
    DeckUsedUp,  // the deck ran out during the round (see TableDeck)
    EveryRounds  // after every passEvery rounds held by the same bank
};

// The most a stake may be and the most rounds between two passes of the bank: the
// limits of the setup box and of the stored evening alike.
constexpr std::int64_t kMostStake = 1000000;
constexpr std::int64_t kMostPassEvery = 1000;

// The rules a full table agrees on for an evening. Ties go to the bank, but for a
// royal 7.5 (below).
struct HouseRules {
    bool wildCard = true;  // the king of coins fills a hand as at the classic table
    DoublePay doublePay = DoublePay::None;
    // A two-card 7.5 is a royal one: a seat's beats the bank's 7.5 of three or more cards
    // (paid its stake then), and the bank's own collects twice the stake from every
    // standing seat without one.
    bool royalSevenAndHalf = false;
    bool twoCardTakesBank = false;  // a seat's two-card 7.5 takes the bank
    BankPassing passing = BankPassing::Never;
    int passEvery = 0;  // rounds, with BankPassing::EveryRounds
    int minStake = 500;
    int maxStake = 4000;
    int stakeStep = 500;
    // Each seat in turn stakes no more than the bank's chips can still pay, the stakes
    // before it counted at the most they could win; so a winner is never left unpaid.
    // Without it the bank pays the losers' chips and its own in turn order as far as
    // they go.
    bool cover = false;
    // The classic table: the bank plays the classic dealer's stopping rule whatever its
    // style and never passes, and a fresh deck is shuffled at the start of a round when
    // the wild card was in a hand of the last one or fewer than two cards are left.
    bool classicTable = false;

    // Two seats, one a computer bank: the classic table's rules exactly.
    static HouseRules Classic();
    // The wild card; a seat's two-card 7.5 is paid double and takes the bank; a royal
    // 7.5; the bank passes when the deck is used up; the cover.
    static HouseRules Italian();
    // No wild card; every 7.5 is paid double and none takes the bank; the bank passes
    // when the deck is used up; the cover.
    static HouseRules Spanish();

    // The stakes make sense (0 < min <= max <= kMostStake, a step that leads from min to
    // max) and passEvery is within its limits where it is used.
    bool Valid() const;
    // The stake a seat with these chips can set nearest to the wish: from the minimum
    // to the maximum in steps, never above the chips nor above top (what the bank can
    // cover); 0 when the chips or top are below the minimum.
    int StakeWithin(std::int64_t wish, std::int64_t chips, std::int64_t top = kMostStake) const;

    // Per point of stake: what a standing seat wins from the bank (a loss below 0), both
    // hands by their value in half points (the bank's above 7.5 when it went over) and
    // their number of cards.
    int Settlement(int seat, int seatCards, int bank, int bankCards) const;
    // What a seat's win pays per point of stake.
    int WinPays(int seat, int seatCards) const;
    // The most a seat's win can pay per point of stake: what the cover counts it at.
    int MostWinPays() const { return doublePay == DoublePay::None ? 1 : 2; }
};

}  // namespace DoDadu
