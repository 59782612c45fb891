#include "cli/ReportOutput.h"

#include "cli/Json.h"

#include <unordered_map>
#include <vector>

namespace corvane {

namespace {

// Distinct values in order of first appearance, with how often each came.
struct Tally {
    std::vector<std::string> order;
    std::unordered_map<std::string, std::size_t> count;
    void Add(const std::string& v) {
        if (count[v]++ == 0) order.push_back(v);
    }
};

}  // namespace

std::string ReportSummary(const Report& report) {
    Tally kinds;
    std::unordered_map<std::string, Tally> namesOf;
    for (const auto& e : report.entries) {
        kinds.Add(e.kind);
        namesOf[e.kind].Add(e.group.empty() ? e.name : e.group);
    }
    std::string text;
    for (const auto& kind : kinds.order) {
        const Tally& names = namesOf[kind];
        const bool grouped = kind == "member-without-property";
        text += "report: " + kind + ": " + std::to_string(kinds.count[kind]);
        std::string list;
        for (std::size_t i = 0; i < names.order.size() && i < 5; ++i) {
            if (i) list += ", ";
            const std::string& n = names.order[i];
            list += grouped ? "section " + n + " (" + std::to_string(names.count.at(n)) + ")" : n;
        }
        if (names.order.size() > 5) list += ", ...";
        if (!list.empty()) text += " (" + list + ")";
        text += '\n';
    }
    text += "report: total " + std::to_string(report.entries.size()) + '\n';
    return text;
}

std::string ReportTsv(const Report& report) {
    std::string text;
    for (const auto& e : report.entries) text += e.kind + '\t' + e.table + '\t' + e.name + '\t' + e.sentence + '\n';
    return text;
}

std::string ReportJson(const Report& report) {
    std::string text = "[";
    for (std::size_t i = 0; i < report.entries.size(); ++i) {
        const auto& e = report.entries[i];
        text += i ? ",\n " : "\n ";
        text += "{\"kind\": " + JsonString(e.kind) + ", \"table\": " + JsonString(e.table) + ", \"name\": " +
                JsonString(e.name) + ", \"sentence\": " + JsonString(e.sentence) + "}";
    }
    text += "\n]\n";
    return text;
}

}  // namespace corvane
