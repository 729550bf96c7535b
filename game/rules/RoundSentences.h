#pragma once
// What a player who cannot see the table is told: every card in words, hand totals with
// their unit, and one sentence for each moment of a round, in the language of a TextSource
// (English when none is named).
#include "GameTexts.h"
#include "NumberText.h"

#include <string>

namespace DoDadu {

// "seven of coins", "knave of cups", "king of coins, wild card"; id 0 is "covered card".
std::string CardName(int id, const TextSource& texts = EnglishTexts());

// A total as shown ("4,5") with its unit: "4,5 punti", "1 point".
std::string PointsNamed(const std::string& shown, const TextSource& texts = EnglishTexts());

// "4.5 points", "1 point", "0 points".
std::string PointsInWords(double points, const TextSource& texts = EnglishTexts());

// The moments of a round that are spoken as they happen.
enum class RoundMoment {
    PlayerGetsCard,   // a card dealt to the player, at START or by GET CARD
    DealerTurnsCard,  // the dealer's covered card, uncovered when the dealer's turn begins
    DealerDraws,
    DealerStops,
    PlayerBusts,
    DealerBusts,
    PlayerWins,    // the showdown, the player strictly ahead
    PlayerLoses,   // the showdown, the dealer ahead
    TieLost,       // the showdown, level: a tie goes to the dealer
    RoundGivenUp,  // CANCEL
};

// What a sentence may mention. Texts are as the table shows them (grouped numbers).
struct SentenceFacts {
    int card = 0;               // the card of the moment
    double points = 0.0;        // the total of the hand that moved
    double dealerPoints = 0.0;  // the dealer's total, at the showdown
    std::string stake;          // what the outcome won or cost
    std::string score;          // the score after the outcome
};

std::string RoundSentence(RoundMoment moment, const SentenceFacts& facts,
                          const TextSource& texts = EnglishTexts());

}  // namespace DoDadu
