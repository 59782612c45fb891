// Joint restraints and frame end releases.
#include "reader/ReaderSupport.h"

namespace corvane {

namespace {
const KeySet kRestraintKeys{{"Joint", RestraintCol::Joint}, {"U1", RestraintCol::ux}, {"U2", RestraintCol::uy},
                            {"U3", RestraintCol::uz},       {"R1", RestraintCol::rx}, {"R2", RestraintCol::ry},
                            {"R3", RestraintCol::rz}};
}  // namespace

void ReadRestraints(ReadContext& c) {
    auto cursor = BeginTable(c, TableId::Restraints, nullptr);
    if (!cursor) return;
    Table& r = c.model[TableId::Restraints];
    // Every item read gives a row, the empty item that ends the table
    // included; that last row is removed afterwards. A table ended by the
    // next header or cut off by the end of the file keeps all its rows.
    ReserveRows(c, r, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    std::string_view item;
    while (cursor->NextItem(&item)) {
        t.Split(item, &kRestraintKeys, pos);
        Cell* row = r.AppendRow();
        if (t.AnyQuote()) {
            // A quoted joint name may hold blanks, which move the fields: by key.
            row[RestraintCol::Joint] = JoinedCell(r, t, pos[RestraintCol::Joint]);
            for (int k = 1; k <= 6; ++k) row[k] = ValueCell(r, t, pos[k]);
            continue;
        }
        // Positional: the joint, then the six flags in SAP2000's order.
        row[RestraintCol::Joint] = CharsFromCell(r, t[1], 7);
        for (int k = 1; k <= 6; ++k) row[k] = CharsFromCell(r, t[k + 1], 4);
    }
    if (cursor->EndedAtEmptyItem() && r.rows() > 0) r.PopRow();
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
        row[ReleaseCol::Frame] = JoinedCell(r, t, pos[ReleaseCol::Frame]);
        for (int k = 1; k < 5; ++k) row[k] = ValueCell(r, t, pos[k]);
        FillFullColumns(r, row, t);
    }
    NoteCut(c, *cursor, TableId::Releases);
    c.history.Append(DoneLine("Total Release Found : ", r.rows()));
}

}  // namespace corvane
