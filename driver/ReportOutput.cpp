#include "driver/ReportOutput.h"

#include "text/Json.h"
#include "text/TsvText.h"

#include <unordered_map>
#include <vector>

namespace corvane {

namespace {

// The kinds in order of first appearance, each with its count and the names
// to show: the first five distinct names, or for members without a property
// every section with the number of its members.
struct KindSummary {
    std::string kind;
    std::size_t count = 0;
    std::vector<std::pair<std::string, std::size_t>> names;
    std::unordered_map<std::string, std::size_t> indexOf;  // name -> place in names
};

void AddName(KindSummary& k, const std::string& name, bool grouped) {
    if (const auto it = k.indexOf.find(name); it != k.indexOf.end()) {
        ++k.names[it->second].second;
        return;
    }
    if (!grouped && k.names.size() >= 6) return;
    k.indexOf.emplace(name, k.names.size());
    k.names.emplace_back(name, 1);
}

}  // namespace

std::string ReportSummary(const Report& report) {
    std::vector<KindSummary> kinds;
    std::unordered_map<std::string, std::size_t> indexOf;
    for (const auto& e : report.entries) {
        const std::string kind(KindId(e.kind));
        const auto [it, inserted] = indexOf.try_emplace(kind, kinds.size());
        if (inserted) kinds.push_back({kind, 0, {}, {}});
        KindSummary& k = kinds[it->second];
        ++k.count;
        const bool grouped = SummarisedByFirstWord(e.kind);
        AddName(k, grouped ? e.a : e.name, grouped);
    }
    std::string text;
    for (const auto& k : kinds) {
        const bool grouped = k.kind == "member-without-property";
        text += "report: " + k.kind + ": " + std::to_string(k.count);
        std::string list;
        for (std::size_t i = 0; i < k.names.size() && i < 5; ++i) {
            if (i) list += ", ";
            const auto& [name, count] = k.names[i];
            list += grouped ? "section " + name + " (" + std::to_string(count) + ")" : name;
        }
        if (k.names.size() > 5) list += ", ...";
        if (!list.empty()) text += " (" + list + ")";
        text += '\n';
    }
    text += "report: total " + std::to_string(report.entries.size()) + '\n';
    return text;
}

std::string ReportTsv(const Report& report) {
    std::string text = "kind\ttable\tname\tsentence\n";
    for (const auto& e : report.entries) {
        text.append(KindId(e.kind));
        text += '\t';
        AppendTsvText(text, e.table);
        text += '\t';
        AppendTsvText(text, e.name);
        text += '\t';
        AppendTsvText(text, Sentence(e));
        text += '\n';
    }
    return text;
}

const char* const kReportTsvInputHeader = "input\tkind\ttable\tname\tsentence\n";

void AppendReportTsvRows(std::string& out, const Report& report, std::string_view input) {
    for (const auto& e : report.entries) {
        out.append(input);
        out += '\t';
        out.append(KindId(e.kind));
        out += '\t';
        out.append(e.table);
        out += '\t';
        out += e.name;
        out += '\t';
        out += Sentence(e);
        out += '\n';
    }
}

void AppendReportJsonObjects(std::string& out, const Report& report, std::string_view input) {
    for (const auto& e : report.entries)
        out += ",\n {\"input\": " + JsonString(input) + ", \"kind\": " + JsonString(KindId(e.kind)) + ", \"table\": " +
               JsonString(e.table) + ", \"name\": " + JsonString(e.name) + ", \"sentence\": " + JsonString(Sentence(e)) + "}";
}

std::string ReportJsonOfInputs(const std::vector<std::string>& objects) {
    std::string text = "[";
    for (const std::string& part : objects) text.append(part, text.size() == 1 && !part.empty() ? 1 : 0);
    text += "\n]\n";
    return text;
}

std::string ReportJson(const Report& report) {
    std::string text = "[";
    for (std::size_t i = 0; i < report.entries.size(); ++i) {
        const auto& e = report.entries[i];
        text += i ? ",\n " : "\n ";
        text += "{\"kind\": " + JsonString(KindId(e.kind)) + ", \"table\": " + JsonString(e.table) + ", \"name\": " +
                JsonString(e.name) + ", \"sentence\": " + JsonString(Sentence(e)) + "}";
    }
    text += "\n]\n";
    return text;
}

}  // namespace corvane
