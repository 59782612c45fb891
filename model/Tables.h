// The SAP2000 tables the converter knows: one descriptor each (its name in
// the model, the SAP2000 table it is read from, its columns and what a
// missing field is shown as), and the column numbers the readers and
// writers use. Adding a table is one descriptor, one column list and one
// reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane {

enum class TableId : std::uint8_t {
    Joints,
    Frames,
    Areas,
    Restraints,
    Releases,
    Materials,
    FrameSections,
    AreaSections,
    FrameAssigns,
    AreaAssigns,
    LoadPatterns,
    FrameDistLoads,
    FramePointLoads,
    JointLoads,
    AreaLoads,
    Combinations,
};
constexpr std::size_t kTableCount = 16;

struct ColumnDescriptor {
    std::string_view name;
    // What a missing field is shown as (and written as) in this column.
    std::string_view absentText;
};

struct TableDescriptor {
    TableId id;
    std::string_view name;      // the model's name of the table, e.g. "JointTable"
    std::string_view sapName;   // the SAP2000 table it is read from
    std::string_view sapOther;  // a second SAP2000 name, if the table has one
    const ColumnDescriptor* columns;
    std::size_t columnCount;
};

// Every table, in the order the command line and the window list them.
const TableDescriptor& Describe(TableId id);
extern const TableId kTableOrder[kTableCount];

// Column numbers, in descriptor order.
struct JointCol { enum : int { Joint, GlobalX, GlobalY, GlobalZ }; };
struct FrameCol { enum : int { Frame, JointI, JointJ }; };
struct AreaCol { enum : int { Area, NumJoints, Joint1, Joint2, Joint3, Joint4 }; };
struct RestraintCol { enum : int { Joint, ux, uy, uz, rx, ry, rz }; };
struct ReleaseCol { enum : int { Frame, M2I, M3I, M2J, M3J }; };
struct MaterialCol { enum : int { Material, UnitWeight, E1, U12 }; };
struct FrameSectionCol { enum : int { SectionName, Material, Dim1, Dim2, Shape }; };
struct AreaSectionCol { enum : int { Section, Material, Thickness }; };
struct FrameAssignCol { enum : int { Frame, AnalSect, Material }; };
struct AreaAssignCol { enum : int { Area, Section }; };
struct LoadPatternCol { enum : int { LoadPat, DesignType, SelfWtMult }; };
struct FrameDistLoadCol { enum : int { Frame, LoadPat, CoordSys, Dir, AbsDistA, AbsDistB, FOverLA, FOverLB }; };
struct FramePointLoadCol { enum : int { Frame, LoadPat, CoordSys, Dir, AbsDist, Force }; };
struct JointLoadCol { enum : int { Joint, LoadPat, F1, F2, F3, M1, M2, M3 }; };
struct AreaLoadCol { enum : int { Area, LoadPat, CoordSys, Dir, UnifLoad }; };
struct CombinationCol { enum : int { ComboName, CaseName, ScaleFactor, LoadNumber }; };

}  // namespace corvane
