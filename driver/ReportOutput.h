// The conversion report on the console and in a file.
#pragma once

#include "model/Report.h"

#include <string>

namespace corvane {

// One line per kind with its count and up to five names (members without a
// property are summarised by section), then the total.
std::string ReportSummary(const Report& report);

// A header row, then every entry, one per line, tab-separated; or a JSON
// array.
std::string ReportTsv(const Report& report);
std::string ReportJson(const Report& report);

}  // namespace corvane
