#pragma once
// The 40 card faces and the back: 63 x 101 pixels on one shared 16-colour palette.

#include <string>

#include "Formats.h"

namespace resgen {

constexpr int kCardWidth = 63;
constexpr int kCardHeight = 101;

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
IndexedImage DrawCard(int id);
IndexedImage DrawCardBack();

// "coins-01-ace", "cups-07", "clubs-10-king"...: the file name without extension.
std::string CardFileStem(int id);

}  // namespace resgen
