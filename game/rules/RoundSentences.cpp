#include "RoundSentences.h"

#include "Cards.h"

namespace DoDadu {

namespace {

// The text of every moment, in the order the moments come.
const struct {
    RoundMoment moment;
    unsigned id;
} kSentences[] = {
    {RoundMoment::PlayerGetsCard, TextIds::kSentencePlayerGetsCard},
    {RoundMoment::DealerTurnsCard, TextIds::kSentenceDealerTurnsCard},
    {RoundMoment::DealerDraws, TextIds::kSentenceDealerDraws},
    {RoundMoment::DealerStops, TextIds::kSentenceDealerStops},
    {RoundMoment::PlayerBusts, TextIds::kSentencePlayerBusts},
    {RoundMoment::DealerBusts, TextIds::kSentenceDealerBusts},
    {RoundMoment::PlayerWins, TextIds::kSentencePlayerWins},
    {RoundMoment::PlayerLoses, TextIds::kSentencePlayerLoses},
    {RoundMoment::TieLost, TextIds::kSentenceTieLost},
    {RoundMoment::RoundGivenUp, TextIds::kSentenceRoundGivenUp},
};

}  // namespace

// The covered card's name comes first; the 40 cards follow it in the order of the deck.
std::string CardName(int id, const TextSource& texts) {
    if (id < 1 || id > kCardCount) return texts.Text(TextIds::kCardCovered);
    std::string name = texts.Text(TextIds::kCardCovered + static_cast<unsigned>(id));
    return id == kWildCard ? FillPlaceholders(texts.Text(TextIds::kCardWild), {{"card", name}}) : name;
}

std::string PointsNamed(const std::string& shown, const TextSource& texts) {
    return FillPlaceholders(texts.Text(shown == "1" ? TextIds::kPointsOne : TextIds::kPointsMany),
                            {{"number", shown}});
}

std::string PointsInWords(double points, const TextSource& texts) {
    return PointsNamed(PointsShown(points, texts), texts);
}

std::string RoundSentence(RoundMoment moment, const SentenceFacts& facts, const TextSource& texts) {
    for (const auto& sentence : kSentences) {
        if (sentence.moment != moment) continue;
        return FillPlaceholders(texts.Text(sentence.id),
                                {{"card", CardName(facts.card, texts)},
                                 {"points", PointsInWords(facts.points, texts)},
                                 {"dealer", PointsInWords(facts.dealerPoints, texts)},
                                 {"stake", facts.stake},
                                 {"score", facts.score}});
    }
    return std::string();
}

}  // namespace DoDadu
