// What a conversion left out or could not carry across, collected beside
// the history. Entries never change a table, an output file or a history
// line.
#pragma once

#include <string>
#include <vector>

namespace corvane {

struct ReportEntry {
    std::string kind;      // stable short identifier, e.g. "missing-joint"
    std::string table;     // the SAP2000 table the record comes from
    std::string name;      // name or number of the record
    std::string sentence;  // one plain sentence for the user
    std::string group;     // what the console summarises by (a section), if anything
};

class Report {
public:
    void Add(std::string kind, std::string table, std::string name, std::string sentence, std::string group = {}) {
        entries.push_back({std::move(kind), std::move(table), std::move(name), std::move(sentence), std::move(group)});
    }
    void Clear() { entries.clear(); }
    bool Empty() const { return entries.empty(); }
    std::vector<ReportEntry> entries;
};

}  // namespace corvane
