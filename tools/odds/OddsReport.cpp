#include "OddsReport.h"

#include <cstdio>
#include <map>
#include <set>

namespace DoDadu {
namespace Odds {
namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

char ActionLetter(Action action) { return action == Action::Stop ? 'S' : action == Action::Draw ? 'D' : 'C'; }

// A table is a header and rows of cells; text pads the columns, CSV separates them.
struct Table {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

void WriteTable(const Table& table, bool csv, std::ostream& out) {
    if (csv) {
        auto line = [&](const std::vector<std::string>& cells) {
            for (std::size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << cells[i];
            out << '\n';
        };
        line(table.header);
        for (const auto& row : table.rows) line(row);
        return;
    }
    std::vector<std::size_t> widths(table.header.size(), 0);
    auto measure = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size() && i < widths.size(); ++i)
            widths[i] = std::max(widths[i], cells[i].size());
    };
    measure(table.header);
    for (const auto& row : table.rows) measure(row);
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string& cell = cells[i];
            std::string pad(widths[i] > cell.size() ? widths[i] - cell.size() : 0, ' ');
            text += (i ? "  " : "") + (i ? pad + cell : cell + pad);
        }
        out << text.erase(text.find_last_not_of(' ') + 1) << '\n';
    };
    line(table.header);
    for (const auto& row : table.rows) line(row);
}

Table SummaryTable(OddsSolver& solver) {
    double atLowest = solver.RoundValueAtStake(kLowestStake);
    Table table{{"play", "expected score change per round", "house edge %"}, {}};
    table.rows.push_back(
        {"best play, stake 500", Fixed(atLowest, 2), Fixed(-100.0 * atLowest / kLowestStake, 3)});
    table.rows.push_back({"best play, best stake", Fixed(solver.RoundValueBestStake(), 2), ""});
    return table;
}

Table FirstCardTable(OddsSolver& solver) {
    Table table{{"first card", "chance", "value per stake", "best stake", "expected change", "first action"},
                {}};
    for (int k = 0; k < kKindCount; ++k) {
        if (solver.Deck()[k] == 0) continue;
        double value = solver.FirstCardValue(k);
        int stake = solver.BestStake(k);
        table.rows.push_back({KindName(k), Fixed(solver.FirstCardChance(k), 4), Fixed(value, 5),
                              std::to_string(stake), Fixed(value * stake, 2),
                              ActionName(solver.BestAction(PlayerView{FirstCard(k)}))});
    }
    return table;
}

Table ThresholdTable(OddsSolver& solver) {
    Table table{{"policy", "expected change at stake 500", "house edge %"}, {}};
    for (int threshold : ComparedThresholds()) {
        double value = solver.PolicyValue(StopAtPolicy(threshold));
        table.rows.push_back(
            {"stop at " + PointsText(threshold), Fixed(value * kLowestStake, 2), Fixed(-100.0 * value, 3)});
    }
    return table;
}

Table DecisionRows(OddsSolver& solver) {
    Table table{
        {"hand", "dealer card known", "points", "shown", "wild shown", "action", "stop value", "draw value"},
        {}};
    for (const PlayerView& view : solver.ReachableViews()) {
        Choice choice = solver.Best(view);
        table.rows.push_back({HandText(view.hand),
                              view.knownDealerCard == kNoCard ? "" : KindName(view.knownDealerCard),
                              PointsText(HandValue(view.hand.cards)), PointsText(ShownValue(view.hand)),
                              ShowsWildCard(view.hand) ? "yes" : "no", ActionName(choice.best),
                              Fixed(choice.stop, 5), choice.canDraw ? Fixed(choice.draw, 5) : ""});
    }
    return table;
}

// The hands of one covered card and hand value, by their best action.
using DecisionCell = std::map<Action, std::vector<std::string>>;
using DecisionCells = std::map<std::pair<int, int>, DecisionCell>;

// Lines naming the hands of a cell whose hands differ in their best action.
void DescribeMixedCell(int covered, int value, const DecisionCell& cell, std::vector<std::string>& lines) {
    lines.push_back(std::string("  covered ") + KindName(covered) + ", " + PointsText(value) + ":");
    for (const auto& [action, hands] : cell) {
        std::string text = std::string("    ") + ActionName(action) + ":";
        for (const std::string& hand : hands) text += "  " + hand;
        lines.push_back(text);
    }
}

