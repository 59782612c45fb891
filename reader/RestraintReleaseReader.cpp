// Joint restraints and frame end releases.
#include "reader/Readers.h"
#include "reader/TableCursor.h"

namespace corvane {

void ReadRestraints(ReadContext& c) {
    auto& r = c.tables.restraints;
    Column* cols[] = {&r.Joint, &r.ux, &r.uy, &r.uz, &r.rx, &r.ry, &r.rz};
    for (Column* col : cols) col->clear();
    auto cursorOrNone = BeginTable(c.input, c.history, nullptr, "JOINT RESTRAINT ASSIGNMENTS");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    // Every item read gives a row, the empty item that ends the table
    // included; that last row is removed afterwards. A table cut off by the
    // end of the file keeps all its rows.
    ReserveRows(c.input, cursor.Start(), {&r.Joint, &r.ux, &r.uy, &r.uz, &r.rx, &r.ry, &r.rz});
    TokenStore t;
    std::string_view item;
    while (cursor.NextItem(&item)) {
        t.SplitTokens(item);
        r.Joint.emplace_back(MidFrom(t[1], 7));
        for (int k = 1; k <= 6; ++k) cols[k]->emplace_back(MidFrom(t[k + 1], 4));
    }
    if (!cursor.Cut() && !r.Joint.empty())
        for (Column* col : cols) col->pop_back();
    NoteCut(c.report, cursor, "JOINT RESTRAINT ASSIGNMENTS");
}

void ReadReleases(ReadContext& c) {
    auto& r = c.tables.releases;
    Column* cols[] = {&r.Frame, &r.M2I, &r.M3I, &r.M2J, &r.M3J};
    static constexpr const char* keys[] = {"Frame", "M2I", "M3I", "M2J", "M3J"};
    for (Column* col : cols) col->clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Member Release data ..........", "FRAME RELEASE ASSIGNMENTS 1 - GENERAL");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    ReserveRows(c.input, cursor.Start(), {&r.Frame, &r.M2I, &r.M3I, &r.M2J, &r.M3J});
    TokenStore t;
    long count = 0;
    while (cursor.NextRecord(t)) {
        for (int k = 0; k < 5; ++k) cols[k]->push_back(ValueOr(t, FieldPosition(t, keys[k]), "NULL"));
        ++count;
    }
    NoteCut(c.report, cursor, "FRAME RELEASE ASSIGNMENTS 1 - GENERAL");
    c.history.append(".......... Done (Total Release Found : " + std::to_string(count) + ")");
}

void ReadModelForStaad(ReadContext& c) {
    ReadUnits(c);
    ReadJoints(c);
    ReadFrames(c);
    ReadRestraints(c);
    ReadLoadPatterns(c);
    ReadFrameDistLoads(c);
    ReadJointLoads(c);
    ReadAreas(c);
    ReadFramePointLoads(c);
    ReadMaterials(c);
    ReadFrameSections(c);
    ReadFrameSectionAssigns(c);
    ReadAreaSections(c);
    ReadCombinations(c);
    ReadAreaLoads(c);
    ReadReleases(c);
}

}  // namespace corvane
