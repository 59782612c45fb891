// What the full conversion needs beyond the classic links: the rows of its
// own tables by the joint, frame, area or solid they name, its loads by
// pattern, its vocabularies turned into enumerations, the numbers of the
// solid elements and the combinations with their cases multiplied out.
#pragma once

#include "link/NameIndex.h"
#include "model/Model.h"
#include "model/Report.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct Links;

// STAAD.Pro's structure types; SPACE also when the active degrees of
// freedom form no other type (then the inactive ones are held at every
// joint).
enum class StructureType : std::uint8_t { Space, Plane, Floor, Truss };

// What an area section makes of its areas.
enum class AreaKind : std::uint8_t { Shell, Plate, Membrane, PlaneStress, PlaneStrain, Axisymmetric };

enum class CombinationKind : std::uint8_t { Add, Srss, Abs, Other };

struct CombinationTerm {
    std::uint32_t load;  // the load case number (the pattern's position)
    double factor;
    std::string text;    // the factor as the input wrote it, when it is used once and not multiplied
};

struct FullCombination {
    std::uint32_t row;  // its first row of CombinationDefinitionTable
    CombinationKind kind;
    std::vector<CombinationTerm> terms;
};

// One constraint of joints that STAAD.Pro writes as a SLAVE command.
struct SlaveGroup {
    std::string directions;  // "RIGID", "ZX", or STAAD.Pro degree-of-freedom words
    std::uint32_t master;    // joint row of the master
    std::vector<std::uint32_t> slaves;  // rows of JointConstraintTable
};

// STAAD.Pro's direction word of each SAP2000 degree of freedom, in the order
// UX UY UZ RX RY RZ: SAP2000's Y and Z exchange places.
constexpr const char* kStaadDirection[6] = {"FX", "FZ", "FY", "MX", "MZ", "MY"};

// The corners of a solid as STAAD.Pro and Abaqus go round them: one face,
// then the opposite one. SAP2000 numbers them in binary order
// (j1 -,-,-  j2 +,-,-  j3 -,+,-  j4 +,+,- ...).
constexpr int kSolidCorners[8] = {SolidCol::Joint1, SolidCol::Joint2, SolidCol::Joint4, SolidCol::Joint3,
                                  SolidCol::Joint5, SolidCol::Joint6, SolidCol::Joint8, SolidCol::Joint7};

struct FullLinks {
    StructureType structure = StructureType::Space;
    // SAP2000's active degrees of freedom in the order UX UY UZ RX RY RZ,
    // and whether the inactive ones are held at every joint.
    std::array<bool, 6> active{{true, true, true, true, true, true}};
    bool holdInactive = false;

    // The first row of each owner's name in the full tables.
    NameIndex restraints, localAxesOfFrame, partialFixity, frameModifiers, frameOffsets, frameInsertion;
    NameIndex jointSprings, jointLocalAxes, areaModifiers, solidProperties, solidAssigns, solids;

    // Self weight as SAP2000 counts it against STAAD.Pro's (area times unit
    // weight): per frame row, its weight modifiers over its area modifiers;
    // per area row, its weight modifiers. 1 for most.
    std::vector<double> memberWeight, areaWeight;

    // Per area section row, what its areas become.
    std::vector<AreaKind> areaKinds;

    // Per solid row, its material row (-1 without one); solid k's element
    // number is solidBase + k + 1, after every member and shell element.
    std::vector<std::int64_t> solidMaterial;
    double solidBase = 0;
    std::string SolidNumber(std::size_t row) const;

    // Rows of the full load tables by their pattern (first pattern row of
    // the name), indexed like kFullLoadTables.
    std::array<Groups, 7> loadsOfPattern;

    std::vector<FullCombination> combinations;
    std::vector<SlaveGroup> slaves;
};

// The full conversion's load tables, in the order its loads are written.
constexpr std::array<TableId, 7> kFullLoadTables = {TableId::FrameGravity,     TableId::AreaGravity,      TableId::FrameTemperature,
                                                    TableId::AreaTemperature,  TableId::AreaPressure,     TableId::SolidPressure,
                                                    TableId::GroundDisplacement};

// Links the full conversion's tables; reference problems go to the report.
// Without `staad` (the Abaqus deck), only the solids.
void LinkFull(const Model& model, Links& links, Report* report, bool staad);

// Whether every corner of a solid row names a joint.
bool SolidCornersFound(const Links& links, const Table& solids, std::size_t row);

// A vocabulary word of a cell as the export meant it: without quotes and
// "$" markers, the blanks the quoted-value rule turned into "_" back, in
// capitals ("Linear Add" -> "LINEAR ADD").
std::string Word(const Table& table, std::size_t row, int col);

// Whether a Yes/No flag is Yes.
bool IsYes(const Table& table, std::size_t row, int col);

}  // namespace corvane
