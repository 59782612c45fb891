// The conversion report on the console and in a file.
#pragma once

#include "model/Report.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One line per kind with its count and up to five names (members without a
// property are summarised by section), then the total.
std::string ReportSummary(const Report& report);

// A header row, then every entry, one per line, tab-separated; or a JSON
// array.
std::string ReportTsv(const Report& report);
std::string ReportJson(const Report& report);

// The entries of one input among several in one file, the input first:
// tab-separated rows under the header kReportTsvInputHeader, or JSON
// objects, each after ",\n " (the first one's comma is dropped by
// ReportJsonOfInputs, which puts the objects of every input in one array).
extern const char* const kReportTsvInputHeader;
void AppendReportTsvRows(std::string& out, const Report& report, std::string_view input);
void AppendReportJsonObjects(std::string& out, const Report& report, std::string_view input);
std::string ReportJsonOfInputs(const std::vector<std::string>& objects);

}  // namespace corvane
