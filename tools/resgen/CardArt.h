#pragma once
// The 40 card faces and the back: 63 x 101 pixels on one shared 16-colour palette at
// 100 %, and drawn anew, not enlarged, at the denser screens' scales.

#include <string>

#include "Formats.h"

namespace resgen {

constexpr int kCardWidth = 63;
constexpr int kCardHeight = 101;

// The display scales, in percent, every picture is made for: kDensityPercents[n] is density
// n, the bitmap B + kDensityStep * n of the picture B at 100 %. ResourceIds.h has both.
constexpr int kDensityPercents[] = {100, 125, 150, 175, 200, 250, 300};
constexpr int kDensityStep = 10000;

// A length of the 100 % picture at a scale: length100 x percent / 100 rounded to the
// nearest pixel, halves up (63 at 175 % is 110, 101 at 150 % is 152).
int ScaledLength(int length100, int percent);

enum class Suit { Coins = 0, Cups = 1, Swords = 2, Clubs = 3 };

// The shared palette, by what each colour is for.
enum Pen : std::uint8_t {
    kBlack,
    kWhite,
    kDarkGrey,
    kSteel,
    kGold,
    kDarkGold,
    kPaleGold,
    kRed,
    kDarkRed,
    kBlue,
    kDarkBlue,
    kTableGreen,
    kSkin,
    kWood,
    kDarkWood,
    kLightGrey,
    kPenCount
};

// Card id 1-40 is 10 x suit + rank.
IndexedImage DrawCard(int id, int percent = 100);
IndexedImage DrawCardBack(int percent = 100);

// "coins-01-ace", "cups-07", "clubs-10-king"...: the file name without extension.
std::string CardFileStem(int id);

}  // namespace resgen
