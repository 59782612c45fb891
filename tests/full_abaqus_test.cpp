// The whole model in the Abaqus deck: each rule on a small model, the deck
// run in CalculiX where it is installed. The models are the ones the
// shared CalculiX checker compared with its own reference deck.
#include "FullTestSupport.h"
#include "structure/BeamLoads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

using namespace corvane;
using namespace corvane::test;

namespace {

const std::string kProgram = TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   Version=14.0.0   CurrUnits=\"KN, m, C\""});
const std::string kMaterials = TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES",
              {"Material=STEEL   UnitWeight=77   UnitMass=7.85   E1=200000000   U12=0.3   A1=0.000012",
               "Material=CONC   UnitWeight=24   UnitMass=2.45   E1=30000000   U12=0.2   A1=0.00001"});
const std::string kSection = TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=R1   Material=STEEL   Shape=Rectangular   t3=0.06   t2=0.04   Area=0.0024   TorsConst=7.51249e-07   I33=7.2e-07   I22=3.2e-07   AS2=0.002   AS3=0.002"});
const std::string kAreaSections = TableText("AREA SECTION PROPERTIES",
              {"Section=SLAB   Material=CONC   AreaType=Shell   Type=Shell-Thin   Thickness=0.05   BendThick=0.05",
               "Section=MEMB   Material=CONC   AreaType=Shell   Type=Membrane   Thickness=0.1   BendThick=0.1",
               "Section=PSTR   Material=STEEL   AreaType=Plane   Type=Plane-Stress   Thickness=0.02"});
// Three members: 1-2-3 along X, then 3-4 along Y.
const std::string kLine = TableText("JOINT COORDINATES",
              {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0",
               "Joint=2   GlobalX=3   GlobalY=0   GlobalZ=0",
               "Joint=3   GlobalX=6   GlobalY=0   GlobalZ=0",
               "Joint=4   GlobalX=6   GlobalY=2   GlobalZ=0"}) +
    TableText("CONNECTIVITY - FRAME",
              {"Frame=1   JointI=1   JointJ=2",
               "Frame=2   JointI=2   JointJ=3",
               "Frame=3   JointI=3   JointJ=4"}) +
    TableText("FRAME SECTION ASSIGNMENTS",
              {"Frame=1   AnalSect=R1   MatProp=Default",
               "Frame=2   AnalSect=R1   MatProp=Default",
               "Frame=3   AnalSect=R1   MatProp=Default"});
