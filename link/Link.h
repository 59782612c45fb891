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
#include "text/SafeNames.h"

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

// What a name in the STAAD.Pro file stands for.
enum class NameKind : std::uint8_t { Joint, Member, Area };

// The names the writers write, by the table and column that define them
// (the first three are the NameKinds).
enum class NameSet : std::uint8_t { Joint, Member, Area, Material, FrameSection, AreaSection, Pattern, LoadType, Combination };
constexpr std::size_t kNameSetCount = 9;

// The names of one set that the output format takes only in another
// spelling, by the row that defines them (the first row of the name).
class ChangedNames {
public:
    bool empty() const { return rows_.empty(); }
    // Rows come in increasing order.
    void Add(std::uint32_t row, std::string spelling);
    // The new spelling of a defining row, or nothing when it keeps its name.
    const std::string* Of(std::size_t row) const;

private:
    std::vector<std::uint32_t> rows_;
    std::vector<std::string> spellings_;
};

struct LinkOptions {
    bool staad = true;      // the links and checks of the STAAD.Pro file (members, loads); it
                            // renumbers by itself when a label or an element needs it
    bool renumber = false;  // give joints, members and areas numbers STAAD.Pro accepts
    std::string numberMap;  // the file that lists the new numbers, as the report names it
    // Without `staad` the links serve the Abaqus deck: its names follow the
    // deck's rule, and joints and areas get labels the deck takes.
};

struct Links {
    // Name indexes: the first row of every name.
    NameIndex joints, frames, areas, materials, frameSections, areaSections, patterns, combinations;

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

    // A shell element's number is its area's number plus this offset: 100000,
    // or the smallest power of ten above every member number; or, when that
    // would pass 999999, the largest member number, the areas then being
    // numbered 1, 2, ... in the order of their table.
    double shellOffset = 0;
    bool elementsInAreaOrder = false;

    // Renumbering (asked for, or needed for a file STAAD.Pro reads): per
    // kind, the new number of each row of the table that defines the names
    // (0 for a row that keeps its name). The Abaqus deck labels its joints
    // and areas by the same rule.
    bool renumbered = false;
    std::array<std::vector<std::uint32_t>, 3> newNumbers;

    // The output format the names are written in, and per set the names
    // it takes only in another spelling (each reported as name-changed).
    NameFormat format = NameFormat::Staad;
    std::array<ChangedNames, kNameSetCount> changedNames;

    // The name the output uses for what a cell names: the spelling of the
    // row that defines it, or the cell's own text made safe when no row
    // does.
    std::string_view SafeNameOf(NameSet set, const Table& table, std::size_t row, int col, std::string& scratch) const;

    // The name the STAAD.Pro file uses for the row of the table that
    // defines names of this kind (JointTable, FrameTable, AreaTable).
    std::string_view OwnName(NameKind kind, const Table& table, std::size_t row, int col, std::string& scratch) const;
    // The name the STAAD.Pro file uses for what a cell of any table names:
    // the new number of the first row of that name, or the name itself.
    std::string_view NameOf(NameKind kind, const Table& table, std::size_t row, int col, std::string& scratch) const;
    // The element number of an area row, or of an area a cell names.
    void AppendOwnElement(std::string& out, const Table& areas, std::size_t row) const;
    void AppendElementOf(std::string& out, const Table& table, std::size_t row, int col) const;

    // Per frame section row, its shape.
    std::vector<SectionShape> sectionShapes;
    // Per row of the distributed, point and area load tables (the first
    // three of kLoadTables), the direction and the coordinate system.
    std::array<std::vector<LoadDirection>, 3> loadDirections;
    std::array<std::vector<CoordSystem>, 3> loadCoordSystems;
};

// Links the model; reference problems go to the report when one is given.
Links Link(const Model& model, Report* report, const LinkOptions& options);

// Whether the three global coordinates of a joint row are finite decimal
// numbers. A joint that is not placed has no computed line (the report
// names the coordinate) and no place in a picture.
bool JointPlaced(const Table& joints, std::size_t row);

// The element number of an area: its name's number plus the offset.
void AppendElementNumber(std::string& out, std::string_view areaName, double offset);
std::string ElementNumber(std::string_view areaName, double offset);

}  // namespace corvane