// The compact form: one row per covered card, one column per hand value. A letter
// when every hand of that cell gets the same action, '*' when they differ (those
// hands are listed below the grid), '.' when no hand has that value.
void WriteDecisionGrid(OddsSolver& solver, std::ostream& out) {
    DecisionCells cells;
    int afterRefill = 0;
    for (const PlayerView& view : solver.ReachableViews()) {
        if (view.knownDealerCard != kNoCard)
            ++afterRefill;
        else
            cells[{view.hand.covered, HandValue(view.hand.cards)}][solver.BestAction(view)].push_back(
                HandText(view.hand));
    }
    out << "covered";
    for (int value = 1; value <= kBest; ++value)
        out << ' ' << std::string(4 - PointsText(value).size(), ' ') << PointsText(value);
    out << '\n';
    std::vector<std::string> mixed;
    for (int k = 0; k < kKindCount; ++k) {
        if (solver.Deck()[k] == 0) continue;
        out << "  " << KindName(k) << "    ";
        for (int value = 1; value <= kBest; ++value) {
            auto cell = cells.find({k, value});
            char mark = '.';
            if (cell != cells.end() && cell->second.size() == 1) {
                mark = ActionLetter(cell->second.begin()->first);
            } else if (cell != cells.end()) {
                mark = '*';
                DescribeMixedCell(k, value, cell->second, mixed);
            }
            out << "    " << mark;
        }
        out << '\n';
    }
    out << "S stop, D draw, C cancel; the covered card is the player's first card.\n";
    if (!mixed.empty()) out << "Cells marked * hold hands with different best actions:\n";
    for (const std::string& line : mixed) out << line << '\n';
    if (afterRefill > 0) out << afterRefill << " more hands follow a refilled deck; --csv lists them.\n";
}

void WriteTitled(const char* title, const Table& table, std::ostream& out) {
    out << title << '\n';
    WriteTable(table, false, out);
    out << '\n';
}

}  // namespace

Policy StopAtPolicy(int threshold) {
    return [threshold](const PlayerView& view) {
        return HandValue(view.hand.cards) < threshold ? Action::Draw : Action::Stop;
    };
}

std::vector<int> ComparedThresholds() {
    std::vector<int> thresholds;
    for (int threshold = 8; threshold <= kBest; ++threshold) thresholds.push_back(threshold);
    return thresholds;
}

std::string HandText(const PlayerHand& hand) {
    std::string text = std::string("[") + KindName(hand.covered) + "]";
    for (int k = 0; k < kKindCount; ++k)
        for (int n = hand.cards[k] - (k == hand.covered ? 1 : 0); n > 0; --n)
            text += std::string(" ") + KindName(k);
    return text;
}

const std::vector<std::string>& ReportTables() {
    static const std::vector<std::string> tables = {"summary", "first-card", "decisions", "thresholds"};
    return tables;
}

void WriteReport(OddsSolver& solver, const ReportOptions& options, std::ostream& out) {
    auto wanted = [&](const char* name) { return options.table.empty() || options.table == name; };
    if (options.csv) {
        bool first = true;
        auto csv = [&](const char* name, const Table& table) {
            if (!wanted(name)) return;
            if (!first) out << '\n';
            first = false;
            WriteTable(table, true, out);
        };
        csv("summary", SummaryTable(solver));
        csv("first-card", FirstCardTable(solver));
        csv("decisions", DecisionRows(solver));
        csv("thresholds", ThresholdTable(solver));
        return;
    }
    if (wanted("summary"))
        WriteTitled("Expected score change per round (negative: the house wins)", SummaryTable(solver), out);
    if (wanted("first-card"))
        WriteTitled("By the player's first card (the stake is set after seeing it)", FirstCardTable(solver),
                    out);
    if (wanted("decisions")) {
        out << "Best action by covered card and hand value\n";
        WriteDecisionGrid(solver, out);
        out << '\n';
    }
    if (wanted("thresholds"))
        WriteTitled("Simple policies: draw below a value, then stop (never cancel)", ThresholdTable(solver),
                    out);
}

}  // namespace Odds
}  // namespace DoDadu
