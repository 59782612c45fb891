// Units (PROGRAM CONTROL) and joint coordinates (JOINT COORDINATES).
#include "reader/Readers.h"
#include "reader/TableCursor.h"
#include "staad/NumberText.h"

#include <cmath>

namespace corvane {

void ReadUnits(ReadContext& c) {
    const auto at = c.input.FindTable("PROGRAM CONTROL");
    if (!at) {
        c.history.append("Unit Information  ... Not Found");
        return;
    }
    ItemReader reader(c.input.bytes(), *at);
    TokenStore tokens;
    // The units field is a quoted, comma-separated list, so the first item
    // ends just after the force unit and the second item is the length unit.
    tokens.SplitTokens(reader.ReadItem());
    const std::string_view length = reader.AtEnd() ? std::string_view() : reader.ReadItem();
    const std::string_view last = tokens[tokens.Count()];
    c.units.force = std::string(last.size() >= 12 ? last.substr(11, 2) : std::string_view());
    c.units.length = std::string(length);
    c.history.append("Unit Information  ... Done");
}

namespace {

constexpr double kPi = 3.14159265358979323846;

// Current exports write a joint's own coordinates (CoordSys, CoordType,
// XorR, Y or T, Z) instead of GlobalX/Y/Z. This gives the global cell for
// axis 0, 1 or 2 from them, or "NULL".
std::string OwnCoordinate(const TokenStore& t, int axis) {
    if (ValueOr(t, FieldPosition(t, "CoordSys"), "NULL") != "GLOBAL") return "NULL";
    const std::string type = ValueOr(t, FieldPosition(t, "CoordType"), "NULL");
    if (type == "Cartesian") {
        static constexpr const char* keys[] = {"XorR", "Y", "Z"};
        return ValueOr(t, FieldPosition(t, keys[axis]), "NULL");
    }
    if (type == "Cylindrical") {
        if (axis == 2) return ValueOr(t, FieldPosition(t, "Z"), "NULL");
        const int r = FieldPosition(t, "XorR");
        const int theta = FieldPosition(t, "T");
        if (r == -1 || theta == -1) return "NULL";
        const double radius = TextToNumber(AfterE(t[r]));
        const double angle = TextToNumber(AfterE(t[theta])) * kPi / 180.0;
        return NumberToText(axis == 0 ? radius * std::cos(angle) : radius * std::sin(angle));
    }
    return "NULL";
}

}  // namespace

void ReadJoints(ReadContext& c) {
    auto& j = c.tables.joints;
    c.history.append("Read Node data  ... ");
    j.Joint.clear(); j.GlobalX.clear(); j.GlobalY.clear(); j.GlobalZ.clear();
    auto cursorOrNone = BeginTable(c.input, c.history, "Reading Joint Cordinates data ..........", "JOINT COORDINATES");
    if (!cursorOrNone) return;
    TableCursor& cursor = *cursorOrNone;
    ReserveRows(c.input, cursor.Start(), {&j.Joint, &j.GlobalX, &j.GlobalY, &j.GlobalZ});
    TokenStore t;
    long count = 0;
    static constexpr const char* globalKeys[] = {"GlobalX", "GlobalY", "GlobalZ"};
    Column* cols[] = {&j.GlobalX, &j.GlobalY, &j.GlobalZ};
    while (cursor.NextRecord(t)) {
        ++count;
        j.Joint.push_back(ValueOr(t, FieldPosition(t, "Joint"), "NULL"));
        for (int axis = 0; axis < 3; ++axis) {
            const int p = FieldPosition(t, globalKeys[axis]);
            cols[axis]->push_back(p == -1 ? OwnCoordinate(t, axis) : AfterE(t[p]));
        }
    }
    NoteCut(c.report, cursor, "JOINT COORDINATES");
    c.history.append(".......... Done (Total Joints : " + std::to_string(count) + ")");
}

}  // namespace corvane
