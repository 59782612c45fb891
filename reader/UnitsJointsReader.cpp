// Units (PROGRAM CONTROL) and joint coordinates (JOINT COORDINATES).
#include "reader/ReaderSupport.h"
#include "text/NumberText.h"

#include <cmath>

namespace corvane {

void ReadUnits(ReadContext& c) {
    const auto at = c.input.FindTable("PROGRAM CONTROL");
    if (!at) {
        c.history.Append("Unit Information  ... Not Found");
        return;
    }
    ItemReader reader(c.input.bytes(), *at);
    TokenStore tokens;
    // The units field is a quoted, comma-separated list, so the first item
    // ends just after the force unit and the second item is the length unit.
    tokens.Split(reader.ReadItem());
    const std::string_view length = reader.AtEnd() ? std::string_view() : reader.ReadItem();
    const std::string_view last = tokens[tokens.Count()];
    c.model.units.force = std::string(last.size() >= 12 ? last.substr(11, 2) : std::string_view());
    c.model.units.length = std::string(length);
    c.history.Append("Unit Information  ... Done");
}

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

enum JointKey { kJoint, kGlobalX, kGlobalY, kGlobalZ, kCoordSys, kCoordType, kXorR, kY, kZ, kT };
const KeySet kJointKeys{{"Joint", kJoint}, {"GlobalX", kGlobalX}, {"GlobalY", kGlobalY}, {"GlobalZ", kGlobalZ},
                        {"CoordSys", kCoordSys}, {"CoordType", kCoordType}, {"XorR", kXorR}, {"Y", kY},
                        {"Z", kZ}, {"T", kT}};

// Current exports write a joint's own coordinates (CoordSys, CoordType,
// XorR, Y or T, Z) instead of GlobalX/Y/Z. This gives the global cell for
// axis 0, 1 or 2 from them; absent when they do not give it.
Cell OwnCoordinate(Table& table, const TokenStore& t, const int* pos, int axis) {
    if (!ValueIs(t, pos[kCoordSys], "GLOBAL")) return Cell::Absent();
    if (ValueIs(t, pos[kCoordType], "Cartesian")) {
        static constexpr int keys[] = {kXorR, kY, kZ};
        return ValueCell(table, t, pos[keys[axis]]);
    }
    if (ValueIs(t, pos[kCoordType], "Cylindrical")) {
        if (axis == 2) return ValueCell(table, t, pos[kZ]);
        if (pos[kXorR] < 0 || pos[kT] < 0) return Cell::Absent();
        const double radius = TextToNumber(ValueText(t, pos[kXorR]));
        const double theta = TextToNumber(ValueText(t, pos[kT]));
        if (!std::isfinite(theta)) return Cell::Absent();
        // The angle is turned into a quarter turn and the rest, so that
        // right angles land exactly on the axes.
        double turn = std::fmod(theta, 360.0);
        if (turn < 0) turn += 360.0;
        if (turn >= 360.0) turn = 0;
        const double quarters = std::round(turn / 90.0);
        const double rest = turn - 90.0 * quarters;
        const double co = std::cos(rest * kDegree), si = std::sin(rest * kDegree);
        static constexpr double kSigns[4][4] = {{1, 0, 0, 1}, {0, -1, 1, 0}, {-1, 0, 0, -1}, {0, 1, -1, 0}};
        const auto& q = kSigns[static_cast<int>(quarters) % 4];
        const double x = q[0] * co + q[1] * si, y = q[2] * co + q[3] * si;
        return table.TextCell(NumberToText(radius * (axis == 0 ? x : y)));
    }
    return Cell::Absent();
}

}  // namespace

void ReadJoints(ReadContext& c) {
    c.history.Append("Read Node data  ... ");
    auto cursor = BeginTable(c, TableId::Joints, "Reading Joint Cordinates data ..........");
    if (!cursor) return;
    Table& j = c.model[TableId::Joints];
    ReserveRows(c, j, *cursor);
    TokenStore t;
    int pos[KeySet::kMaxSlots];
    static constexpr int globalKeys[] = {kGlobalX, kGlobalY, kGlobalZ};
    while (cursor->NextRecord(t, &kJointKeys, pos)) {
        Cell* row = j.AppendRow();
        row[JointCol::Joint] = JoinedCell(j, t, pos[kJoint]);
        for (int axis = 0; axis < 3; ++axis) {
            const int p = pos[globalKeys[axis]];
            row[JointCol::GlobalX + axis] = p == -1 ? OwnCoordinate(j, t, pos, axis) : ValueCell(j, t, p);
        }
    }
    NoteCut(c, *cursor, TableId::Joints);
    c.history.Append(DoneLine("Total Joints : ", j.rows()));
}

}  // namespace corvane
