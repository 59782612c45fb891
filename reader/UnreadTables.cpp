// What the input holds that the conversion does not read, so that nothing
// is left behind in silence.
#include "reader/ReaderSupport.h"

#include <map>
#include <unordered_set>

namespace corvane {

namespace {

// Content no rule converts, by the table that holds it.
constexpr struct {
    std::string_view table;
    std::string_view what;
} kContent[] = {
    {"CONNECTIVITY - LINK", "links"},
    {"CONNECTIVITY - CABLE", "cables"},
    {"CONNECTIVITY - TENDON", "tendons"},
    {"JOINT ADDED MASS ASSIGNMENTS", "joint masses"},
    {"JOINT ADDED MASS BY VOLUME ASSIGNMENTS", "joint masses by volume"},
};

// Analysis case types and what the report calls them; linear static cases
// are the load patterns.
constexpr struct {
    std::string_view type;
    std::string_view what;
} kCaseTypes[] = {
    {"LinStatic", ""},
    {"LinModal", "modal analysis cases"},
    {"LinModalRitz", "modal analysis cases"},
    {"LinModalEigen", "modal analysis cases"},
};
constexpr std::string_view kOtherCases = "analysis cases other than linear static and modal ones";

// Calls record(tokens) for every record of the table read from `after`.
template <class PerRecord>
std::size_t ForEachRecord(const InputText& input, std::size_t after, PerRecord record) {
    TableCursor cursor(input, after);
    TokenStore t;
    std::size_t n = 0;
    while (cursor.NextRecord(t)) {
        record(t);
        cursor.SkipContinuation(t);
        ++n;
    }
    return n;
}

}  // namespace

void ReportUnread(const InputText& input, ModelCommand command, bool full, Report& report) {
    std::unordered_set<std::string_view> read{"PROGRAM CONTROL"};
    for (std::size_t i = 0; i < kReaderStepCount; ++i)
        if (kReaderSteps[i].RunsIn(command, full)) read.insert(kReaderSteps[i].table);
    // The load patterns come from the analysis cases of exports that have
    // no pattern table.
    const bool casesArePatterns = !input.FindTable("LOAD PATTERN DEFINITIONS");
    if (casesArePatterns) read.insert("LOAD CASE DEFINITIONS");

    const std::vector<InputText::TableAt> tables = input.Tables();
    std::unordered_set<std::string_view> told;
    for (const auto& content : kContent) {
        if (read.count(content.table)) continue;
        const auto at = input.FindTable(content.table);
        if (!at) continue;
        told.insert(content.table);
        if (const std::size_t n = ForEachRecord(input, *at, [](const TokenStore&) {}))
            report.Add(ReportKind::NotConverted, content.table, std::string(content.what), std::to_string(n));
    }
    // The full conversion reads the analysis cases and reports each one it
    // does not convert by name.
    if (!casesArePatterns && !full) {
        if (const auto at = input.FindTable("LOAD CASE DEFINITIONS")) {
            told.insert("LOAD CASE DEFINITIONS");
            std::map<std::string_view, std::size_t> counts;  // by what the report calls them
            ForEachRecord(input, *at, [&](const TokenStore& t) {
                const int p = t.Position("Type");
                const std::string type = p == -1 ? std::string() : ValueText(t, p);
                std::string_view what = kOtherCases;
                for (const auto& c : kCaseTypes)
                    if (c.type == type) what = c.what;
                // The full conversion converts modal cases.
                if (what == kCaseTypes[1].what && read.count("CASE - MODAL 1 - GENERAL")) what = {};
                if (!what.empty()) ++counts[what];
            });
            for (const auto& [what, n] : counts)
                report.Add(ReportKind::NotConverted, "LOAD CASE DEFINITIONS", std::string(what), std::to_string(n));
        }
    }
    for (const auto& table : tables) {
        if (read.count(table.name) || told.count(table.name)) continue;
        if (const std::size_t n = ForEachRecord(input, table.after, [](const TokenStore&) {}))
            report.Add(ReportKind::TableNotRead, report.Intern(table.name), "", std::to_string(n));
    }
}

}  // namespace corvane
