#pragma once
// What a card is and what it is worth. A card is an id from 1 to 40: ten per suit,
// coins 1-10, cups 11-20, swords 21-30, clubs 31-40; within a suit the ace is 1, the
// number cards 2 to 7, then knave, knight and king.

namespace DoDadu {

constexpr int kCardCount = 40;
constexpr int kWildCard = 10;           // the king of coins
constexpr int kCardBackPicture = 1100;  // bitmap of the back; card id n is 1100 + n
constexpr double kBestHand = 7.5;

enum class Suit { Coins = 0, Cups = 1, Swords = 2, Clubs = 3 };

// 1 ace, 2-7 number cards, 8 knave, 9 knight, 10 king.
int CardRank(int id);
Suit CardSuit(int id);
// Number cards and the ace count their rank, every figure half a point. The wild
// card too counts 0.5 here: only the hand rules give it more.
double CardValue(int id);
inline int CardPicture(int id) { return kCardBackPicture + id; }

}  // namespace DoDadu
