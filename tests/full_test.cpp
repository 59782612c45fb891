// The full conversion: a small model per rule, read from text in memory,
// and what its STAAD.Pro file and its report say.
#include "FullTestSupport.h"

#include "abaqus/AbaqusDeck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace corvane;
using namespace corvane::test;

namespace {

// Two joints on a horizontal beam and a column on each side, one going up
// and one coming down, and a vertical member the other way.
const std::string kFrame =
    TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0",
                                    "Joint=3   GlobalX=0   GlobalY=0   GlobalZ=3", "Joint=4   GlobalX=4   GlobalY=0   GlobalZ=3"}) +
    TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=3   JointJ=4", "Frame=2   JointI=1   JointJ=3", "Frame=3   JointI=4   JointJ=2",
                                       "Frame=4   JointI=2   JointJ=4"}) +
    TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES",
              {"Material=STEEL   UnitWeight=78.5   E1=200000000   U12=0.3   A1=1.2E-05"}) +
    TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
              {"SectionName=R1   Material=STEEL   Shape=Rectangular   t3=0.5   t2=0.3   Area=0.15   TorsConst=0.0028   I33=0.003125   I22=0.001125   AS2=0.125   AS3=0.125 _",
               "     AMod=1   A2Mod=1   A3Mod=1   JMod=1   I2Mod=1   I3Mod=1   MMod=1   WMod=1"}) +
    TableText("FRAME SECTION ASSIGNMENTS", {"Frame=1   AnalSect=R1", "Frame=2   AnalSect=R1", "Frame=3   AnalSect=R1", "Frame=4   AnalSect=R1"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
                                              "Joint=2   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No"});
const std::string kDead = TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1"});

}  // namespace

TEST(FullOrientation, BetaFromTheAngleAndTheDirectionOfVerticalMembers) {
    const FullRun r = RunFull(kFrame + kDead + TableText("FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL",
                                                 {"Frame=1   Angle=30", "Frame=3   Angle=90", "Frame=4   Angle=90"}));
    // A beam keeps its angle; an upward column (I below J) turns by 180, a
    // downward one does not; angles come to (-180, 180].
    EXPECT_TRUE(Has(r.lines, "BETA 30 MEMB 1"));
    EXPECT_TRUE(Has(r.lines, "BETA 180 MEMB 2"));
    EXPECT_TRUE(Has(r.lines, "BETA 90 MEMB 3"));
    EXPECT_TRUE(Has(r.lines, "BETA -90 MEMB 4"));
    // Without the full conversion there is no BETA at all.
    EXPECT_EQ(Classic(kFrame + kDead).find("BETA"), std::string::npos);
}

TEST(FullReleases, EveryDirectionAndPartialFixityPerDegree) {
    const FullRun r = RunFull(
        kFrame + kDead +
        TableText("FRAME RELEASE ASSIGNMENTS 1 - GENERAL",
                  {"Frame=1   PI=Yes   V2I=No   V3I=No   TI=Yes   M2I=No   M3I=Yes   PJ=No   V2J=Yes   V3J=No   TJ=No   M2J=No   M3J=No   PartialFix=Yes",
                   "Frame=3   PI=Yes   V2I=No   V3I=No   TI=Yes   M2I=No   M3I=Yes   PJ=No   V2J=No   V3J=No   TJ=No   M2J=No   M3J=No"}) +
        TableText("FRAME RELEASE ASSIGNMENTS 2 - PARTIAL FIXITY", {"Frame=1   M3I=1000   V2J=50"}));
    // A released direction with a spring takes the spring; rotational
    // springs are per degree.
    EXPECT_TRUE(Has(r.lines, "1 START FX MX KMZ " + NumberText(1000 * M_PI / 180)));
    EXPECT_TRUE(Has(r.lines, "3 START FX MX MZ"));
    EXPECT_TRUE(Has(r.lines, "1 END KFY 50"));
}

