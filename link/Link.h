// The link pass: after reading, one pass works out what the writers need
// from the tables as read (which members and elements each section has,
// which load rows each pattern has, which cases each combination adds),
// resolves the references between tables to rows, and reports the
// references that lead nowhere. Writers read the model and these links
// only; they never go back to the input.
#pragma once

#include "link/NameIndex.h"
#include "model/Model.h"
#include "model/Report.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The four load tables in the order the loading block writes them.
constexpr std::array<TableId, 4> kLoadTables = {TableId::FrameDistLoads, TableId::FramePointLoads, TableId::AreaLoads,
                                                TableId::JointLoads};

// The closed vocabularies of the tables, turned into enumerations once.
enum class SectionShape : std::uint8_t { Rectangular, Circle, IWide, Other };
enum class SapAxis : std::uint8_t { Gravity, X, Y, Z, Local1, Local2, Local3, None };
enum class CoordSystem : std::uint8_t { Global, Local, Other };
struct LoadDirection {
    SapAxis axis = SapAxis::None;
    bool projected = false;  // "X Proj" and the like
};

struct Links {
    // Name indexes: the first row of every name.
    NameIndex joints, frames, materials, frameSections, areaSections, patterns, combinations;

    // Frame section assignment rows by their section (first section row of
    // the name) and by their material (first material row of the name).
    Groups membersOfSection, membersOfMaterial;
    // Area section assignment rows by their section.
    Groups areasOfSection;
    // Load rows by their pattern (first pattern row of the name), one
    // grouping per load table, indexed like kLoadTables.
    std::array<Groups, 4> loadsOfPattern;
    // Combination rows by their combination (first row of the name).
    Groups rowsOfCombination;

    // Whether the input had an area section assignment table at all; the
    // commands tell the user when it had none.
    bool areaAssignmentsFound = false;

    double shellOffset = 0;

    // Per frame section row, its shape.
    std::vector<SectionShape> sectionShapes;
    // Per row of the distributed, point and area load tables (the first
    // three of kLoadTables), the direction and the coordinate system.
    std::array<std::vector<LoadDirection>, 3> loadDirections;
    std::array<std::vector<CoordSystem>, 3> loadCoordSystems;
};

// Links the model; reference problems go to the report when one is given.
// `withMembers` adds the checks of frame members (the STAAD.Pro file has
// them; the Abaqus deck does not).
Links Link(const Model& model, Report* report, bool withMembers);

// The element number of an area: its name's number plus the offset.
void AppendElementNumber(std::string& out, std::string_view areaName, double offset);
std::string ElementNumber(std::string_view areaName, double offset);

}  // namespace corvane
