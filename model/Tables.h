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
    // Read by the full conversion only.
    FrameLocalAxes,
    ReleasePartial,
    FrameModifiers,
    FrameOffsets,
    FrameInsertion,
    ActiveDof,
    FrameTemperature,
    AreaTemperature,
    FrameGravity,
    AreaGravity,
    GroundDisplacement,
    CombinationDefinitions,
    JointSprings,
    JointLocalAxes,
    JointConstraints,
    BodyConstraints,
    DiaphragmConstraints,
    AreaModifiers,
    Solids,
    SolidAssigns,
    SolidProperties,
    SolidPressure,
    AreaPressure,
    AreaSprings,
    MassSources,
    ModalCases,
    JointMasses,
    FrameMasses,
    AreaMasses,
    SpectrumCases,
    SpectrumLoads,
    SpectrumFunctions,
    FrameAutoMesh,
    AreaAutoMesh,
    LoadCases,
    CaseLoads,
    CaseLoadApplication,
    CaseNonlinear,
    MaterialGeneral,
    AreaLocalAxes,
    JointPatterns,
};
constexpr std::size_t kTableCount = 57;

struct ColumnDescriptor {
    std::string_view name;
    // What a missing field is shown as (and written as) in this column.
    std::string_view absentText;
    // The other name SAP2000 versions give the field, if any.
    std::string_view alias = {};
};

struct TableDescriptor {
    TableId id;
    std::string_view name;      // the model's name of the table, e.g. "JointTable"
    std::string_view sapName;   // the SAP2000 table it is read from
    std::string_view sapOther;  // a second SAP2000 name, if the table has one
    const ColumnDescriptor* columns;
    std::size_t columnCount;
    // The columns the classic conversion has: the first ones; the others
    // are read and listed by the full conversion only.
    std::size_t classicColumns;
    bool full;  // the whole table is read by the full conversion only
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

// The columns the full conversion adds to the classic tables.
struct ReleaseFullCol { enum : int { PI = ReleaseCol::M3J + 1, V2I, V3I, TI, PJ, V2J, V3J, TJ }; };
struct MaterialFullCol { enum : int { A1 = MaterialCol::U12 + 1, UnitMass, E2, E3, G12, G13, G23, U13, U23, A2 }; };
struct FrameSectionFullCol {
    enum : int { t3 = FrameSectionCol::Shape + 1, t2, Area, TorsConst, I33, I22, AS2, AS3, AMod, A2Mod, A3Mod, JMod, I2Mod, I3Mod, MMod, WMod };
};
struct AreaSectionFullCol {
    enum : int { AreaType = AreaSectionCol::Thickness + 1, Type, BendThick, F11Mod, F22Mod, F12Mod, M11Mod, M22Mod, M12Mod, V13Mod, V23Mod, MMod, WMod, MatAng };
};
struct FrameDistLoadFullCol { enum : int { Type = FrameDistLoadCol::FOverLB + 1, MOverLA, MOverLB }; };
struct FramePointLoadFullCol { enum : int { Type = FramePointLoadCol::Force + 1, Moment }; };
struct JointLoadFullCol { enum : int { CoordSys = JointLoadCol::M3 + 1 }; };

// The tables of the full conversion.
struct FrameLocalAxesCol { enum : int { Frame, Angle }; };
struct MaterialGeneralCol { enum : int { Material, SymType }; };
struct AreaLocalAxesCol { enum : int { Area, Angle }; };
struct ReleasePartialCol { enum : int { Frame, PI, V2I, V3I, TI, M2I, M3I, PJ, V2J, V3J, TJ, M2J, M3J }; };
struct FrameModifierCol { enum : int { Frame, AMod, AS2Mod, AS3Mod, JMod, I22Mod, I33Mod, MassMod, WeightMod }; };
struct FrameOffsetCol { enum : int { Frame, Type, LengthI, LengthJ, RigidFactor }; };
struct FrameInsertionCol { enum : int { Frame, CardinalPt }; };
struct ActiveDofCol { enum : int { UX, UY, UZ, RX, RY, RZ }; };
struct TemperatureLoadCol { enum : int { Owner, LoadPat, Type, Temp, JointPattern }; };
struct GravityLoadCol { enum : int { Owner, LoadPat, CoordSys, MultiplierX, MultiplierY, MultiplierZ }; };
struct GroundDisplacementCol { enum : int { Joint, LoadPat, CoordSys, U1, U2, U3, R1, R2, R3 }; };
struct CombinationDefinitionCol { enum : int { ComboName, ComboType, CaseType, CaseName, ScaleFactor }; };
struct JointSpringCol { enum : int { Joint, CoordSys, U1, U2, U3, R1, R2, R3 }; };
struct JointLocalAxesCol { enum : int { Joint, AngleA, AngleB, AngleC }; };
struct JointConstraintCol { enum : int { Joint, Constraint }; };
struct BodyConstraintCol { enum : int { Name, CoordSys, UX, UY, UZ, RX, RY, RZ }; };
struct DiaphragmConstraintCol { enum : int { Name, CoordSys, Axis, MultiLevel }; };
struct AreaModifierCol { enum : int { Area, f11, f22, f12, m11, m22, m12, v13, v23, MMod, WMod }; };
struct SolidCol { enum : int { Solid, Joint1, Joint2, Joint3, Joint4, Joint5, Joint6, Joint7, Joint8 }; };
struct SolidAssignCol { enum : int { Solid, SolidProp }; };
struct SolidPropertyCol { enum : int { SolidProp, Material }; };
struct SurfacePressureCol { enum : int { Owner, LoadPat, Face, Pressure, JointPattern }; };
struct AreaSpringCol { enum : int { Area, Type, Stiffness, SimpleType, Face, Dir }; };
struct MassSourceCol { enum : int { MassSource, Elements, Masses, Loads, IsDefault, LoadPat, Multiplier }; };
struct ModalCaseCol { enum : int { Case, ModeType, MaxNumModes, MassSource }; };
struct JointMassCol { enum : int { Joint, CoordSys, Mass1, Mass2, Mass3, MMI1, MMI2, MMI3 }; };
struct FrameMassCol { enum : int { Frame, MassPerLen }; };
struct AreaMassCol { enum : int { Area, MassPerArea }; };
struct SpectrumCaseCol { enum : int { Case, ModalCombo, DirCombo, ConstDamp }; };
struct SpectrumLoadCol { enum : int { Case, LoadName, CoordSys, Function, Angle, TransAccSF }; };
struct SpectrumFunctionCol { enum : int { Name, Period, Accel }; };
struct FrameAutoMeshCol { enum : int { Frame, AutoMesh, AtJoints, AtFrames, NumSegments, MaxLength }; };
struct AreaAutoMeshCol { enum : int { Area, MeshType, Number1, Number2, SuppEdge, SuppFace, SubMesh }; };
struct LoadCaseCol { enum : int { Case, Type, InitialCond, DesignType }; };
struct CaseLoadCol { enum : int { Case, LoadType, LoadName, LoadSF }; };
struct CaseLoadApplicationCol { enum : int { Case, LoadApp }; };
struct CaseNonlinearCol { enum : int { Case, GeoNonLin, MaxIterCS, MaxIterNR }; };
struct JointPatternCol { enum : int { Joint, Pattern, Value }; };

}  // namespace corvane