TEST(FullProperties, ModifiersGiveOwnPropertiesAndSelfWeightFollowsSap2000) {
    const std::string sections =
        TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
                  {"SectionName=R1   Material=STEEL   Shape=Rectangular   t3=0.5   t2=0.3   Area=0.15   TorsConst=0.0028   I33=0.003125   I22=0.001125   AS2=0.125   AS3=0.125 _",
                   "     AMod=1   A2Mod=1   A3Mod=1   JMod=1   I2Mod=1   I3Mod=1   MMod=2   WMod=1"});
    std::string model = kFrame;
    const auto at = model.find("TABLE:  \"FRAME SECTION PROPERTIES 01");
    const auto end = model.find("TABLE:", at + 1);
    model.replace(at, end - at, sections);
    // Member 2's modifiers by one spelling of the fields, member 3's by the
    // other.
    const FullRun r = RunFull(model + kDead +
                              TableText("FRAME PROPERTY MODIFIERS", {"Frame=2   AMod=10   I33Mod=0.5   WeightMod=1", "Frame=3   I2Mod=2"}));
    // Rectangles keep their dimensions and get SAP2000's torsion constant
    // and shear areas.
    EXPECT_TRUE(Has(r.lines, "1 4  PRIS YD 0.5 ZD 0.3 IX 0.0028 AY 0.125 AZ 0.125"));
    EXPECT_TRUE(Has(r.lines, "3 PRIS AX 0.15 IX 0.0028 IY 0.00225 IZ 0.003125 AY 0.125 AZ 0.125"));
    EXPECT_TRUE(Has(r.lines, "2 PRIS AX 1.5 IX 0.0028 IY 0.001125 IZ 0.0015625 AY 0.125 AZ 0.125"));
    // STAAD.Pro weighs AX: the member with ten times the area gets the
    // difference back.
    EXPECT_TRUE(Has(r.lines, " SELFWEIGHT Y 0.9 LIST 2"));
    EXPECT_TRUE(HasEntry(r.report, "mass-modifier", "R1"));
}

