#pragma once
// The odds tool's tables, as aligned text or as CSV.
#include "OddsSolver.h"

#include <ostream>
#include <string>
#include <vector>

namespace DoDadu {
namespace Odds {

// Draw while the hand is worth less than the threshold (half points), then stop;
// never CANCEL.
Policy StopAtPolicy(int threshold);
// The stop-at thresholds the report compares: 4, 4.5 .. 7.5.
std::vector<int> ComparedThresholds();

// A hand as text, the covered card first and in brackets: "[A] 2 F".
std::string HandText(const PlayerHand& hand);

struct ReportOptions {
    bool csv = false;
    std::string table;  // one of ReportTables(), or empty for all
};

const std::vector<std::string>& ReportTables();
void WriteReport(OddsSolver& solver, const ReportOptions& options, std::ostream& out);

}  // namespace Odds
}  // namespace DoDadu
