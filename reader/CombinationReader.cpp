// Load combinations (COMBINATION DEFINITIONS).
#include "reader/Readers.h"
#include "reader/TableCursor.h"

#include <unordered_map>

namespace corvane {

void ReadCombinations(ReadContext& c) {
    auto& k = c.tables.combinations;
    k.ComboName.clear(); k.CaseName.clear(); k.ScaleFactor.clear(); k.LoadNumber.clear();
    c.tables.CombinationList.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Load Combination data ..........", "COMBINATION DEFINITIONS");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    const char* table = "COMBINATION DEFINITIONS";
    // Load number of a case: position of the first pattern of that name.
    std::unordered_map<std::string_view, std::size_t> patternNumber;
    const auto& names = c.tables.loadPatterns.LoadPat;
    for (std::size_t i = 0; i < names.size(); ++i) patternNumber.try_emplace(names[i], i + 1);

    // Current exports write the combination type on the first record of a
    // combination only; later records take it from there.
    std::unordered_map<std::string, std::string> typeOfCombo;

    TokenStore t;
    while (cursor.NextRecord(t)) {
        const int pn = FieldPosition(t, "ComboName");
        const int pc = FieldPosition(t, "CaseName");
        const int pf = FieldPosition(t, "ScaleFactor");
        const int pt = FieldPosition(t, "CaseType", "ComboType");
        std::string combo = JoinedOr(t, pn, "NULL");
        std::string type;
        if (pt != -1) {
            type = AfterE(t[pt]);
            typeOfCombo[combo] = type;
        } else if (auto it = typeOfCombo.find(combo); it != typeOfCombo.end()) {
            type = it->second;
        }
        if (type != "Linear$" || pc == -1 || pf == -1) {
            if (c.report && type != "Linear$")
                c.report->Add("nonlinear-combination", table, combo,
                              "A record of combination " + combo + " is left out: only linear combinations are converted.");
            continue;
        }
        std::string caseName = JoinQuotedValue(t, pc);
        const auto number = patternNumber.find(caseName);
        if (number == patternNumber.end()) {
            // A case that names no load pattern would misalign the load numbers.
            if (c.report)
                c.report->Add("combination-case-unknown", table, combo,
                              "Combination " + combo + " names the case " + caseName + ", which is no load pattern; that case is left out.");
            continue;
        }
        k.ComboName.push_back(std::move(combo));
        k.CaseName.push_back(std::move(caseName));
        k.ScaleFactor.push_back(AfterE(t[pf]));
        k.LoadNumber.push_back(std::to_string(number->second));
    }
    NoteCut(c.report, cursor, table);
    for (std::size_t i = 0; i < k.ComboName.size(); ++i)
        if (i == 0 || k.ComboName[i] != k.ComboName[i - 1]) c.tables.CombinationList.push_back(k.ComboName[i]);
    c.history.append(".......... Done (Total Combination : " + std::to_string(c.tables.CombinationList.size()) + ")");
}

}  // namespace corvane