// SAP2000 weighs a frame by its section's and its own weight modifiers over
// its area modifiers, and an area by its section's and its own weight
// modifiers; the difference to STAAD.Pro's weight follows the pattern's
// multiplier.
TEST(FullProperties, WeightModifiersGiveSelfWeightCorrections) {
    std::string model = kFrame;
    const auto wmod = model.find("WMod=1");
    model.replace(wmod, 6, "WMod=0.5");
    model += TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=2"}) +
             TableText("FRAME PROPERTY MODIFIERS", {"Frame=2   WeightMod=4", "Frame=3   AMod=2   WeightMod=3"}) +
             TableText("CONNECTIVITY - AREA", {"Area=7   NumJoints=4   Joint1=1   Joint2=2   Joint3=4   Joint4=3",
                                               "Area=8   NumJoints=4   Joint1=1   Joint2=2   Joint3=4   Joint4=3"}) +
             TableText("AREA SECTION PROPERTIES",
                       {"Section=WALL   Material=STEEL   AreaType=Shell   Type=Shell-Thin   Thickness=0.2   WMod=3"}) +
             TableText("AREA SECTION ASSIGNMENTS", {"Area=7   Section=WALL", "Area=8   Section=WALL"}) +
             TableText("AREA STIFFNESS MODIFIERS", {"Area=8   f11=1   WMod=0.5"});
    TempDir dir;
    const CliRun r = RunCli({"convert", dir.Write("m.s2k", model), "-o", dir.Path("m.std"), "--full"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = StaadLines(ReadFile(dir.Path("m.std")));
    EXPECT_TRUE(Has(lines, " SELFWEIGHT Y -2"));
    // Members 1 and 4 weigh half (section), 2 twice (0.5 * 4), 3 three
    // quarters (0.5 * 3 over an area twice as large): 2 * (1 - scale).
    EXPECT_TRUE(Has(lines, " SELFWEIGHT Y 1 LIST 1 4"));
    EXPECT_TRUE(Has(lines, " SELFWEIGHT Y -2 LIST 2"));
    EXPECT_TRUE(Has(lines, " SELFWEIGHT Y 0.5 LIST 3"));
    // Element 7 weighs three times, element 8 one and a half times.
    EXPECT_TRUE(Has(lines, " SELFWEIGHT Y -4 LIST 100007"));
    EXPECT_TRUE(Has(lines, " SELFWEIGHT Y -1 LIST 100008"));
    // Without the full conversion the weight is STAAD.Pro's alone.
    EXPECT_EQ(Classic(model).find("LIST"), std::string::npos);
}

TEST(FullOffsets, UserOffsetsAreRigidAlongTheMemberOthersReported) {
    const FullRun r = RunFull(kFrame + kDead +
                              TableText("FRAME OFFSET ALONG LENGTH ASSIGNMENTS",
                                        {"Frame=1   Type=User   LengthI=0.2   LengthJ=0.4   RigidFactor=0.5",
                                         "Frame=2   Type=Automatic   RigidFactor=0.5", "Frame=3   Type=User   LengthI=0.2   LengthJ=0   RigidFactor=0"}) +
                              TableText("FRAME INSERTION POINT ASSIGNMENTS",
                                        {"Frame=1   CardinalPt=\"10 (centroid)\"", "Frame=4   CardinalPt=\"8 (top center)\""}));
    EXPECT_TRUE(Has(r.lines, "MEMBER OFFSET"));
    EXPECT_TRUE(Has(r.lines, "1 START LOCAL 0.1 0 0"));
    EXPECT_TRUE(Has(r.lines, "1 END LOCAL -0.2 0 0"));
    EXPECT_EQ(std::count_if(r.lines.begin(), r.lines.end(), [](const std::string& l) { return l.rfind("3 START", 0) == 0; }), 0);
    EXPECT_TRUE(HasEntry(r.report, "offset-not-converted", "2"));
    EXPECT_TRUE(HasEntry(r.report, "insertion-point", "4"));
    EXPECT_FALSE(HasEntry(r.report, "insertion-point", "1"));
}

TEST(FullStructure, ActiveDegreesOfFreedomChooseTheStructureType) {
    const auto first = [](const std::string& dofs) {
        return RunFull(kFrame + kDead + TableText("ACTIVE DEGREES OF FREEDOM", {dofs}));
    };
    EXPECT_EQ(first("UX=Yes   UY=No   UZ=Yes   RX=No   RY=Yes   RZ=No").lines.at(0), "STAAD PLANE");
    EXPECT_EQ(first("UX=No   UY=No   UZ=Yes   RX=Yes   RY=Yes   RZ=No").lines.at(0), "STAAD FLOOR");
    // kFrame's members bend: only members released at both ends make a truss.
    EXPECT_EQ(first("UX=Yes   UY=Yes   UZ=Yes   RX=No   RY=No   RZ=No").lines.at(0), "STAAD SPACE");
    EXPECT_EQ(first("UX=Yes   UY=Yes   UZ=Yes   RX=Yes   RY=Yes   RZ=Yes").lines.at(0), "STAAD SPACE");
    // Any other set: every joint is held in the inactive directions.
    const FullRun other = first("UX=Yes   UY=Yes   UZ=Yes   RX=No   RY=No   RZ=Yes");
    EXPECT_EQ(other.lines.at(0), "STAAD SPACE");
    EXPECT_TRUE(Has(other.lines, "1 FIXED"));
    EXPECT_TRUE(Has(other.lines, "2 FIXED BUT MY"));
    EXPECT_TRUE(Has(other.lines, "3 TO 4 FIXED BUT FX FY FZ MY"));
    EXPECT_TRUE(HasEntry(other.report, "inactive-dofs-restrained", ""));
}

TEST(FullLoads, LoadTypesMomentsTemperatureGravityAndGroundDisplacement) {
    const std::string model =
        kFrame +
        TableText("LOAD PATTERN DEFINITIONS",
                  {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1", "LoadPat=SDL   DesignType=\"Super Dead\"   SelfWtMult=0",
                   "LoadPat=LL   DesignType=\"Reduce Live\"   SelfWtMult=0", "LoadPat=EQ   DesignType=Quake   SelfWtMult=0",
                   "LoadPat=T   DesignType=Temperature   SelfWtMult=0", "LoadPat=P   DesignType=Prestress   SelfWtMult=0"}) +
        TableText("FRAME LOADS - DISTRIBUTED",
                  {"Frame=1   LoadPat=SDL   CoordSys=GLOBAL   Type=Moment   Dir=Gravity   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=4   MOverLA=2   MOverLB=2"}) +
        TableText("FRAME LOADS - POINT", {"Frame=1   LoadPat=SDL   CoordSys=Local   Type=Moment   Dir=3   RelDist=0.5   AbsDist=2   Moment=7"}) +
        TableText("FRAME LOADS - TEMPERATURE",
                  {"Frame=1   LoadPat=T   Type=Temperature   Temp=25", "Frame=2   LoadPat=T   Type=Temperature   Temp=25",
                   "Frame=3   LoadPat=T   Type=\"Temperature Gradient 2\"   Temp=5", "Frame=4   LoadPat=T   Type=\"Temperature Gradient\"   Temp=5"}) +
        TableText("FRAME LOADS - GRAVITY", {"Frame=1   LoadPat=EQ   CoordSys=GLOBAL   MultiplierX=0.2   MultiplierY=0.1   MultiplierZ=0",
                                            "Frame=2   LoadPat=EQ   CoordSys=GLOBAL   MultX=0.5"}) +
        TableText("JOINT LOADS - GROUND DISPLACEMENT",
                  {"Joint=1   LoadPat=P   CoordSys=GLOBAL   U1=0   U2=0.01   U3=-0.02   R1=0.001   R2=0   R3=0",
                   "Joint=2   LoadPat=P   CoordSys=GLOBAL   U1=0   U2=0   U3=0   R1=0.5   R2=0   R3=0"});
    const FullRun r = RunFull(model);
    for (const char* line : {"LOAD 1 LOADTYPE Dead TITLE DEAD", "LOAD 2 LOADTYPE Dead TITLE SDL", "LOAD 3 LOADTYPE Live REDUCIBLE TITLE LL",
                             "LOAD 4 LOADTYPE Seismic-H TITLE EQ", "LOAD 5 LOADTYPE Temperature TITLE T", "LOAD 6 LOADTYPE None TITLE P"})
        EXPECT_TRUE(Has(r.lines, line)) << line;
    EXPECT_TRUE(Has(r.lines, "1   UMOM GY -2    "));
    EXPECT_TRUE(Has(r.lines, "1 CMOM Z 7 2"));
    EXPECT_TRUE(Has(r.lines, "ALPHA 1.2E-05"));
    EXPECT_TRUE(Has(r.lines, "TEMPERATURE LOAD"));
    EXPECT_TRUE(Has(r.lines, "1 TO 2 TEMP 25"));
    // A gradient along local 2 over the depth t3 (0.5); an area's type on a
    // frame is left out.
    EXPECT_TRUE(Has(r.lines, "3 TEMP 0 2.5"));
    EXPECT_TRUE(HasEntry(r.report, "temperature-not-uniform", "4"));
    // Gravity X stays X, Y is STAAD.Pro's -Z.
    EXPECT_TRUE(Has(r.lines, " SELFWEIGHT X 0.2 LIST 1"));
    EXPECT_TRUE(Has(r.lines, " SELFWEIGHT Z -0.1 LIST 1"));
    // Exports that name the multipliers MultX, MultY, MultZ are read alike.
    EXPECT_TRUE(Has(r.lines, " SELFWEIGHT X 0.5 LIST 2"));
    // Joint 1 is fixed: U2 is -FZ, U3 is FY, rotations in degrees. Joint 2
    // is free to turn: its rotation is reported, not written.
    EXPECT_TRUE(Has(r.lines, "SUPPORT DISPLACEMENT"));
    EXPECT_TRUE(Has(r.lines, "1 FZ -0.01"));
    EXPECT_TRUE(Has(r.lines, "1 FY -0.02"));
    EXPECT_TRUE(Has(r.lines, "1 MX " + NumberText(0.001 * 180 / M_PI)));
    EXPECT_TRUE(HasEntry(r.report, "ground-displacement-unsupported", "2"));

    // The classic conversion writes the moments as forces of 0 and says so.
    const ClassicRun classic = RunClassic(model);
    EXPECT_TRUE(HasEntry(classic.report, "moment-load-as-force", "1"));
    EXPECT_EQ(classic.text.find("UMOM"), std::string::npos);
}

TEST(FullCombinations, NestedMultipliedOutSrssAbsAndTheRestReported) {
    const FullRun r = RunFull(
        kFrame +
        TableText("LOAD PATTERN DEFINITIONS",
                  {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1", "LoadPat=LIVE   DesignType=Live   SelfWtMult=0"}) +
        TableText("COMBINATION DEFINITIONS",
                  {"ComboName=C1   ComboType=\"Linear Add\"   CaseType=\"Linear Static\"   CaseName=DEAD   ScaleFactor=1.2",
                   "ComboName=C1   CaseType=\"Linear Static\"   CaseName=LIVE   ScaleFactor=1.6",
                   "ComboName=C2   ComboType=\"Linear Add\"   CaseType=\"Response Combo\"   CaseName=C1   ScaleFactor=0.5",
                   "ComboName=C2   CaseType=\"Linear Static\"   CaseName=DEAD   ScaleFactor=1",
                   "ComboName=C3   ComboType=SRSS   CaseType=\"Linear Static\"   CaseName=DEAD   ScaleFactor=1",
                   "ComboName=C3   CaseType=\"Linear Static\"   CaseName=LIVE   ScaleFactor=1",
                   "ComboName=C4   ComboType=\"Abs Add\"   CaseType=\"Linear Static\"   CaseName=LIVE   ScaleFactor=2",
                   "ComboName=C5   ComboType=Envelope   CaseType=\"Response Combo\"   CaseName=C1   ScaleFactor=1",
                   "ComboName=C6   ComboType=\"Linear Add\"   CaseType=\"Linear Static\"   CaseName=DEAD   ScaleFactor=1",
                   "ComboName=C6   CaseType=\"Linear Modal\"   CaseName=MODAL   ScaleFactor=1"}));
    EXPECT_TRUE(Has(r.lines, "LOAD COMB 3 C1"));
    EXPECT_TRUE(Has(r.lines, "1 1.2 2 1.6 "));
    EXPECT_TRUE(Has(r.lines, "LOAD COMB 4 C2"));
    EXPECT_TRUE(Has(r.lines, "1 1.6 2 0.8 "));
    EXPECT_TRUE(Has(r.lines, "LOAD COMBINATION SRSS 5 C3"));
    EXPECT_TRUE(Has(r.lines, "LOAD COMBINATION ABS 6 C4"));
    // An envelope lists its loads; a combination that names a case the
    // model does not define is left out.
    EXPECT_TRUE(Has(r.lines, "3 ENVELOPE 1"));
    EXPECT_FALSE(Has(r.lines, "LOAD COMB 7 C6"));
    EXPECT_TRUE(HasEntry(r.report, "combination-term-not-converted", "C6", "", "MODAL"));
}

TEST(FullCombinations, AFactorAddedToTwiceIsWrittenAsTheSumAndLoopsAreLeftOut) {
    const FullRun r = RunFull(
        kFrame + kDead +
        TableText("COMBINATION DEFINITIONS",
                  {"ComboName=C0   ComboType=\"Linear Add\"   CaseName=DEAD   ScaleFactor=1",
                   // The pattern first with its own factor, then through C0.
                   "ComboName=C1   ComboType=\"Linear Add\"   CaseName=DEAD   ScaleFactor=1.2",
                   "ComboName=C1   CaseType=\"Response Combo\"   CaseName=C0   ScaleFactor=1",
                   // A loop of three, and one that takes a member of the loop.
                   "ComboName=LA   ComboType=\"Linear Add\"   CaseType=\"Response Combo\"   CaseName=LB   ScaleFactor=1",
                   "ComboName=LB   ComboType=\"Linear Add\"   CaseType=\"Response Combo\"   CaseName=LC   ScaleFactor=1",
                   "ComboName=LC   ComboType=\"Linear Add\"   CaseType=\"Response Combo\"   CaseName=LA   ScaleFactor=1",
                   "ComboName=LC   CaseName=DEAD   ScaleFactor=1",
                   "ComboName=OUT   ComboType=\"Linear Add\"   CaseName=DEAD   ScaleFactor=2",
                   "ComboName=OUT   CaseType=\"Response Combo\"   CaseName=LB   ScaleFactor=1"}));
    EXPECT_TRUE(Has(r.lines, "LOAD COMB 3 C1"));
    EXPECT_TRUE(Has(r.lines, "1 2.2 "));
    EXPECT_FALSE(Has(r.lines, "1 1.2 "));
    for (const char* name : {"LA", "LB", "LC"}) EXPECT_EQ(r.text.find(std::string(" ") + name + "\r\n"), std::string::npos) << name;
    int cycles = 0;
    for (const ReportEntry& e : r.report.entries)
        if (KindId(e.kind) == "combination-cycle") {
            ++cycles;
            EXPECT_EQ(e.a, "LA, LB, LC");
        }
    EXPECT_EQ(cycles, 1);
    // A combination that takes a member of the loop misses a term: left out.
    EXPECT_TRUE(HasEntry(r.report, "combination-term-not-converted", "OUT"));
    EXPECT_EQ(r.text.find(" OUT\r\n"), std::string::npos);
}

TEST(FullGeometry, ACoordinateThatIsNoNumberLeavesItsJointOut) {
    // An exponent needs a digit: "3E" and "2.5e+" are no numbers.
    for (const char* bad : {"3E", "2.5e+", "1.2.3", "nan"}) {
        SCOPED_TRACE(bad);
        std::string model = kFrame + kDead;
        const std::string joint = "Joint=4   GlobalX=4   GlobalY=0   GlobalZ=3";
        model.replace(model.find(joint), joint.size(), std::string("Joint=4   GlobalX=") + bad + "   GlobalY=0   GlobalZ=3");
        const FullRun r = RunFull(model);
        EXPECT_TRUE(HasEntry(r.report, "number-invalid", "4"));
        const auto at = std::find(r.lines.begin(), r.lines.end(), "JOINT COORDINATES");
        ASSERT_NE(at, r.lines.end());
        EXPECT_EQ(*(at + 1), "1 0 0 0");
        EXPECT_EQ(*(at + 3), "3 0 3 0");
        EXPECT_EQ(*(at + 4), "MEMBER INCIDENCES");
    }
    const FullRun good = RunFull(kFrame + kDead);
    EXPECT_TRUE(Has(good.lines, "4 4 3 0"));
}

TEST(FullReport, UnreadTablesAndUnconvertedContentInBothModes) {
    const std::string model = kFrame + kDead + TableText("GRID LINES", {"CoordSys=GLOBAL   AxisDir=X   GridID=A   XRYZCoord=0", "CoordSys=GLOBAL   AxisDir=X   GridID=B   XRYZCoord=4"}) +
                              TableText("CONNECTIVITY - LINK", {"Link=1   JointI=1   JointJ=2", "Link=2   JointI=3   JointJ=4"}) +
                              TableText("LOAD CASE DEFINITIONS", {"Case=DEAD   Type=LinStatic", "Case=MODAL   Type=LinModal", "Case=RS   Type=LinRespSpec"}) +
                              TableText("FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL", {"Frame=1   Angle=30"});
    const ClassicRun classic = RunClassic(model);
    EXPECT_TRUE(HasEntry(classic.report, "table-not-read", "", "GRID LINES", "2"));
    EXPECT_TRUE(HasEntry(classic.report, "table-not-read", "", "FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL", "1"));
    EXPECT_TRUE(HasEntry(classic.report, "not-converted", "links", "CONNECTIVITY - LINK", "2"));
    EXPECT_TRUE(HasEntry(classic.report, "not-converted", "modal analysis cases", "LOAD CASE DEFINITIONS", "1"));
    EXPECT_TRUE(HasEntry(classic.report, "not-converted", "analysis cases other than linear static and modal ones", "", "1"));
    // Content with an entry of its own is not counted again as a table.
    EXPECT_FALSE(HasEntry(classic.report, "table-not-read", "", "CONNECTIVITY - LINK"));
    const FullRun full = RunFull(model);
    EXPECT_TRUE(HasEntry(full.report, "not-converted", "links"));
    EXPECT_TRUE(HasEntry(full.report, "table-not-read", "", "GRID LINES"));
    EXPECT_FALSE(HasEntry(full.report, "table-not-read", "", "FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL"));
    // The full conversion names each case it does not convert instead.
    EXPECT_TRUE(HasEntry(full.report, "case-not-converted", "MODAL", "LOAD CASE DEFINITIONS", "LinModal"));
    EXPECT_TRUE(HasEntry(full.report, "case-not-converted", "RS"));
    EXPECT_FALSE(HasEntry(full.report, "not-converted", "modal analysis cases"));
}

TEST(FullMode, TheClassicFileIgnoresEveryFullTable) {
    // Every table of the full conversion added to a model leaves the classic
    // file as it was, byte for byte.
    const std::string extra =
        TableText("FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL", {"Frame=1   Angle=30"}) +
        TableText("ACTIVE DEGREES OF FREEDOM", {"UX=Yes   UY=No   UZ=Yes   RX=No   RY=Yes   RZ=No"}) +
        TableText("JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED", {"Joint=3   CoordSys=GLOBAL   U1=10   U2=0   U3=0   R1=0   R2=0   R3=0"}) +
        TableText("FRAME LOADS - TEMPERATURE", {"Frame=1   LoadPat=DEAD   Type=Temperature   Temp=25"}) +
        TableText("COMBINATION DEFINITIONS", {"ComboName=C3   ComboType=SRSS   CaseName=DEAD   ScaleFactor=1"}) +
        TableText("CASE - STATIC 1 - LOAD ASSIGNMENTS", {"Case=DEAD   LoadType=\"Load pattern\"   LoadName=DEAD   LoadSF=1.5"}) +
        TableText("CASE - STATIC 4 - NONLINEAR PARAMETERS", {"Case=DEAD   GeoNonLin=P-Delta"});
    EXPECT_EQ(Classic(kFrame + kDead + extra), Classic(kFrame + kDead + TableText("COMBINATION DEFINITIONS", {"ComboName=C3   ComboType=SRSS   CaseName=DEAD   ScaleFactor=1"})));
}
