// Joint restraints and frame end releases.
#include "reader/ReaderSupport.h"

namespace corvane {

void ReadRestraints(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Restraints, nullptr);
    if (!cursor) return;
    Table& r = c.model[TableId::Restraints];
    // Every item read gives a row, the empty item that ends the table
    // included; that last row is removed afterwards. A table cut off by the
    // end of the file keeps all its rows.
    ReserveRows(c, r, *cursor);
    TokenStore t;
    std::string_view item;
    while (cursor->NextItem(&item)) {
        t.Split(item);
        Cell* row = r.AppendRow();
        row[RestraintCol::Joint] = CharsFromCell(r, t[1], 7);
        for (int k = 1; k <= 6; ++k) row[k] = CharsFromCell(r, t[k + 1], 4);
    }
    if (!cursor->Cut() && r.rows() > 0) r.PopRow();
    NoteCut(c, *cursor, TableId::Restraints);
}

namespace {
const KeySet kReleaseKeys{{"Frame", ReleaseCol::Frame}, {"M2I", ReleaseCol::M2I}, {"M3I", ReleaseCol::M3I},
                          {"M2J", ReleaseCol::M2J},     {"M3J", ReleaseCol::M3J}};
}  // namespace

void ReadReleases(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Releases, "Reading Member Release data ..........");
    if (!cursor) return;
    Table& r = c.model[TableId::Releases];
    ReserveRows(c, r, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    while (cursor->NextRecord(t, &kReleaseKeys, pos)) {
        Cell* row = r.AppendRow();
        for (int k = 0; k < 5; ++k) row[k] = ValueCell(r, t, pos[k]);
    }
    NoteCut(c, *cursor, TableId::Releases);
    c.history.Append(DoneLine("Total Release Found : ", r.rows()));
}

}  // namespace corvane
