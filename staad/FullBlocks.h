// The full conversion's parts of the STAAD.Pro file, each called from the
// block it belongs to when the links are those of the full conversion.
#pragma once

#include "staad/Blocks.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace corvane {

// A vector in SAP2000's axes unless said otherwise.
struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Norm(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Unit(Vec3 a) {
    const double n = Norm(a);
    return n > 0 ? (1.0 / n) * a : a;
}
// SAP2000's (X, Y, Z) in STAAD.Pro's axes: (X, Z, -Y).
inline Vec3 ToStaad(Vec3 a) { return {a.x, a.z, -a.y}; }
inline Vec3 FromStaad(Vec3 a) { return {a.x, -a.z, a.y}; }

// A joint's coordinates by its row of JointTable.
Vec3 JointAt(const Model& m, std::size_t row);
// The joint a cell names, or false when it names none.
bool JointOf(const StaadContext& c, const Table& t, std::size_t row, int col, Vec3* at);

// SAP2000's joint local axes 1, 2, 3 from the angles a, b, c (degrees):
// turned by a about Z, then by -b about the new 2, then by c about the new 1.
std::array<Vec3, 3> JointAxes(double a, double b, double c);

// STAAD.Pro's member axes y and z (in STAAD.Pro's own axes) for a member
// or an inclined support along x, with beta 0.
std::array<Vec3, 2> StaadCrossAxes(Vec3 x);

// A computed number as the file writes it: values within round-off of 0
// are 0.
std::string Number(double value);

// The word of the structure type, "STAAD SPACE" and the others.
std::string StructureLine(const Links& links);

void WriteSolidsBlock(StaadContext& c);
void WriteFullMaterialConstants(StaadContext& c);
void WriteFullSupports(StaadContext& c);
// The property of a section for the full conversion, and the members that
// get their own property from their stiffness modifiers.
std::string FullSectionTail(const StaadContext& c, std::size_t section, const std::string& classicTail);
void WriteModifiedMembers(StaadContext& c);
bool HasStiffnessModifiers(const StaadContext& c, std::size_t assignRow);
void WritePlaneStressElements(StaadContext& c);
void WriteFullReleases(StaadContext& c);
void WriteMemberOffsets(StaadContext& c);
void WriteSlaves(StaadContext& c);

// Loading: the LOADTYPE word of a pattern, and the parts of a load case.
std::string LoadTypeWord(const Table& patterns, std::size_t row);
void WriteGravityLoads(StaadContext& c, std::int64_t pattern);
// The part of a pattern's self weight (multiplier along -Z) that STAAD.Pro
// would not weigh as SAP2000 does.
void WriteSelfweightCorrections(StaadContext& c, double multiplier);
void WriteSurfacePressures(StaadContext& c, std::int64_t pattern);
void WriteTemperatureLoads(StaadContext& c, std::int64_t pattern);
void WriteSupportDisplacements(StaadContext& c, std::int64_t pattern);
void WriteFullCombinations(StaadContext& c);

// Joint loads in a joint's local axes, turned into global components: the
// text after the joint list, or false when the load stays as it is.
bool LocalJointLoad(const StaadContext& c, std::size_t row, std::string* text);

}  // namespace corvane
