// The tables only the full conversion reads: every field found by the
// name of its column, on the record's line or on its continuation lines.
#include "reader/ReaderSupport.h"

namespace corvane {

namespace {

// The keys of a table: each column under its own name and the other name
// some SAP2000 versions give it; older exports name the load pattern
// LoadCase.
KeySet KeysOf(const TableDescriptor& d) {
    std::vector<KeySet::Key> keys;
    for (std::size_t k = 0; k < d.columnCount; ++k) {
        keys.push_back({d.columns[k].name, static_cast<int>(k)});
        if (!d.columns[k].alias.empty()) keys.push_back({d.columns[k].alias, static_cast<int>(k)});
        if (d.columns[k].name == "LoadPat") keys.push_back({"LoadCase", static_cast<int>(k)});
    }
    return KeySet(std::move(keys));
}

// Columns that name a joint, frame, area, pattern or other record: read
// like the names of the classic tables, so that the two match.
bool NamesRecord(std::string_view column) {
    static constexpr std::string_view kNames[] = {"Frame", "Joint", "Area", "Solid", "LoadPat", "SolidProp", "Material",
                                                  "Constraint", "Name", "ComboName", "CaseName",
                                                  "Case", "LoadName", "InitialCond"};
    for (std::string_view n : kNames)
        if (n == column) return true;
    return false;
}

void Fill(Table& table, Cell* row, const TokenStore& tokens, const int* pos) {
    const TableDescriptor& d = table.descriptor();
    for (std::size_t k = 0; k < table.columns(); ++k) {
        if (pos[k] == -1) continue;
        row[k] = NamesRecord(d.columns[k].name) ? JoinedCell(table, tokens, pos[k]) : PlainValueCell(table, tokens, pos[k]);
    }
}

}  // namespace

void ReadByKeys(ReadContext& c, TableId id) {
    auto cursor = BeginTable(c, id, nullptr);
    if (!cursor) return;
    Table& table = c.model[id];
    const KeySet keys = KeysOf(table.descriptor());
    ReserveRows(c, table, *cursor);
    TokenStore first, more;
    int pos[KeySet::kMaxSlots];
    std::vector<std::string_view> lines;
    for (;;) {
        // A quoted value at the end of a line never takes a token an
        // earlier record left behind.
        first.Reset();
        if (!cursor->NextRecord(first, &keys, pos)) break;
        lines.clear();
        cursor->SkipContinuation(first, &lines);
        Cell* row = table.AppendRow();
        Fill(table, row, first, pos);
        for (std::string_view line : lines) {
            more.Reset();
            more.Split(line, &keys, pos);
            Fill(table, row, more, pos);
        }
    }
    NoteCut(c, *cursor, id);
}

}  // namespace corvane
