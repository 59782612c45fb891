// Load combinations (COMBINATION DEFINITIONS).
#include "reader/ReaderSupport.h"

#include <unordered_map>

namespace corvane {

namespace {
enum ComboKey { kComboName, kCaseName, kScaleFactor, kType };
const KeySet kComboKeys{{"ComboName", kComboName}, {"CaseName", kCaseName}, {"ScaleFactor", kScaleFactor},
                        {"CaseType", kType},       {"ComboType", kType}};
}  // namespace

void ReadCombinations(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Combinations, "Reading Load Combination data ..........");
    c.model.combinationStarts.clear();
    if (!cursor) return;
    Table& k = c.model[TableId::Combinations];
    const char* table = "COMBINATION DEFINITIONS";
    // Load number of a case: position of the first pattern of that name.
    std::unordered_map<std::string, std::size_t> patternNumber;
    const Table& patterns = c.model[TableId::LoadPatterns];
    for (std::size_t i = 0; i < patterns.rows(); ++i) patternNumber.try_emplace(patterns.Text(i, LoadPatternCol::LoadPat), i + 1);

    // Current exports write the combination type on the first record of a
    // combination only; later records take it from there.
    std::unordered_map<std::string, std::string> typeOfCombo;

    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor->NextRecord(t, &kComboKeys, pos)) {
        std::string combo = JoinedText(t, pos[kComboName]);
        std::string type;
        if (pos[kType] != -1) {
            type = ValueText(t, pos[kType]);
            typeOfCombo[combo] = type;
        } else if (auto it = typeOfCombo.find(combo); it != typeOfCombo.end()) {
            type = it->second;
        }
        // The full conversion reads the combinations again, by their kind,
        // and reports on them itself.
        Report* const report = c.options.full ? nullptr : c.report;
        if (type != "Linear$" || pos[kCaseName] == -1 || pos[kScaleFactor] == -1) {
            if (report && type != "Linear$") report->Add(ReportKind::NonlinearCombination, table, combo);
            continue;
        }
        std::string caseName = JoinedText(t, pos[kCaseName]);
        const auto number = patternNumber.find(caseName);
        if (number == patternNumber.end()) {
            // A case that names no load pattern would misalign the load numbers.
            if (report) report->Add(ReportKind::CombinationCaseUnknown, table, combo, caseName);
            continue;
        }
        Cell* row = k.AppendRow();
        row[CombinationCol::ComboName] = JoinedCell(k, t, pos[kComboName]);
        row[CombinationCol::CaseName] = JoinedCell(k, t, pos[kCaseName]);
        row[CombinationCol::ScaleFactor] = ValueCell(k, t, pos[kScaleFactor]);
        row[CombinationCol::LoadNumber] = k.TextCell(std::to_string(number->second));
    }
    NoteCut(c, *cursor, TableId::Combinations);
    std::string previous, name;
    for (std::size_t i = 0; i < k.rows(); ++i) {
        name = k.Text(i, CombinationCol::ComboName);
        if (i == 0 || name != previous) c.model.combinationStarts.push_back(static_cast<std::uint32_t>(i));
        previous.swap(name);
    }
    c.history.Append(DoneLine("Total Combination : ", c.model.combinationStarts.size()));
}

}  // namespace corvane
