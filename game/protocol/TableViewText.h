// A table view is nearly all of a server's traffic, one for every seat at every step: it
// is written straight to text, not built as a json tree and then dumped.
#pragma once
#include "HouseRules.h"
#include "ServerMessages.h"

#include <string>

namespace DoDadu {

// The whole "table" message.
std::string TableText(const TableView& view);
// The house rules as a json object, appended to out.
void RulesText(std::string& out, const HouseRules& rules);

}  // namespace DoDadu
