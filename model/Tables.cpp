#include "model/Tables.h"

#include <iterator>

namespace corvane {

namespace {

constexpr ColumnDescriptor kJoints[] = {{"Joint", "NULL"}, {"GlobalX", "NULL"}, {"GlobalY", "NULL"}, {"GlobalZ", "NULL"}};
constexpr ColumnDescriptor kFrames[] = {{"Frame", "NULL"}, {"JointI", "NULL"}, {"JointJ", "NULL"}};
constexpr ColumnDescriptor kAreas[] = {{"Area", "NULL"},   {"NumJoints", ""},   {"Joint1", "NULL"},
                                       {"Joint2", "NULL"}, {"Joint3", "NULL"}, {"Joint4", "NULL"}};
constexpr ColumnDescriptor kRestraints[] = {{"Joint", "NULL"}, {"ux", ""}, {"uy", ""}, {"uz", ""}, {"rx", ""}, {"ry", ""}, {"rz", ""}};
constexpr ColumnDescriptor kReleases[] = {{"Frame", "NULL"}, {"M2I", "NULL"}, {"M3I", "NULL"}, {"M2J", "NULL"}, {"M3J", "NULL"},
                                           {"PI", "NULL"},    {"V2I", "NULL"}, {"V3I", "NULL"}, {"TI", "NULL"},  {"PJ", "NULL"},
                                           {"V2J", "NULL"},   {"V3J", "NULL"}, {"TJ", "NULL"}};
constexpr ColumnDescriptor kMaterials[] = {{"Material", "NULL"}, {"UnitWeight", "0.0"}, {"E1", "0.0"}, {"U12", "0.0"}, {"A1", ""}, {"UnitMass", ""},
                                           {"E2", ""},       {"E3", ""},           {"G12", ""}, {"G13", ""}, {"G23", ""},
                                           {"U13", ""},      {"U23", ""},          {"A2", ""}};
constexpr ColumnDescriptor kFrameSections[] = {
    {"SectionName", "NULL"}, {"Material", "NULL"}, {"Dim1", ""},   {"Dim2", ""},    {"Shape", "NULL"}, {"t3", ""},
    {"t2", ""},              {"Area", ""},         {"TorsConst", ""}, {"I33", ""},   {"I22", ""},       {"AS2", ""},
    {"AS3", ""},             {"AMod", "1"},        {"A2Mod", "1"},  {"A3Mod", "1"}, {"JMod", "1"},     {"I2Mod", "1"},
    {"I3Mod", "1"},          {"MMod", "1"},        {"WMod", "1"}};
constexpr ColumnDescriptor kAreaSections[] = {{"Section", "NULL"}, {"Material", "NULL"}, {"Thickness", "0.0"}, {"AreaType", ""},
                                              {"Type", ""},        {"BendThick", ""},    {"F11Mod", "1"},      {"F22Mod", "1"},
                                              {"F12Mod", "1"},     {"M11Mod", "1"},      {"M22Mod", "1"},      {"M12Mod", "1"},
                                              {"V13Mod", "1"},     {"V23Mod", "1"},      {"MMod", "1"},        {"WMod", "1"},
                                              {"MatAng", "0"}};
// A frame whose section is not a known row has no material: an empty cell.
constexpr ColumnDescriptor kFrameAssigns[] = {{"Frame", "NULL"}, {"AnalSect", "NULL"}, {"Material", ""}};
constexpr ColumnDescriptor kAreaAssigns[] = {{"Area", "NULL"}, {"Section", "NULL"}};
constexpr ColumnDescriptor kLoadPatterns[] = {{"LoadPat", "NULL"}, {"DesignType", "NULL"}, {"SelfWtMult", "NULL"}};
constexpr ColumnDescriptor kFrameDistLoads[] = {{"Frame", "NULL"},   {"LoadPat", "NULL"},  {"CoordSys", "GLOBAL"},
                                                {"Dir", "Z"},        {"AbsDistA", "0.0"},  {"AbsDistB", "0.0"},
                                                {"FOverLA", "0.0"},  {"FOverLB", "0.0"},   {"Type", "Force"},
                                                {"MOverLA", "0.0"},  {"MOverLB", "0.0"}};
constexpr ColumnDescriptor kFramePointLoads[] = {{"Frame", "NULL"}, {"LoadPat", "NULL"}, {"CoordSys", "GLOBAL"}, {"Dir", "Z"},
                                                 {"AbsDist", "0.0"}, {"Force", "0.0"},  {"Type", "Force"},     {"Moment", "0.0"}};
constexpr ColumnDescriptor kJointLoads[] = {{"Joint", "NULL"}, {"LoadPat", "NULL"}, {"F1", "0.0"}, {"F2", "0.0"},
                                            {"F3", "0.0"},     {"M1", "0.0"},       {"M2", "0.0"}, {"M3", "0.0"},
                                            {"CoordSys", "GLOBAL"}};
constexpr ColumnDescriptor kAreaLoads[] = {
    {"Area", "NULL"}, {"LoadPat", "NULL"}, {"CoordSys", "GLOBAL"}, {"Dir", "Z"}, {"UnifLoad", "0.0"}};
constexpr ColumnDescriptor kCombinations[] = {{"ComboName", "NULL"}, {"CaseName", "NULL"}, {"ScaleFactor", ""}, {"LoadNumber", ""}};

// The full conversion's own tables: every field read by key.
constexpr ColumnDescriptor kFrameLocalAxes[] = {{"Frame", "NULL"}, {"Angle", "0"}};
constexpr ColumnDescriptor kMaterialGeneral[] = {{"Material", "NULL"}, {"SymType", ""}};
constexpr ColumnDescriptor kAreaLocalAxes[] = {{"Area", "NULL"}, {"Angle", "0"}};
constexpr ColumnDescriptor kReleasePartial[] = {{"Frame", "NULL"}, {"PI", "0"},  {"V2I", "0"}, {"V3I", "0"}, {"TI", "0"},
                                                {"M2I", "0"},      {"M3I", "0"}, {"PJ", "0"},  {"V2J", "0"}, {"V3J", "0"},
                                                {"TJ", "0"},       {"M2J", "0"}, {"M3J", "0"}};
constexpr ColumnDescriptor kFrameModifiers[] = {
    {"Frame", "NULL"},       {"AMod", "1"},           {"AS2Mod", "1", "A2Mod"},  {"AS3Mod", "1", "A3Mod"},    {"JMod", "1"},
    {"I22Mod", "1", "I2Mod"}, {"I33Mod", "1", "I3Mod"}, {"MassMod", "1", "MMod"}, {"WeightMod", "1", "WMod"}};
constexpr ColumnDescriptor kFrameOffsets[] = {
    {"Frame", "NULL"}, {"Type", "NULL", "OffsetType"}, {"LengthI", "0"}, {"LengthJ", "0"}, {"RigidFactor", "0", "RigidFact"}};
constexpr ColumnDescriptor kFrameInsertion[] = {{"Frame", "NULL"}, {"CardinalPt", "NULL"}};
constexpr ColumnDescriptor kActiveDof[] = {{"UX", "Yes"}, {"UY", "Yes"}, {"UZ", "Yes"}, {"RX", "Yes"}, {"RY", "Yes"}, {"RZ", "Yes"}};
constexpr ColumnDescriptor kFrameTemperature[] = {
    {"Frame", "NULL"}, {"LoadPat", "NULL"}, {"Type", "Temperature"}, {"Temp", "0"}, {"JointPattern", "", "JtPattern"}};
constexpr ColumnDescriptor kAreaTemperature[] = {
    {"Area", "NULL"}, {"LoadPat", "NULL"}, {"Type", "Temperature"}, {"Temp", "0"}, {"JointPattern", "", "JtPattern"}};
constexpr ColumnDescriptor kFrameGravity[] = {{"Frame", "NULL"},           {"LoadPat", "NULL"},         {"CoordSys", "GLOBAL"},
                                              {"MultiplierX", "0", "MultX"}, {"MultiplierY", "0", "MultY"}, {"MultiplierZ", "0", "MultZ"}};
constexpr ColumnDescriptor kAreaGravity[] = {{"Area", "NULL"},            {"LoadPat", "NULL"},         {"CoordSys", "GLOBAL"},
                                             {"MultiplierX", "0", "MultX"}, {"MultiplierY", "0", "MultY"}, {"MultiplierZ", "0", "MultZ"}};
constexpr ColumnDescriptor kGroundDisplacement[] = {{"Joint", "NULL"}, {"LoadPat", "NULL"}, {"CoordSys", "GLOBAL"},
                                                    {"U1", "0"},       {"U2", "0"},         {"U3", "0"},
                                                    {"R1", "0"},       {"R2", "0"},         {"R3", "0"}};
constexpr ColumnDescriptor kCombinationDefinitions[] = {
    {"ComboName", "NULL"}, {"ComboType", ""}, {"CaseType", ""}, {"CaseName", "NULL"}, {"ScaleFactor", "0"}};
constexpr ColumnDescriptor kJointSprings[] = {{"Joint", "NULL"}, {"CoordSys", "GLOBAL"}, {"U1", "0"}, {"U2", "0"},
                                              {"U3", "0"},       {"R1", "0"},            {"R2", "0"}, {"R3", "0"}};
constexpr ColumnDescriptor kJointLocalAxes[] = {{"Joint", "NULL"}, {"AngleA", "0"}, {"AngleB", "0"}, {"AngleC", "0"}};
constexpr ColumnDescriptor kJointConstraints[] = {{"Joint", "NULL"}, {"Constraint", "NULL"}};
constexpr ColumnDescriptor kBodyConstraints[] = {{"Name", "NULL"}, {"CoordSys", "GLOBAL"}, {"UX", "No"}, {"UY", "No"},
                                                 {"UZ", "No"},     {"RX", "No"},            {"RY", "No"}, {"RZ", "No"}};
constexpr ColumnDescriptor kDiaphragmConstraints[] = {{"Name", "NULL"}, {"CoordSys", "GLOBAL"}, {"Axis", "Z"}, {"MultiLevel", "No"}};
constexpr ColumnDescriptor kAreaModifiers[] = {{"Area", "NULL"},       {"f11", "1", "F11"}, {"f22", "1", "F22"}, {"f12", "1", "F12"},
                                               {"m11", "1", "M11"},    {"m22", "1", "M22"}, {"m12", "1", "M12"}, {"v13", "1", "V13"},
                                               {"v23", "1", "V23"},    {"MMod", "1"},       {"WMod", "1"}};
constexpr ColumnDescriptor kSolids[] = {{"Solid", "NULL"},  {"Joint1", "NULL"}, {"Joint2", "NULL"}, {"Joint3", "NULL"}, {"Joint4", "NULL"},
                                        {"Joint5", "NULL"}, {"Joint6", "NULL"}, {"Joint7", "NULL"}, {"Joint8", "NULL"}};
constexpr ColumnDescriptor kSolidAssigns[] = {{"Solid", "NULL"}, {"SolidProp", "NULL"}};
constexpr ColumnDescriptor kSolidProperties[] = {{"SolidProp", "NULL"}, {"Material", "NULL"}};
constexpr ColumnDescriptor kSolidPressure[] = {{"Solid", "NULL"}, {"LoadPat", "NULL"}, {"Face", "NULL"}, {"Pressure", "0"}};
constexpr ColumnDescriptor kAreaPressure[] = {
    {"Area", "NULL"}, {"LoadPat", "NULL"}, {"Face", "NULL"}, {"Pressure", "0"}, {"JointPattern", "", "JtPattern"}};
constexpr ColumnDescriptor kAreaSprings[] = {
    {"Area", "NULL"}, {"Type", ""}, {"Stiffness", "0"}, {"SimpleType", ""}, {"Face", ""}, {"Dir", ""}};
constexpr ColumnDescriptor kMassSources[] = {{"MassSource", "NULL"}, {"Elements", "Yes"}, {"Masses", "Yes"}, {"Loads", "No"},
                                             {"IsDefault", "No"},     {"LoadPat", ""},      {"Multiplier", "1"}};
constexpr ColumnDescriptor kModalCases[] = {{"Case", "NULL"}, {"ModeType", "Eigen"}, {"MaxNumModes", "12"}, {"MassSource", ""}};
constexpr ColumnDescriptor kJointMasses[] = {{"Joint", "NULL"}, {"CoordSys", "GLOBAL"}, {"Mass1", "0"}, {"Mass2", "0"},
                                             {"Mass3", "0"},    {"MMI1", "0"},          {"MMI2", "0"},  {"MMI3", "0"}};
constexpr ColumnDescriptor kFrameMasses[] = {{"Frame", "NULL"}, {"MassPerLen", "0"}};
constexpr ColumnDescriptor kAreaMasses[] = {{"Area", "NULL"}, {"MassPerArea", "0"}};
constexpr ColumnDescriptor kSpectrumCases[] = {{"Case", "NULL"}, {"ModalCombo", "CQC"}, {"DirCombo", "SRSS"}, {"ConstDamp", "0.05"}};
constexpr ColumnDescriptor kSpectrumLoads[] = {{"Case", "NULL"}, {"LoadName", "NULL"}, {"CoordSys", "GLOBAL"},
                                               {"Function", "NULL"}, {"Angle", "0"},      {"TransAccSF", "1"}};
constexpr ColumnDescriptor kSpectrumFunctions[] = {{"Name", "NULL"}, {"Period", "NULL"}, {"Accel", "NULL"}};
constexpr ColumnDescriptor kFrameAutoMesh[] = {{"Frame", "NULL"},       {"AutoMesh", "No"},     {"AtJoints", "No"},
                                               {"AtFrames", "No"},      {"NumSegments", "0"},   {"MaxLength", "0"}};
constexpr ColumnDescriptor kAreaAutoMesh[] = {{"Area", "NULL"},    {"MeshType", "Default"}, {"Number1", "1"}, {"Number2", "1"},
                                              {"SuppEdge", "No"},  {"SuppFace", "No"},      {"SubMesh", "No"}};
constexpr ColumnDescriptor kLoadCases[] = {{"Case", "NULL"}, {"Type", ""}, {"InitialCond", "Zero"}, {"DesignType", ""}};
constexpr ColumnDescriptor kCaseLoads[] = {{"Case", "NULL"}, {"LoadType", "Load pattern"}, {"LoadName", "NULL"}, {"LoadSF", "1"}};
constexpr ColumnDescriptor kCaseLoadApplication[] = {{"Case", "NULL"}, {"LoadApp", "Full Load"}};
constexpr ColumnDescriptor kCaseNonlinear[] = {{"Case", "NULL"}, {"GeoNonLin", "None"}, {"MaxIterCS", "10"}, {"MaxIterNR", "40"}};
constexpr ColumnDescriptor kJointPatterns[] = {{"Joint", "NULL"}, {"Pattern", "NULL"}, {"Value", "0"}};

// A table of the classic conversion; `classic` of its columns are the
// classic ones, the rest are read by the full conversion only.
template <std::size_t N>
constexpr TableDescriptor Make(TableId id, std::string_view name, std::string_view sap, const ColumnDescriptor (&cols)[N],
                               std::string_view other = {}, std::size_t classic = N) {
    return TableDescriptor{id, name, sap, other, cols, N, classic, false};
}

// A table of the full conversion only.
template <std::size_t N>
constexpr TableDescriptor Full(TableId id, std::string_view name, std::string_view sap, const ColumnDescriptor (&cols)[N]) {
    return TableDescriptor{id, name, sap, {}, cols, N, 0, true};
}

// Indexed by TableId.
constexpr TableDescriptor kDescriptors[] = {
    Make(TableId::Joints, "JointTable", "JOINT COORDINATES", kJoints),
    Make(TableId::Frames, "FrameTable", "CONNECTIVITY - FRAME", kFrames),
    Make(TableId::Areas, "AreaTable", "CONNECTIVITY - AREA", kAreas),
    Make(TableId::Restraints, "RestraintTable", "JOINT RESTRAINT ASSIGNMENTS", kRestraints),
    Make(TableId::Releases, "FrameReleaseTable", "FRAME RELEASE ASSIGNMENTS 1 - GENERAL", kReleases, {}, 5),
    Make(TableId::Materials, "MaterialTable", "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", kMaterials, {}, 4),
    Make(TableId::FrameSections, "FrameSectionTable", "FRAME SECTION PROPERTIES 01 - GENERAL", kFrameSections, {}, 5),
    Make(TableId::AreaSections, "AreaSectionTable", "AREA SECTION PROPERTIES", kAreaSections, {}, 3),
    Make(TableId::FrameAssigns, "FrameSectionAssignTable", "FRAME SECTION ASSIGNMENTS", kFrameAssigns),
    Make(TableId::AreaAssigns, "AreaSectionAssignTable", "AREA SECTION ASSIGNMENTS", kAreaAssigns),
    Make(TableId::LoadPatterns, "LoadPatternTable", "LOAD PATTERN DEFINITIONS", kLoadPatterns, "LOAD CASE DEFINITIONS"),
    Make(TableId::FrameDistLoads, "FrameDistLoadTable", "FRAME LOADS - DISTRIBUTED", kFrameDistLoads, {}, 8),
    Make(TableId::FramePointLoads, "FramePointLoadTable", "FRAME LOADS - POINT", kFramePointLoads, {}, 6),
    Make(TableId::JointLoads, "JointLoadTable", "JOINT LOADS - FORCE", kJointLoads, {}, 8),
    Make(TableId::AreaLoads, "AreaLoadTable", "AREA LOADS - UNIFORM", kAreaLoads),
    Make(TableId::Combinations, "CombinationTable", "COMBINATION DEFINITIONS", kCombinations),
    Full(TableId::FrameLocalAxes, "FrameLocalAxesTable", "FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL", kFrameLocalAxes),
    Full(TableId::ReleasePartial, "FramePartialFixityTable", "FRAME RELEASE ASSIGNMENTS 2 - PARTIAL FIXITY", kReleasePartial),
    Full(TableId::FrameModifiers, "FrameModifierTable", "FRAME PROPERTY MODIFIERS", kFrameModifiers),
    Full(TableId::FrameOffsets, "FrameOffsetTable", "FRAME OFFSET ALONG LENGTH ASSIGNMENTS", kFrameOffsets),
    Full(TableId::FrameInsertion, "FrameInsertionTable", "FRAME INSERTION POINT ASSIGNMENTS", kFrameInsertion),
    Full(TableId::ActiveDof, "ActiveDofTable", "ACTIVE DEGREES OF FREEDOM", kActiveDof),
    Full(TableId::FrameTemperature, "FrameTemperatureTable", "FRAME LOADS - TEMPERATURE", kFrameTemperature),
    Full(TableId::AreaTemperature, "AreaTemperatureTable", "AREA LOADS - TEMPERATURE", kAreaTemperature),
    Full(TableId::FrameGravity, "FrameGravityTable", "FRAME LOADS - GRAVITY", kFrameGravity),
    Full(TableId::AreaGravity, "AreaGravityTable", "AREA LOADS - GRAVITY", kAreaGravity),
    Full(TableId::GroundDisplacement, "GroundDisplacementTable", "JOINT LOADS - GROUND DISPLACEMENT", kGroundDisplacement),
    Full(TableId::CombinationDefinitions, "CombinationDefinitionTable", "COMBINATION DEFINITIONS", kCombinationDefinitions),
    Full(TableId::JointSprings, "JointSpringTable", "JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED", kJointSprings),
    Full(TableId::JointLocalAxes, "JointLocalAxesTable", "JOINT LOCAL AXES ASSIGNMENTS 1 - TYPICAL", kJointLocalAxes),
    Full(TableId::JointConstraints, "JointConstraintTable", "JOINT CONSTRAINT ASSIGNMENTS", kJointConstraints),
    Full(TableId::BodyConstraints, "BodyConstraintTable", "CONSTRAINT DEFINITIONS - BODY", kBodyConstraints),
    Full(TableId::DiaphragmConstraints, "DiaphragmConstraintTable", "CONSTRAINT DEFINITIONS - DIAPHRAGM", kDiaphragmConstraints),
    Full(TableId::AreaModifiers, "AreaModifierTable", "AREA STIFFNESS MODIFIERS", kAreaModifiers),
    Full(TableId::Solids, "SolidTable", "CONNECTIVITY - SOLID", kSolids),
    Full(TableId::SolidAssigns, "SolidAssignTable", "SOLID PROPERTY ASSIGNMENTS", kSolidAssigns),
    Full(TableId::SolidProperties, "SolidPropertyTable", "SOLID PROPERTY DEFINITIONS", kSolidProperties),
    Full(TableId::SolidPressure, "SolidPressureTable", "SOLID LOADS - SURFACE PRESSURE", kSolidPressure),
    Full(TableId::AreaPressure, "AreaPressureTable", "AREA LOADS - SURFACE PRESSURE", kAreaPressure),
    Full(TableId::AreaSprings, "AreaSpringTable", "AREA SPRING ASSIGNMENTS", kAreaSprings),
    Full(TableId::MassSources, "MassSourceTable", "MASS SOURCE", kMassSources),
    Full(TableId::ModalCases, "ModalCaseTable", "CASE - MODAL 1 - GENERAL", kModalCases),
    Full(TableId::JointMasses, "JointMassTable", "JOINT ADDED MASS ASSIGNMENTS", kJointMasses),
    Full(TableId::FrameMasses, "FrameMassTable", "FRAME ADDED MASS ASSIGNMENTS", kFrameMasses),
    Full(TableId::AreaMasses, "AreaMassTable", "AREA ADDED MASS ASSIGNMENTS", kAreaMasses),
    Full(TableId::SpectrumCases, "SpectrumCaseTable", "CASE - RESPONSE SPECTRUM 1 - GENERAL", kSpectrumCases),
    Full(TableId::SpectrumLoads, "SpectrumLoadTable", "CASE - RESPONSE SPECTRUM 2 - LOAD ASSIGNMENTS", kSpectrumLoads),
    Full(TableId::SpectrumFunctions, "SpectrumFunctionTable", "FUNCTION - RESPONSE SPECTRUM - USER", kSpectrumFunctions),
    Full(TableId::FrameAutoMesh, "FrameAutoMeshTable", "FRAME AUTO MESH ASSIGNMENTS", kFrameAutoMesh),
    Full(TableId::AreaAutoMesh, "AreaAutoMeshTable", "AREA AUTO MESH ASSIGNMENTS", kAreaAutoMesh),
    Full(TableId::LoadCases, "LoadCaseTable", "LOAD CASE DEFINITIONS", kLoadCases),
    Full(TableId::CaseLoads, "CaseLoadTable", "CASE - STATIC 1 - LOAD ASSIGNMENTS", kCaseLoads),
    Full(TableId::CaseLoadApplication, "CaseLoadApplicationTable", "CASE - STATIC 2 - NONLINEAR LOAD APPLICATION", kCaseLoadApplication),
    Full(TableId::CaseNonlinear, "CaseNonlinearTable", "CASE - STATIC 4 - NONLINEAR PARAMETERS", kCaseNonlinear),
    Full(TableId::MaterialGeneral, "MaterialGeneralTable", "MATERIAL PROPERTIES 01 - GENERAL", kMaterialGeneral),
    Full(TableId::AreaLocalAxes, "AreaLocalAxesTable", "AREA LOCAL AXES ASSIGNMENTS 1 - TYPICAL", kAreaLocalAxes),
    Full(TableId::JointPatterns, "JointPatternTable", "JOINT PATTERN ASSIGNMENTS", kJointPatterns),
};
static_assert(std::size(kDescriptors) == kTableCount, "one descriptor per table");

}  // namespace

const TableId kTableOrder[kTableCount] = {
    TableId::Joints,        TableId::Frames,         TableId::Areas,          TableId::Restraints,
    TableId::Releases,      TableId::Materials,      TableId::FrameSections,  TableId::AreaSections,
    TableId::FrameAssigns,  TableId::AreaAssigns,    TableId::LoadPatterns,   TableId::FrameDistLoads,
    TableId::FramePointLoads, TableId::JointLoads,   TableId::AreaLoads,      TableId::Combinations,
    TableId::FrameLocalAxes, TableId::ReleasePartial, TableId::FrameModifiers, TableId::FrameOffsets,
    TableId::FrameInsertion, TableId::ActiveDof, TableId::FrameTemperature, TableId::AreaTemperature,
    TableId::FrameGravity, TableId::AreaGravity, TableId::GroundDisplacement, TableId::CombinationDefinitions,
    TableId::JointSprings, TableId::JointLocalAxes, TableId::JointConstraints, TableId::BodyConstraints,
    TableId::DiaphragmConstraints, TableId::AreaModifiers, TableId::Solids, TableId::SolidAssigns,
    TableId::SolidProperties, TableId::SolidPressure, TableId::AreaPressure, TableId::AreaSprings,
    TableId::MassSources,   TableId::ModalCases,     TableId::JointMasses,    TableId::FrameMasses,
    TableId::AreaMasses,    TableId::SpectrumCases,  TableId::SpectrumLoads,  TableId::SpectrumFunctions,
    TableId::FrameAutoMesh, TableId::AreaAutoMesh,
    TableId::LoadCases, TableId::CaseLoads, TableId::CaseLoadApplication, TableId::CaseNonlinear,
    TableId::MaterialGeneral, TableId::AreaLocalAxes,
    TableId::JointPatterns,
};

const TableDescriptor& Describe(TableId id) { return kDescriptors[static_cast<std::size_t>(id)]; }

}  // namespace corvane
