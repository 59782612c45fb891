// The in-memory model: every SAP2000 table the converter knows, held as
// parallel columns of text in the order of the input file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

using Column = std::vector<std::string>;

// One named column of a table, for front ends that show or print tables
// without knowing their layout.
struct NamedColumn {
    std::string_view name;
    Column* cells;
};

struct NamedTable {
    std::string_view name;
    std::vector<NamedColumn> columns;
    std::size_t rows() const { return columns.empty() ? 0 : columns.front().cells->size(); }
};

struct JointTable { Column Joint, GlobalX, GlobalY, GlobalZ; };
struct FrameTable { Column Frame, JointI, JointJ; };
struct AreaTable { Column Area, NumJoints, Joint1, Joint2, Joint3, Joint4; };
struct RestraintTable { Column Joint, ux, uy, uz, rx, ry, rz; };
struct FrameReleaseTable { Column Frame, M2I, M3I, M2J, M3J; };
struct MaterialTable { Column Material, UnitWeight, E1, U12; };
struct FrameSectionTable { Column SectionName, Material, Dim1, Dim2, Shape; };
struct AreaSectionTable { Column Section, Material, Thickness; };
struct FrameSectionAssignTable { Column Frame, AnalSect, Material; };
struct AreaSectionAssignTable { Column Area, Section; };
struct LoadPatternTable { Column LoadPat, DesignType, SelfWtMult; };
struct FrameDistLoadTable { Column Frame, LoadPat, CoordSys, Dir, AbsDistA, AbsDistB, FOverLA, FOverLB; };
struct FramePointLoadTable { Column Frame, LoadPat, CoordSys, Dir, AbsDist, Force; };
struct JointLoadTable { Column Joint, LoadPat, F1, F2, F3, M1, M2, M3; };
struct AreaLoadTable { Column Area, LoadPat, CoordSys, Dir, UnifLoad; };
struct CombinationTable { Column ComboName, CaseName, ScaleFactor, LoadNumber; };

struct ModelTables {
    JointTable joints;
    FrameTable frames;
    AreaTable areas;
    RestraintTable restraints;
    FrameReleaseTable releases;
    MaterialTable materials;
    FrameSectionTable frameSections;
    AreaSectionTable areaSections;
    FrameSectionAssignTable frameAssigns;
    AreaSectionAssignTable areaAssigns;
    LoadPatternTable loadPatterns;
    FrameDistLoadTable frameDistLoads;
    FramePointLoadTable framePointLoads;
    JointLoadTable jointLoads;
    AreaLoadTable areaLoads;
    CombinationTable combinations;
    Column CombinationList;

    // All sixteen tables with their column names, in the order the
    // command line and the window present them.
    std::vector<NamedTable> all();
};

// The model's force and length texts; both start as a single blank and
// keep their value when a later input has no units table.
struct UnitsInfo {
    std::string force = " ";
    std::string length = " ";
};

// The shared working list of number-list tokens ("1", "TO", "4", ...).
using RunList = std::vector<std::string>;

void ClearColumns(const NamedTable& t);

}  // namespace corvane
