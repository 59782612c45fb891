// Lists of member, element and joint numbers as STAAD.Pro writes them:
// runs of consecutive numbers folded into "a TO b".
#pragma once

#include "model/Tables.h"

#include <string>
#include <vector>

namespace corvane {

// Fills runList from the number texts in their given order; each run of two
// or more ascending consecutive numbers becomes first, "TO", last. An empty
// list gives one empty item.
void shortList(const std::vector<std::string>& list, RunList& runList);

// Every item followed by one blank.
std::string joinArray(const RunList& list);

}  // namespace corvane