const std::string kFrames = kProgram +
    kMaterials +
    kSection +
    TableText("JOINT COORDINATES",
              {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0",
               "Joint=2   GlobalX=0   GlobalY=0   GlobalZ=3",
               "Joint=3   GlobalX=4   GlobalY=0   GlobalZ=3",
               "Joint=4   GlobalX=4   GlobalY=0   GlobalZ=0",
               "Joint=5   GlobalX=4   GlobalY=3   GlobalZ=3",
               "Joint=6   GlobalX=4   GlobalY=3   GlobalZ=0"}) +
    TableText("CONNECTIVITY - FRAME",
              {"Frame=1   JointI=1   JointJ=2",
               "Frame=2   JointI=2   JointJ=3",
               "Frame=3   JointI=4   JointJ=3",
               "Frame=4   JointI=3   JointJ=5",
               "Frame=5   JointI=6   JointJ=5"}) +
    TableText("FRAME SECTION ASSIGNMENTS",
              {"Frame=1   AnalSect=R1   MatProp=Default",
               "Frame=2   AnalSect=R1   MatProp=Default",
               "Frame=3   AnalSect=R1   MatProp=Default",
               "Frame=4   AnalSect=R1   MatProp=Default",
               "Frame=5   AnalSect=R1   MatProp=Default"}) +
    TableText("FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL",
              {"Frame=1   Angle=30",
               "Frame=4   Angle=90"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=4   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=6   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
    TableText("LOAD PATTERN DEFINITIONS",
              {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1",
               "LoadPat=LIVE   DesignType=Live   SelfWtMult=0",
               "LoadPat=\"WIND X\"   DesignType=Wind   SelfWtMult=0"}) +
    TableText("FRAME LOADS - DISTRIBUTED",
              {"Frame=2   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=Gravity   AbsDistA=0   AbsDistB=4   FOverLA=10   FOverLB=10",
               "Frame=4   LoadPat=LIVE   CoordSys=Local   Type=Force   Dir=2   AbsDistA=0.5   AbsDistB=2.5   FOverLA=4   FOverLB=8",
               "Frame=3   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=\"X Proj\"   AbsDistA=0   AbsDistB=3   FOverLA=2   FOverLB=2",
               "Frame=2   LoadPat=\"WIND X\"   CoordSys=Local   Type=Moment   Dir=1   AbsDistA=0   AbsDistB=4   MOverLA=1.5   MOverLB=1.5",
               "Frame=3   LoadPat=\"WIND X\"   CoordSys=GLOBAL   Type=Force   Dir=X   AbsDistA=0   AbsDistB=3   FOverLA=3   FOverLB=1"}) +
    TableText("FRAME LOADS - POINT",
              {"Frame=3   LoadPat=LIVE   CoordSys=Local   Type=Force   Dir=3   AbsDist=1   Force=7",
               "Frame=3   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=Y   AbsDist=2   Force=-5",
               "Frame=2   LoadPat=\"WIND X\"   CoordSys=Local   Type=Moment   Dir=3   AbsDist=1   Moment=4"}) +
    TableText("JOINT LOADS - FORCE",
              {"Joint=3   LoadPat=\"WIND X\"   CoordSys=GLOBAL   F1=15   F2=0   F3=0   M1=0   M2=0   M3=2",
               "Joint=2   LoadPat=\"WIND X\"   CoordSys=GLOBAL   F1=0   F2=6   F3=0   M1=1   M2=0   M3=0"}) +
    TableText("FRAME LOADS - GRAVITY", {"Frame=4   LoadPat=\"WIND X\"   CoordSys=GLOBAL   MultiplierX=0.5   MultiplierY=0   MultiplierZ=-1"}) +
    TableText("COMBINATION DEFINITIONS",
              {"ComboName=ULS   ComboType=\"Linear Add\"   CaseType=\"Linear Static\"   CaseName=DEAD   ScaleFactor=1.35",
               "ComboName=ULS   CaseType=\"Linear Static\"   CaseName=LIVE   ScaleFactor=1.5"});
const std::string kShells = kProgram +
    kMaterials +
    kAreaSections +
    TableText("JOINT COORDINATES",
              {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0",
               "Joint=2   GlobalX=2   GlobalY=0   GlobalZ=0",
               "Joint=3   GlobalX=4   GlobalY=0   GlobalZ=0",
               "Joint=4   GlobalX=0   GlobalY=2   GlobalZ=0",
               "Joint=5   GlobalX=2   GlobalY=2   GlobalZ=0",
               "Joint=6   GlobalX=4   GlobalY=2   GlobalZ=0",
               "Joint=7   GlobalX=0   GlobalY=4   GlobalZ=0",
               "Joint=8   GlobalX=2   GlobalY=4   GlobalZ=0",
               "Joint=9   GlobalX=4   GlobalY=4   GlobalZ=0",
               "Joint=10   GlobalX=0   GlobalY=0   GlobalZ=2",
               "Joint=11   GlobalX=4   GlobalY=0   GlobalZ=2",
               "Joint=12   GlobalX=0   GlobalY=-2   GlobalZ=0",
               "Joint=13   GlobalX=4   GlobalY=-2   GlobalZ=0"}) +
    TableText("CONNECTIVITY - AREA",
              {"Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=5   Joint4=4",
               "Area=2   NumJoints=4   Joint1=2   Joint2=3   Joint3=6   Joint4=5",
               "Area=3   NumJoints=3   Joint1=4   Joint2=5   Joint3=8",
               "Area=4   NumJoints=3   Joint1=4   Joint2=8   Joint3=7",
               "Area=5   NumJoints=4   Joint1=5   Joint2=6   Joint3=9   Joint4=8",
               "Area=6   NumJoints=4   Joint1=1   Joint2=3   Joint3=11   Joint4=10",
               "Area=7   NumJoints=4   Joint1=12   Joint2=13   Joint3=3   Joint4=1"}) +
    TableText("AREA SECTION ASSIGNMENTS",
              {"Area=1   Section=SLAB",
               "Area=2   Section=SLAB",
               "Area=3   Section=SLAB",
               "Area=4   Section=SLAB",
               "Area=5   Section=SLAB",
               "Area=6   Section=MEMB",
               "Area=7   Section=PSTR"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=7   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=8   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=9   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=12   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=13   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No"}) +
    TableText("LOAD PATTERN DEFINITIONS",
              {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1",
               "LoadPat=LIVE   DesignType=Live   SelfWtMult=0",
               "LoadPat=PRES   DesignType=Other   SelfWtMult=0"}) +
    TableText("AREA LOADS - UNIFORM",
              {"Area=1   LoadPat=LIVE   CoordSys=GLOBAL   Dir=Gravity   UnifLoad=3",
               "Area=2   LoadPat=LIVE   CoordSys=Local   Dir=3   UnifLoad=2",
               "Area=6   LoadPat=LIVE   CoordSys=GLOBAL   Dir=X   UnifLoad=5",
               "Area=3   LoadPat=LIVE   CoordSys=GLOBAL   Dir=Y   UnifLoad=4"}) +
    TableText("AREA LOADS - SURFACE PRESSURE",
              {"Area=5   LoadPat=PRES   Face=Top   Pressure=2",
               "Area=2   LoadPat=PRES   Face=Bottom   Pressure=1"}) +
    TableText("AREA LOADS - GRAVITY", {"Area=4   LoadPat=PRES   CoordSys=GLOBAL   MultiplierX=0   MultiplierY=0.5   MultiplierZ=-1"});
const std::string kSolids = kProgram +
    TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=SOFT   UnitWeight=20   UnitMass=2.04   E1=50000   U12=0.25   A1=0.00001"}) +
    TableText("JOINT COORDINATES",
              {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0",
               "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0",
               "Joint=3   GlobalX=2   GlobalY=0   GlobalZ=0",
               "Joint=4   GlobalX=0   GlobalY=1   GlobalZ=0",
               "Joint=5   GlobalX=1   GlobalY=1   GlobalZ=0",
               "Joint=6   GlobalX=2   GlobalY=1   GlobalZ=0",
               "Joint=7   GlobalX=0   GlobalY=0   GlobalZ=1",
               "Joint=8   GlobalX=1   GlobalY=0   GlobalZ=1",
               "Joint=9   GlobalX=2   GlobalY=0   GlobalZ=1",
               "Joint=10   GlobalX=0   GlobalY=1   GlobalZ=1",
               "Joint=11   GlobalX=1   GlobalY=1   GlobalZ=1",
               "Joint=12   GlobalX=2   GlobalY=1   GlobalZ=1"}) +
    TableText("CONNECTIVITY - SOLID",
              {"Solid=1   Joint1=1   Joint2=2   Joint3=4   Joint4=5   Joint5=7   Joint6=8   Joint7=10   Joint8=11",
               "Solid=2   Joint1=8   Joint2=9   Joint3=11   Joint4=12   Joint5=2   Joint6=3   Joint7=5   Joint8=6"}) +
    TableText("SOLID PROPERTY DEFINITIONS", {"SolidProp=SOIL   Material=SOFT   MatAngleA=0"}) +
    TableText("SOLID PROPERTY ASSIGNMENTS",
              {"Solid=1   SolidProp=SOIL",
               "Solid=2   SolidProp=SOIL"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=2   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=3   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=4   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=5   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=6   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No"}) +
    TableText("LOAD PATTERN DEFINITIONS",
              {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1",
               "LoadPat=PRES   DesignType=Other   SelfWtMult=0"}) +
    TableText("SOLID LOADS - SURFACE PRESSURE",
              {"Solid=1   LoadPat=PRES   Face=6   Pressure=10",
               "Solid=2   LoadPat=PRES   Face=6   Pressure=4",
               "Solid=1   LoadPat=PRES   Face=4   Pressure=3"}) +
    TableText("JOINT LOADS - FORCE", {"Joint=12   LoadPat=PRES   CoordSys=GLOBAL   F1=2   F2=1   F3=0   M1=0   M2=0   M3=0"});
const std::string kSupports = kProgram + kMaterials + kSection + kLine +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=No   R3=No",
               "Joint=3   U1=No   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=4   U1=No   U2=No   U3=Yes   R1=No   R2=No   R3=No"}) +
    TableText("JOINT LOCAL AXES ASSIGNMENTS 1 - TYPICAL", {"Joint=3   AngleA=30   AngleB=0   AngleC=0"}) +
    TableText("JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED",
              {"Joint=4   CoordSys=GLOBAL   U1=50.5   U2=80.5   U3=0   R1=0   R2=0   R3=0",
               "Joint=2   CoordSys=GLOBAL   U1=0   U2=0   U3=30.5   R1=0   R2=0   R3=0"}) +
    TableText("LOAD PATTERN DEFINITIONS",
              {"LoadPat=PUSH   DesignType=Other   SelfWtMult=0",
               "LoadPat=SETTLE   DesignType=Other   SelfWtMult=0"}) +
    TableText("JOINT LOADS - FORCE",
              {"Joint=2   LoadPat=PUSH   CoordSys=GLOBAL   F1=3   F2=2   F3=-1   M1=0   M2=0   M3=0",
               "Joint=3   LoadPat=PUSH   CoordSys=GLOBAL   F1=1   F2=1   F3=0   M1=0   M2=0   M3=0"}) +
    TableText("JOINT LOADS - GROUND DISPLACEMENT",
              {"Joint=1   LoadPat=SETTLE   CoordSys=GLOBAL   U1=0   U2=0   U3=-0.01   R1=0   R2=0   R3=0",
               "Joint=4   LoadPat=SETTLE   CoordSys=GLOBAL   U1=0.02   U2=0   U3=0   R1=0   R2=0   R3=0"});
const std::string kConstraints = kProgram +
    kMaterials +
    kSection +
    TableText("JOINT COORDINATES",
              {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0",
               "Joint=2   GlobalX=3   GlobalY=0   GlobalZ=0",
               "Joint=3   GlobalX=6   GlobalY=0   GlobalZ=0",
               "Joint=4   GlobalX=6   GlobalY=2   GlobalZ=0",
               "Joint=5   GlobalX=0   GlobalY=2   GlobalZ=0",
               "Joint=6   GlobalX=3   GlobalY=2   GlobalZ=0"}) +
    TableText("CONNECTIVITY - FRAME",
              {"Frame=1   JointI=1   JointJ=2",
               "Frame=2   JointI=2   JointJ=3",
               "Frame=3   JointI=3   JointJ=4",
               "Frame=4   JointI=5   JointJ=6"}) +
    TableText("FRAME SECTION ASSIGNMENTS",
              {"Frame=1   AnalSect=R1   MatProp=Default",
               "Frame=2   AnalSect=R1   MatProp=Default",
               "Frame=3   AnalSect=R1   MatProp=Default",
               "Frame=4   AnalSect=R1   MatProp=Default"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=5   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
    TableText("CONSTRAINT DEFINITIONS - BODY", {"Name=TIE   CoordSys=GLOBAL   UX=Yes   UY=Yes   UZ=Yes   RX=No   RY=No   RZ=No"}) +
    TableText("JOINT CONSTRAINT ASSIGNMENTS",
              {"Joint=6   Constraint=TIE   Type=Body",
               "Joint=4   Constraint=TIE   Type=Body"}) +
    TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=PUSH   DesignType=Other   SelfWtMult=0"}) +
    TableText("JOINT LOADS - FORCE", {"Joint=3   LoadPat=PUSH   CoordSys=GLOBAL   F1=1   F2=2   F3=-1   M1=0   M2=0   M3=0"});
const std::string kDiaphragm = kProgram +
    kMaterials +
    kSection +
    TableText("JOINT COORDINATES",
              {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0",
               "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0",
               "Joint=3   GlobalX=4   GlobalY=3   GlobalZ=0",
               "Joint=4   GlobalX=0   GlobalY=3   GlobalZ=0",
               "Joint=5   GlobalX=0   GlobalY=0   GlobalZ=3",
               "Joint=6   GlobalX=4   GlobalY=0   GlobalZ=3",
               "Joint=7   GlobalX=4   GlobalY=3   GlobalZ=3",
               "Joint=8   GlobalX=0   GlobalY=3   GlobalZ=3"}) +
    TableText("CONNECTIVITY - FRAME",
              {"Frame=1   JointI=1   JointJ=5",
               "Frame=2   JointI=2   JointJ=6",
               "Frame=3   JointI=3   JointJ=7",
               "Frame=4   JointI=4   JointJ=8",
               "Frame=5   JointI=5   JointJ=6",
               "Frame=6   JointI=6   JointJ=7"}) +
    TableText("FRAME SECTION ASSIGNMENTS",
              {"Frame=1   AnalSect=R1   MatProp=Default",
               "Frame=2   AnalSect=R1   MatProp=Default",
               "Frame=3   AnalSect=R1   MatProp=Default",
               "Frame=4   AnalSect=R1   MatProp=Default",
               "Frame=5   AnalSect=R1   MatProp=Default",
               "Frame=6   AnalSect=R1   MatProp=Default"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=2   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=3   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=4   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
    TableText("CONSTRAINT DEFINITIONS - DIAPHRAGM", {"Name=FLOOR   CoordSys=GLOBAL   Axis=Z   MultiLevel=No"}) +
    TableText("JOINT CONSTRAINT ASSIGNMENTS",
              {"Joint=5   Constraint=FLOOR   Type=Diaphragm",
               "Joint=6   Constraint=FLOOR   Type=Diaphragm",
               "Joint=7   Constraint=FLOOR   Type=Diaphragm",
               "Joint=8   Constraint=FLOOR   Type=Diaphragm"}) +
    TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=TWIST   DesignType=Other   SelfWtMult=0"}) +
    TableText("JOINT LOADS - FORCE", {"Joint=7   LoadPat=TWIST   CoordSys=GLOBAL   F1=2   F2=1   F3=0   M1=0   M2=0   M3=0"});
const std::string kTemperature = kProgram +
    kMaterials +
    kSection +
    kAreaSections +
    TableText("JOINT COORDINATES",
              {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0",
               "Joint=2   GlobalX=3   GlobalY=0   GlobalZ=0",
               "Joint=3   GlobalX=6   GlobalY=0   GlobalZ=0",
               "Joint=4   GlobalX=6   GlobalY=2   GlobalZ=0",
               "Joint=5   GlobalX=3   GlobalY=2   GlobalZ=0"}) +
    TableText("CONNECTIVITY - FRAME",
              {"Frame=1   JointI=1   JointJ=2",
               "Frame=2   JointI=2   JointJ=3",
               "Frame=3   JointI=3   JointJ=4"}) +
    TableText("FRAME SECTION ASSIGNMENTS",
              {"Frame=1   AnalSect=R1   MatProp=Default",
               "Frame=2   AnalSect=R1   MatProp=Default",
               "Frame=3   AnalSect=R1   MatProp=Default"}) +
    TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=4   Joint1=2   Joint2=3   Joint3=4   Joint4=5"}) +
    TableText("AREA SECTION ASSIGNMENTS", {"Area=1   Section=SLAB"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
               "Joint=5   U1=No   U2=No   U3=Yes   R1=No   R2=No   R3=No"}) +
    TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=HEAT   DesignType=Temperature   SelfWtMult=0"}) +
    TableText("FRAME LOADS - TEMPERATURE",
              {"Frame=1   LoadPat=HEAT   Type=Temperature   Temp=30",
               "Frame=3   LoadPat=HEAT   Type=Temperature   Temp=-20"}) +
    TableText("AREA LOADS - TEMPERATURE", {"Area=1   LoadPat=HEAT   Type=Temperature   Temp=25"});

bool HaveSolver() { return std::system("command -v ccx >/dev/null 2>&1") == 0; }

// The displacements CalculiX prints for each step, by node.
using Displacements = std::map<int, std::array<double, 3>>;

std::vector<Displacements> Solve(const std::string& deck) {
    TempDir dir;
    dir.Write("m.inp", deck);
    const int status = std::system(("cd '" + dir.Path("") + "' && OMP_NUM_THREADS=1 timeout 120 ccx -i m >ccx.log 2>&1").c_str());
    const std::string log = ReadFile(dir.Path("ccx.log"));
    EXPECT_EQ(status, 0) << log;
    EXPECT_NE(log.find("Job finished"), std::string::npos) << log;
    EXPECT_EQ(log.find("*ERROR"), std::string::npos) << log;
    std::vector<Displacements> steps;
    std::istringstream dat(ReadFile(dir.Path("m.dat")));
    std::string line;
    while (std::getline(dat, line)) {
        if (line.find("displacements") != std::string::npos) {
            steps.emplace_back();
            continue;
        }
        std::istringstream in(line);
        int node;
        std::array<double, 3> u{};
        if (!steps.empty() && in >> node >> u[0] >> u[1] >> u[2]) steps.back()[node] = u;
    }
    return steps;
}

}  // namespace

TEST(BeamLoads, EndLoadsKeepTheLoadsResultantAndTheClampedBeamsMoments) {
    BeamStiffness beam;
    beam.length = 4;
    beam.bending2 = beam.bending3 = 1000;
    // A uniform load: half to each end, qL^2/12 at the ends whatever the
    // shear stiffness.
    for (double shear : {0.0, 500.0}) {
        beam.shear2 = beam.shear3 = shear;
        const EndLoads f = EquivalentEndLoads(beam, false, false, {0, 3, -2}, {0, 3, -2}, 0, 4);
        EXPECT_NEAR(f[1], 6, 1e-12);
        EXPECT_NEAR(f[7], 6, 1e-12);
        EXPECT_NEAR(f[5], 3.0 * 16 / 12, 1e-12);
        EXPECT_NEAR(f[11], -3.0 * 16 / 12, 1e-12);
        // Along 3 the moment about 2 has the other sense.
        EXPECT_NEAR(f[4], 2.0 * 16 / 12, 1e-12);
        EXPECT_NEAR(f[2] + f[8], -8, 1e-12);
    }
    // A point load at a without shear deformation: P a b^2 / L^2.
    beam.shear2 = beam.shear3 = 0;
    EndLoads f = EquivalentEndLoads(beam, false, true, {0, 10, 0}, {0, 10, 0}, 1, 1);
    EXPECT_NEAR(f[5], 10 * 1 * 9 / 16.0, 1e-12);
    EXPECT_NEAR(f[11], -10 * 1 * 3 * 3 / 16.0 / 3, 1e-12);
    // A moment about 3: the end loads are in equilibrium with it.
    beam.shear2 = 700;
    f = EquivalentEndLoads(beam, true, true, {0, 0, 4}, {0, 0, 4}, 1, 1);
    EXPECT_NEAR(f[1] + f[7], 0, 1e-12);
    EXPECT_NEAR(f[5] + f[11] + 4 * f[7], 4, 1e-12);
    // A trapezoid partly beyond the end keeps only the part on the beam.
    f = EquivalentEndLoads(beam, false, false, {2, 0, 0}, {6, 0, 0}, 2, 6);
    EXPECT_NEAR(f[0] + f[6], (2 + 4) / 2.0 * 2, 1e-12);
}

TEST(FullAbaqusDeck, FramesAreBeamsWithTheirOrientationSectionAndLoads) {
    const FullRun r = RunFullAbaqus(kFrames);
    EXPECT_TRUE(Has(r.lines, "*ELEMENT, TYPE=B31, ELSET=B-R1-1"));
    // Member 1 is turned by 30 degrees: its local 2 is the beam's n1.
    EXPECT_TRUE(Has(r.lines, "0.8660254037844, 0.5, 0."));
    EXPECT_TRUE(Has(r.lines, "*BEAM SECTION, ELSET=B-R1-1, MATERIAL=STEEL, SECTION=RECT"));
    EXPECT_TRUE(Has(r.lines, "0.06, 0.04"));
    // The mass density is the weight per volume over g in metres.
    EXPECT_TRUE(Has(r.lines, "*DENSITY"));
    EXPECT_TRUE(Has(r.lines, "7.85181483993"));
    EXPECT_TRUE(Has(r.lines, "*STEP, NAME=WIND_X"));
    EXPECT_TRUE(Has(r.lines, "EBODY, GRAV, 9.80665, 0., 0., -1."));
    EXPECT_TRUE(Has(r.lines, "** ULS (linear add): 1.35 x DEAD; 1.5 x LIVE"));
    if (!HaveSolver()) GTEST_SKIP() << "calculix-ccx is not installed";
    EXPECT_EQ(Solve(r.text).size(), 3u);
}

TEST(FullAbaqusDeck, ShellsMembranesAndPlaneStressAreasWithPressures) {
    const FullRun r = RunFullAbaqus(kShells);
    EXPECT_TRUE(Has(r.lines, "*ELEMENT, TYPE=S4, ELSET=S-SLAB-1"));
    EXPECT_TRUE(Has(r.lines, "*ELEMENT, TYPE=S3, ELSET=S-SLAB-1"));
    EXPECT_TRUE(Has(r.lines, "*ELEMENT, TYPE=M3D4, ELSET=S-MEMB-2"));
    EXPECT_TRUE(Has(r.lines, "*MEMBRANE SECTION, ELSET=S-PSTR-3, MATERIAL=STEEL"));
    // A load along local 3 and the pressures push along the normal; on
    // the top face against it.
    EXPECT_TRUE(Has(r.lines, "100002, P, 2."));
    EXPECT_TRUE(Has(r.lines, "100005, P, -2."));
    EXPECT_TRUE(Has(r.lines, "100002, P, 1."));
    if (!HaveSolver()) GTEST_SKIP() << "calculix-ccx is not installed";
    EXPECT_EQ(Solve(r.text).size(), 3u);
}

TEST(FullAbaqusDeck, SolidFacesAreTheBricksFacesOfTheSameCorners) {
    const FullRun r = RunFullAbaqus(kSolids);
    // Solid 2 is given top face first: it is written bottom face first.
    EXPECT_TRUE(Has(r.lines, "2, 2, 3, 6, 5, 8, 9, 12, 11"));
    EXPECT_TRUE(Has(r.lines, "1, P2, 10."));   // solid 1's face 6, its top
    EXPECT_TRUE(Has(r.lines, "2, P1, 4."));    // solid 2's face 6, now its bottom
    EXPECT_TRUE(Has(r.lines, "1, P6, 3."));    // face 4, j1 j3 j5 j7
    if (!HaveSolver()) GTEST_SKIP() << "calculix-ccx is not installed";
    const auto steps = Solve(r.text);
    ASSERT_EQ(steps.size(), 2u);
    // The pressure on top pushes the first brick down.
    EXPECT_LT(steps[1].at(7)[2], 0);
}

TEST(FullAbaqusDeck, SupportsInJointAxesSpringsAndGroundDisplacements) {
    const FullRun r = RunFullAbaqus(kSupports);
    EXPECT_TRUE(Has(r.lines, "*TRANSFORM, NSET=T3, TYPE=R"));
    EXPECT_TRUE(Has(r.lines, "0.8660254037844, 0.5, 0., -0.5, 0.8660254037844, 0."));
    EXPECT_TRUE(Has(r.lines, "1, 4, 4"));       // R1 held, R2 free
    EXPECT_FALSE(Has(r.lines, "1, 5, 5"));
    EXPECT_TRUE(Has(r.lines, "3, 2, 2"));       // in joint 3's own axes
    EXPECT_TRUE(Has(r.lines, "*ELEMENT, TYPE=SPRING1, ELSET=K4"));
    // The settlement of joint 1 is imposed in its step and undone in the
    // other; at the spring of joint 4 it pulls with k d.
    EXPECT_TRUE(Has(r.lines, "1, 3, 3, -0.01"));
    EXPECT_TRUE(Has(r.lines, "1, 3, 3, 0."));
    EXPECT_TRUE(Has(r.lines, "4, 1, 1.01"));
    if (!HaveSolver()) GTEST_SKIP() << "calculix-ccx is not installed";
    const auto steps = Solve(r.text);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NEAR(steps[1].at(1)[2], -0.01, 1e-12);
    EXPECT_NEAR(steps[0].at(1)[2], 0, 1e-12);
    // Springs of a joint with axes of its own reach grounded nodes along
    // those axes.
    std::string turned = kSupports;
    const std::string axes = "Joint=3   AngleA=30   AngleB=0   AngleC=0";
    turned.replace(turned.find(axes), axes.size(), axes + "\r\n   Joint=4   AngleA=90   AngleB=0   AngleC=0");
    turned.replace(turned.find("Joint=4   CoordSys=GLOBAL"), 25, "Joint=4   CoordSys=Local");
    const FullRun t = RunFullAbaqus(turned);
    EXPECT_TRUE(Has(t.lines, "*ELEMENT, TYPE=SPRINGA, ELSET=K5"));
    EXPECT_TRUE(Has(t.lines, "5, 6., 3., 0."));
    EXPECT_TRUE(Has(t.lines, "5, 1, 3"));
    EXPECT_EQ(Solve(t.text).size(), 2u);
}

TEST(FullAbaqusDeck, ConstraintsTieTranslationsByEquations) {
    const FullRun body = RunFullAbaqus(kConstraints);
    EXPECT_TRUE(Has(body.lines, "*EQUATION"));
    EXPECT_TRUE(Has(body.lines, "4, 1, 1., 6, 1, -1."));
    const FullRun plate = RunFullAbaqus(kDiaphragm);
    EXPECT_TRUE(HasEntry(plate.report, "not-in-deck", "the diaphragm at joint 5"));
    // A body constraint with rotations has no equation CalculiX applies.
    std::string rigid = kConstraints;
    rigid.replace(rigid.find("RX=No   RY=No   RZ=No"), 21, "RX=Yes   RY=Yes   RZ=Yes");
    EXPECT_TRUE(HasEntry(RunFullAbaqus(rigid).report, "constraint-not-converted", "6"));
    if (!HaveSolver()) GTEST_SKIP() << "calculix-ccx is not installed";
    const auto tied = Solve(body.text);
    ASSERT_EQ(tied.size(), 1u);
    for (int d = 0; d < 3; ++d) EXPECT_NEAR(tied[0].at(4)[d], tied[0].at(6)[d], 1e-12);
    EXPECT_GT(std::fabs(tied[0].at(6)[1]), 1e-6);
    // The floor turns and moves as one rigid plate: u = u5 + theta x r.
    const auto moved = Solve(plate.text);
    ASSERT_EQ(moved.size(), 1u);
    const auto& u = moved[0];
    const double theta = (u.at(6)[1] - u.at(5)[1]) / 4;
    EXPECT_GT(std::fabs(theta), 1e-6);
    const double at[4][2] = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(u.at(5 + j)[0], u.at(5)[0] - theta * at[j][1], 1e-7) << "joint " << 5 + j;
        EXPECT_NEAR(u.at(5 + j)[1], u.at(5)[1] + theta * at[j][0], 1e-7) << "joint " << 5 + j;
    }
}

TEST(FullAbaqusDeck, TemperaturesAreTheForcesTheirRestrainedStrainGives) {
    const FullRun r = RunFullAbaqus(kTemperature);
    // The slab: E t alpha dT / (1 - nu) = 468.75 per length normal to each
    // edge, half of each edge to each corner; member 1 adds E A alpha dT =
    // 172.8 at joint 2.
    EXPECT_TRUE(Has(r.lines, "3, 1, 468.75"));
    EXPECT_TRUE(Has(r.lines, "2, 1, -295.95"));
    if (!HaveSolver()) GTEST_SKIP() << "calculix-ccx is not installed";
    const auto steps = Solve(r.text);
    ASSERT_EQ(steps.size(), 1u);
    // The heated slab pushes joint 3 outward.
    EXPECT_GT(steps[0].at(3)[0], 0);
}

TEST(FullAbaqusDeck, WhatCalculixCannotCarryIsReported) {
    const std::string extra =
        TableText("FRAME RELEASE ASSIGNMENTS 1 - GENERAL",
                  {"Frame=2   PI=No   V2I=No   V3I=No   TI=No   M2I=No   M3I=Yes   PJ=No   V2J=No   V3J=No   TJ=No   M2J=No   M3J=No   PartialFix=No"}) +
        TableText("FRAME OFFSET ALONG LENGTH ASSIGNMENTS", {"Frame=3   LengthI=0.2   LengthJ=0   RigidFact=1"}) +
        TableText("JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED", {"Joint=2   CoordSys=GLOBAL   U1=0   U2=0   U3=0   R1=40   R2=0   R3=0"});
    const FullRun r = RunFullAbaqus(kFrames + extra);
    EXPECT_TRUE(HasEntry(r.report, "not-in-deck", "member 2", "", "The release at joint I"));
    EXPECT_TRUE(HasEntry(r.report, "not-in-deck", "joint 2", "", "The rotational spring"));
    // Plane strain has no element in a space model; a general section is
    // a rectangle of its area and moments of inertia.
    std::string shells = kShells;
    shells.replace(shells.find("Type=Plane-Stress"), 17, "Type=Plane-Strain");
    const FullRun plane = RunFullAbaqus(shells);
    EXPECT_TRUE(HasEntry(plane.report, "not-in-deck", "area section PSTR"));
    EXPECT_FALSE(Has(plane.lines, "*MEMBRANE SECTION, ELSET=S-PSTR-3, MATERIAL=STEEL"));
    std::string general = kFrames;
    general.replace(general.find("Shape=Rectangular"), 17, "Shape=\"I/Wide Flange\"");
    general.replace(general.find("TorsConst=7.51249e-07"), 21, "TorsConst=1e-09");
    const FullRun g = RunFullAbaqus(general);
    EXPECT_TRUE(HasEntry(g.report, "not-in-deck", "frame section R1", "", "The torsion constant"));
    // sqrt(12 I33 / A) along n1 and sqrt(12 I22 / A) along n2: the
    // rectangle itself.
    EXPECT_NE(g.text.find("\n0.06, 0.04"), std::string::npos);
}

TEST(FullAbaqusDeck, AModelOfFramesAloneHasADeckOnlyWhenFull) {
    TempDir dir;
    const std::string input = dir.Write("frames.s2k", kProgram + kMaterials + kSection + kLine);
    const CliRun full = RunCli({"abaqus", "--full", "-q", input, "-o", dir.Path("full.inp")});
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_NE(ReadFile(dir.Path("full.inp")).find("*ELEMENT, TYPE=B31"), std::string::npos);
    // The classic deck is the shell part alone.
    const CliRun classic = RunCli({"abaqus", "-q", input, "-o", dir.Path("classic.inp")});
    EXPECT_EQ(classic.status, 1);
}
