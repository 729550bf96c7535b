#include "RoundSentences.h"

#include "Cards.h"
#include "NumberText.h"

namespace DoDadu {

namespace {

const char* const kRankNames[] = {"ace", "two",   "three", "four",   "five",
                                  "six", "seven", "knave", "knight", "king"};
const char* const kSuitNames[] = {"coins", "cups", "swords", "clubs"};

struct SentenceTemplate {
    RoundMoment moment;
    const char* text;  // {card}, {points}, {dealer}, {stake} and {score} are filled in
};

// Every sentence of a round, in the order the moments come.
const SentenceTemplate kSentences[] = {
    {RoundMoment::PlayerGetsCard, "You get the {card}: {points}."},
    {RoundMoment::DealerTurnsCard, "The dealer turns the {card}: {points}."},
    {RoundMoment::DealerDraws, "The dealer draws the {card}: {points}."},
    {RoundMoment::DealerStops, "The dealer stops at {points}."},
    {RoundMoment::PlayerBusts, "You exceeded 7.5 with {points} and lose {stake}. Score: {score}."},
    {RoundMoment::DealerBusts, "The dealer exceeded 7.5 with {points}. You win {stake}. Score: {score}."},
    {RoundMoment::PlayerWins, "You win {stake} with {points} against {dealer}. Score: {score}."},
    {RoundMoment::PlayerLoses, "You lose {stake} with {points} against {dealer}. Score: {score}."},
    {RoundMoment::TieLost, "A tie at {points} goes to the dealer: you lose {stake}. Score: {score}."},
    {RoundMoment::RoundGivenUp, "You give up the round and pay {stake}. Score: {score}."},
};

void Fill(std::string& text, const std::string& field, const std::string& value) {
    for (auto at = text.find(field); at != std::string::npos; at = text.find(field, at + value.size()))
        text.replace(at, field.size(), value);
}

}  // namespace

std::string CardName(int id) {
    if (id < 1 || id > kCardCount) return "covered card";
    std::string name =
        std::string(kRankNames[CardRank(id) - 1]) + " of " + kSuitNames[static_cast<int>(CardSuit(id))];
    return id == kWildCard ? name + ", wild card" : name;
}

std::string PointsInWords(double points) {
    return PointsText(points) + (points == 1.0 ? " point" : " points");
}

std::string RoundSentence(RoundMoment moment, const SentenceFacts& facts) {
    for (const SentenceTemplate& sentence : kSentences) {
        if (sentence.moment != moment) continue;
        std::string text = sentence.text;
        Fill(text, "{card}", CardName(facts.card));
        Fill(text, "{points}", PointsInWords(facts.points));
        Fill(text, "{dealer}", PointsInWords(facts.dealerPoints));
        Fill(text, "{stake}", facts.stake);
        Fill(text, "{score}", facts.score);
        return text;
    }
    return std::string();
}

}  // namespace DoDadu
