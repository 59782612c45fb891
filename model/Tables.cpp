#include "model/Tables.h"

#include <iterator>

namespace corvane {

namespace {

constexpr ColumnDescriptor kJoints[] = {{"Joint", "NULL"}, {"GlobalX", "NULL"}, {"GlobalY", "NULL"}, {"GlobalZ", "NULL"}};
constexpr ColumnDescriptor kFrames[] = {{"Frame", "NULL"}, {"JointI", "NULL"}, {"JointJ", "NULL"}};
constexpr ColumnDescriptor kAreas[] = {{"Area", "NULL"},   {"NumJoints", ""},   {"Joint1", "NULL"},
                                       {"Joint2", "NULL"}, {"Joint3", "NULL"}, {"Joint4", "NULL"}};
constexpr ColumnDescriptor kRestraints[] = {{"Joint", "NULL"}, {"ux", ""}, {"uy", ""}, {"uz", ""}, {"rx", ""}, {"ry", ""}, {"rz", ""}};
constexpr ColumnDescriptor kReleases[] = {{"Frame", "NULL"}, {"M2I", "NULL"}, {"M3I", "NULL"}, {"M2J", "NULL"}, {"M3J", "NULL"}};
constexpr ColumnDescriptor kMaterials[] = {{"Material", "NULL"}, {"UnitWeight", "0.0"}, {"E1", "0.0"}, {"U12", "0.0"}};
constexpr ColumnDescriptor kFrameSections[] = {
    {"SectionName", "NULL"}, {"Material", "NULL"}, {"Dim1", ""}, {"Dim2", ""}, {"Shape", "NULL"}};
constexpr ColumnDescriptor kAreaSections[] = {{"Section", "NULL"}, {"Material", "NULL"}, {"Thickness", "0.0"}};
// A frame whose section is not a known row has no material: an empty cell.
constexpr ColumnDescriptor kFrameAssigns[] = {{"Frame", "NULL"}, {"AnalSect", "NULL"}, {"Material", ""}};
constexpr ColumnDescriptor kAreaAssigns[] = {{"Area", "NULL"}, {"Section", "NULL"}};
constexpr ColumnDescriptor kLoadPatterns[] = {{"LoadPat", "NULL"}, {"DesignType", "NULL"}, {"SelfWtMult", "NULL"}};
constexpr ColumnDescriptor kFrameDistLoads[] = {{"Frame", "NULL"},   {"LoadPat", "NULL"},  {"CoordSys", "GLOBAL"},
                                                {"Dir", "Z"},        {"AbsDistA", "0.0"},  {"AbsDistB", "0.0"},
                                                {"FOverLA", "0.0"},  {"FOverLB", "0.0"}};
constexpr ColumnDescriptor kFramePointLoads[] = {{"Frame", "NULL"}, {"LoadPat", "NULL"}, {"CoordSys", "GLOBAL"},
                                                 {"Dir", "Z"},      {"AbsDist", "0.0"},  {"Force", "0.0"}};
constexpr ColumnDescriptor kJointLoads[] = {{"Joint", "NULL"}, {"LoadPat", "NULL"}, {"F1", "0.0"}, {"F2", "0.0"},
                                            {"F3", "0.0"},     {"M1", "0.0"},       {"M2", "0.0"}, {"M3", "0.0"}};
constexpr ColumnDescriptor kAreaLoads[] = {
    {"Area", "NULL"}, {"LoadPat", "NULL"}, {"CoordSys", "GLOBAL"}, {"Dir", "Z"}, {"UnifLoad", "0.0"}};
constexpr ColumnDescriptor kCombinations[] = {{"ComboName", "NULL"}, {"CaseName", "NULL"}, {"ScaleFactor", ""}, {"LoadNumber", ""}};

template <std::size_t N>
constexpr TableDescriptor Make(TableId id, std::string_view name, std::string_view sap, const ColumnDescriptor (&cols)[N],
                               std::string_view other = {}) {
    return TableDescriptor{id, name, sap, other, cols, N};
}

// Indexed by TableId.
constexpr TableDescriptor kDescriptors[] = {
    Make(TableId::Joints, "JointTable", "JOINT COORDINATES", kJoints),
    Make(TableId::Frames, "FrameTable", "CONNECTIVITY - FRAME", kFrames),
    Make(TableId::Areas, "AreaTable", "CONNECTIVITY - AREA", kAreas),
    Make(TableId::Restraints, "RestraintTable", "JOINT RESTRAINT ASSIGNMENTS", kRestraints),
    Make(TableId::Releases, "FrameReleaseTable", "FRAME RELEASE ASSIGNMENTS 1 - GENERAL", kReleases),
    Make(TableId::Materials, "MaterialTable", "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", kMaterials),
    Make(TableId::FrameSections, "FrameSectionTable", "FRAME SECTION PROPERTIES 01 - GENERAL", kFrameSections),
    Make(TableId::AreaSections, "AreaSectionTable", "AREA SECTION PROPERTIES", kAreaSections),
    Make(TableId::FrameAssigns, "FrameSectionAssignTable", "FRAME SECTION ASSIGNMENTS", kFrameAssigns),
    Make(TableId::AreaAssigns, "AreaSectionAssignTable", "AREA SECTION ASSIGNMENTS", kAreaAssigns),
    Make(TableId::LoadPatterns, "LoadPatternTable", "LOAD PATTERN DEFINITIONS", kLoadPatterns, "LOAD CASE DEFINITIONS"),
    Make(TableId::FrameDistLoads, "FrameDistLoadTable", "FRAME LOADS - DISTRIBUTED", kFrameDistLoads),
    Make(TableId::FramePointLoads, "FramePointLoadTable", "FRAME LOADS - POINT", kFramePointLoads),
    Make(TableId::JointLoads, "JointLoadTable", "JOINT LOADS - FORCE", kJointLoads),
    Make(TableId::AreaLoads, "AreaLoadTable", "AREA LOADS - UNIFORM", kAreaLoads),
    Make(TableId::Combinations, "CombinationTable", "COMBINATION DEFINITIONS", kCombinations),
};
static_assert(std::size(kDescriptors) == kTableCount, "one descriptor per table");

}  // namespace

const TableId kTableOrder[kTableCount] = {
    TableId::Joints,        TableId::Frames,         TableId::Areas,          TableId::Restraints,
    TableId::Releases,      TableId::Materials,      TableId::FrameSections,  TableId::AreaSections,
    TableId::FrameAssigns,  TableId::AreaAssigns,    TableId::LoadPatterns,   TableId::FrameDistLoads,
    TableId::FramePointLoads, TableId::JointLoads,   TableId::AreaLoads,      TableId::Combinations,
};

const TableDescriptor& Describe(TableId id) { return kDescriptors[static_cast<std::size_t>(id)]; }

}  // namespace corvane
