#include "StatisticsBox.h"

namespace DoDadu {

using NeloUtility::Figure;

std::vector<Figure> StatisticsFigures(const RoundStats& stats, const TextSource& texts,
                                      GroupedNumberFormatter& grouped) {
    const long long rounds = stats.rounds;
    const long long share = rounds > 0 ? (stats.won * 100LL + rounds / 2) / rounds : 0;
    const struct {
        unsigned name;
        std::string value;
    } lines[] = {
        {TextIds::kStatsRounds, grouped.Format(stats.rounds)},
        {TextIds::kStatsWon, grouped.Format(stats.won)},
        {TextIds::kStatsLost, grouped.Format(stats.lost)},
        {TextIds::kStatsBusts, grouped.Format(stats.busts)},
        {TextIds::kStatsAbandoned, grouped.Format(stats.abandoned)},
        {TextIds::kStatsShare,
         FillPlaceholders(texts.Text(TextIds::kStatsPercent), {{"percent", grouped.Format(share)}})},
        {TextIds::kStatsBestScore, grouped.Format(stats.bestScore)},
        {TextIds::kStatsLongestStreak, grouped.Format(stats.longestStreak)},
        {TextIds::kStatsStreak, grouped.Format(stats.streak)},
    };
    std::vector<Figure> figures;
    for (const auto& line : lines) figures.push_back(Figure{texts.Text(line.name), line.value});
    return figures;
}

NeloUtility::FormStatistics* OpenStatistics(NeloUtility::Form& owner, Round& round, const TextSource& texts) {
    auto* box = new NeloUtility::FormStatistics(&owner);
    box->SetTextUtf8(texts.Text(TextIds::kStatsCaption));
    box->resetText = texts.Text(TextIds::kStatsReset);
    box->closeText = texts.Text(TextIds::kStatsClose);
    box->resetQuestion = texts.Text(TextIds::kStatsResetQuestion);
    box->answers = {texts.Text(TextIds::kAnswerYes), texts.Text(TextIds::kAnswerNo)};
    GroupedNumberFormatter grouped(texts);
    box->figures = StatisticsFigures(round.Stats(), texts, grouped);
    box->Reset = [&round, &texts] {
        round.ResetStats();
        GroupedNumberFormatter regrouped(texts);
        return StatisticsFigures(round.Stats(), texts, regrouped);
    };
    box->Open();
    return box;
}

}  // namespace DoDadu
