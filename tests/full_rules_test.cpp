// The full conversion's rules on the small models of tests/models (made by
// make_models.py; the independent checkers find each of them equivalent, as
// the README says): what each model's STAAD.Pro file must hold.
#include "FullTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace corvane;
using namespace corvane::test;

namespace {

FullRun RunModel(const std::string& name) { return RunFull(TestModel(name)); }

}  // namespace

TEST(FullRules, RigidEndZonesShiftMemberLoadsAndCarryWhatLiesOnThemToTheJoints) {
    const FullRun r = RunModel("rigid-zones.s2k");
    // Offsets of the rigid parts, LOCAL before the distances.
    EXPECT_TRUE(Has(r.lines, "1 START LOCAL 20 0 0"));
    EXPECT_TRUE(Has(r.lines, "1 END LOCAL -10 0 0"));
    // A point load 60 from joint I lies 40 from the start offset.
    EXPECT_TRUE(Has(LoadLines(r, "FLEX"), "1 CON GY -10 40"));
    // Loads on the zones reach the joints with the moment of their lever:
    // 10 down at 12 from joint 1, 4 along Y at 5 before joint 2, and a
    // moment on the zone.
    const auto zones = LoadLines(r, "ZONES");
    EXPECT_TRUE(Has(zones, "1   FY -10 MZ -120"));
    EXPECT_TRUE(Has(zones, "2   FZ -4 MY -20"));
    EXPECT_TRUE(Has(zones, "1   MY 30"));
    EXPECT_EQ(std::count_if(zones.begin(), zones.end(), [](const std::string& l) { return l.find(" CON ") != std::string::npos; }), 0);
    // A load over the whole member keeps its flexible part; a trapezoid
    // that starts on a zone is cut where the zone ends.
    const auto spread = LoadLines(r, "SPREAD");
    EXPECT_TRUE(Has(spread, "1   UNI GY -0.1 0 90"));
    EXPECT_TRUE(Has(spread, "1   TRAP Z 0.277777777777778 0.5 0 40"));
}

TEST(FullRules, ATrussOnlyWhereNoMemberBends) {
    // Joints that cannot turn hold frames that still bend: a space frame
    // with the rotations held at every joint.
    const FullRun frames = RunModel("frames-without-rotations.s2k");
    EXPECT_EQ(frames.lines.front(), "STAAD SPACE");
    EXPECT_TRUE(Has(frames.lines, "3 FIXED BUT FX FY FZ"));
    EXPECT_TRUE(HasEntry(frames.report, "inactive-dofs-restrained", ""));
    // Released at both ends they carry axial force alone: a truss, whose
    // members take no releases.
    const FullRun truss = RunModel("truss.s2k");
    EXPECT_EQ(truss.lines.front(), "STAAD TRUSS");
    EXPECT_TRUE(Has(truss.lines, "1 PINNED"));
    const auto release = std::find(truss.lines.begin(), truss.lines.end(), "MEMBER RELEASE");
    ASSERT_NE(release, truss.lines.end());
    EXPECT_EQ((release + 1)->rfind("LOAD 1", 0), 0u);
}

TEST(FullRules, ASupportedJointOfAConstraintIsItsMasterOrStaysOutOfIt) {
    // The supported top joint is the master; the others follow it.
    const FullRun r = RunModel("constraint-supports.s2k");
    EXPECT_TRUE(Has(r.lines, "SLAVE ZX MASTER 5 JOINT 4 6"));
    EXPECT_TRUE(r.report.Empty());
    // A second joint supported in a tied direction keeps its support and
    // leaves the constraint, with a word in the report.
    std::string model = ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/models/constraint-supports.s2k");
    const std::string five = "Joint=5   U1=No   U2=Yes   U3=No   R1=No   R2=No   R3=No";
    model.replace(model.find(five), five.size(), five + "\r\n   Joint=6   U1=Yes   U2=No   U3=No   R1=No   R2=No   R3=No");
    const FullRun two = RunFull(model);
    EXPECT_TRUE(Has(two.lines, "SLAVE ZX MASTER 5 JOINT 4"));
    EXPECT_TRUE(Has(two.lines, "6 FIXED BUT FY FZ MX MY MZ"));
    EXPECT_TRUE(HasEntry(two.report, "constraint-supported-joint", "6"));
}

TEST(FullRules, AMovedSpringGroundPullsItsJointAndARigidSupportIsMoved) {
    const FullRun r = RunModel("spring-ground.s2k");
    // k d: 150 x -0.2 along Z (STAAD.Pro's Y), 20000 x 0.001 about Y (its -Z).
    EXPECT_TRUE(Has(LoadLines(r, "SETTLE"), "2   FY -30 MZ -20"));
    EXPECT_FALSE(Has(LoadLines(r, "SETTLE"), "SUPPORT DISPLACEMENT"));
    const auto base = LoadLines(r, "BASE");
    EXPECT_TRUE(Has(base, "SUPPORT DISPLACEMENT"));
    EXPECT_TRUE(Has(base, "1 FY -0.1"));
    EXPECT_TRUE(Has(r.lines, "1 FIXED"));
    // With a plate in the model STAAD.Pro's load mode does not apply: the
    // moved support is enforced, its springs on a line of their own.
    const FullRun enforced = RunModel("spring-ground-plate.s2k");
    EXPECT_TRUE(Has(enforced.lines, "1 ENFORCED"));
    EXPECT_TRUE(Has(enforced.lines, "2 ENFORCED BUT FY MZ"));
    EXPECT_TRUE(Has(enforced.lines, "2 FIXED BUT FX FZ MX MY KFY 150 KMZ " + NumberText(20000 * M_PI / 180)));
}

TEST(FullRules, MassesAsWeightsOfAReferenceLoadAndAModalCase) {
    // 0.5 kip s2/in at the tip weighs 0.5 x 386.0886 kip (g in inches).
    const FullRun tip = RunModel("tip-mass.s2k");
    EXPECT_TRUE(Has(tip.lines, "CUT OFF MODE SHAPE 3"));
    EXPECT_TRUE(Has(tip.lines, "LOAD R1 LOADTYPE MASS TITLE MASSES"));
    const std::string w = NumberText(0.5 * 9.80665 / 0.0254);
    EXPECT_TRUE(Has(tip.lines, "2  FX " + w + " FY " + w + " FZ " + w));
    EXPECT_TRUE(Has(tip.lines, "LOAD 2 LOADTYPE None TITLE MODAL"));
    EXPECT_TRUE(Has(tip.lines, "MODAL CALCULATION REQUESTED"));
    // Masses in joints' own axes (axis 1 along global Y) land on the global
    // directions they move along: 0.2 along Y (STAAD.Pro's Z), 0.05 along X,
    // with half the own mass of the column and of the beam below them
    // besides.
    const FullRun frame = RunModel("shear-frame.s2k");
    const auto at = std::find(frame.lines.begin(), frame.lines.end(), "LOAD R1 LOADTYPE MASS TITLE MASSES");
    ASSERT_NE(at, frame.lines.end());
    const double g = 9.80665 / 0.0254, own = 7.3E-07 * (72 * 120 + 3600 * 200) / 2;
    EXPECT_TRUE(Has(frame.lines, "5 TO 6  FX " + NumberText((0.05 + own) * g) + " FY " + NumberText((0.01 + own) * g) + " FZ " +
                                     NumberText((0.2 + own) * g)));
    // Without a modal case there is no mass model.
    EXPECT_EQ(RunModel("rigid-zones.s2k").text.find("MASS"), std::string::npos);
}

TEST(FullRules, ASpectrumCaseOfTwoDirectionsIsTwoSpectraCombined) {
    const FullRun r = RunModel("ground-shaking.s2k");
    // The masses serve the spectra; no modal calculation beside them.
    EXPECT_TRUE(Has(r.lines, "LOAD R1 LOADTYPE MASS TITLE MASSES"));
    EXPECT_EQ(r.text.find("MODAL CALCULATION"), std::string::npos);
    EXPECT_TRUE(Has(r.lines, "LOAD 2 LOADTYPE None TITLE RSXY U1"));
    EXPECT_TRUE(Has(r.lines, "SPECTRUM CQC X 1 ACC SCALE 386.09 DAMP 0.04"));
    // Global Y is STAAD.Pro's Z.
    EXPECT_TRUE(Has(r.lines, "SPECTRUM CQC Z 1 ACC SCALE 386.09 DAMP 0.04"));
    EXPECT_TRUE(Has(r.lines, "0 0.4; 0.1 1; 0.5 1; 1 0.6; 2 0.3; 3 0.2; 4 0.15; 5 0.12; 6 0.1; 8 0.07"));
    EXPECT_TRUE(Has(r.lines, "LOAD COMBINATION SRSS 4 RSXY"));
    EXPECT_TRUE(Has(r.lines, "2 1 3 1 "));
    for (const std::string& line : r.lines) EXPECT_LE(line.size(), 79u) << line;
    // A spectrum a design code gives is reported.
    std::string model = ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/models/ground-shaking.s2k");
    model.replace(model.find("Function=USERRS"), 15, "Function=CODE");
    EXPECT_TRUE(HasEntry(RunFull(model).report, "spectrum-not-converted", "RSXY"));
}

TEST(FullRules, NamesNeverBecomeCommandsInTheFullFile) {
    std::string model = ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/models/frames-without-rotations.s2k");
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"Material=STEEL", "Material=\"C30;FINISH\""},
                                   {"LoadPat=TIP", "LoadPat=WX-"}})
        for (std::size_t at = model.find(from); at != std::string::npos; at = model.find(from, at + to.size())) model.replace(at, from.size(), to);
    const FullRun r = RunFull(model);
    for (const std::string& line : r.lines) {
        EXPECT_EQ(line.find(';'), std::string::npos) << line;
        EXPECT_NE(line.back(), '-') << line;
    }
    EXPECT_TRUE(Has(r.lines, "LOAD 1 LOADTYPE None TITLE WX_"));
}

TEST(FullRules, AMemberWithoutStiffnessIsLeftOutAndItsLoadsReachItsJoints) {
    const std::string model = TestModel("dummy-member.s2k");
    const FullRun fixed = RunFull(model);
    EXPECT_TRUE(HasEntry(fixed.report, "member-without-stiffness", "3"));
    EXPECT_FALSE(Has(fixed.lines, "3 2 3"));  // not a member of the file
    EXPECT_EQ(fixed.text.find("AX 0"), std::string::npos);
    // Fixed ends take the end forces of the loaded beam, moments included:
    // 8 down at 50 of 200 gives 6.75 and 150 at joint 2; 0.02 over the span
    // 2 and 66.67 at each end; the trapezoid along X 14 in all, no moment.
    const auto span = LoadLines(fixed, "SPAN");
    EXPECT_TRUE(Has(span, "2   FX 5.48333333333333 FY -9.05 MZ -301.666666666667"));
    EXPECT_TRUE(Has(span, "3   FX 8.51666666666667 FY -2.95 MZ 131.666666666667"));
    // Its own weight (72 x 0.000284 per length) goes to its ends too.
    EXPECT_TRUE(Has(LoadLines(fixed, "DEAD"), "2   FY -2.0448 MZ -68.16"));
    EXPECT_TRUE(Has(LoadLines(fixed, "DEAD"), "3   FY -2.0448 MZ 68.16"));

    // Released in bending at both ends it hands its loads on as a simple
    // beam: no moment, the concentrated moment 40 as a couple of 0.2.
    std::string pinned = model;
    const std::string before = "TABLE:  \"JOINT RESTRAINT ASSIGNMENTS\"";
    pinned.insert(pinned.find(before), "TABLE:  \"FRAME RELEASE ASSIGNMENTS 1 - GENERAL\"\r\n   Frame=3   PI=No   V2I=No   V3I=No   TI=No   M2I=Yes   M3I=Yes   "
                                       "PJ=No   V2J=No   V3J=No   TJ=Yes   M2J=Yes   M3J=Yes\r\n \r\n");
    const auto simple = LoadLines(RunFull(pinned), "SPAN");
    EXPECT_TRUE(Has(simple, "2   FX 5.48333333333333 FY -8.2"));
    EXPECT_TRUE(Has(simple, "3   FX 8.51666666666667 FY -3.8"));
}

TEST(FullRules, AnOrthotropicMaterialIsWrittenForPlatesAlongItsAxesOtherwiseAsIsotropicWithItsShearModulus) {
    // A member takes E1 and G12 (not the G that E1 and U12 would give).
    const FullRun frame = RunModel("ortho-frame.s2k");
    EXPECT_TRUE(Has(frame.lines, "ISOTROPIC WOOD"));
    EXPECT_TRUE(Has(frame.lines, "G 6600"));
    EXPECT_TRUE(HasEntry(frame.report, "material-anisotropic", "WOOD"));
    // Plates alone, material axis 1 along each plate's first edge (a
    // horizontal one and a vertical one): STAAD.Pro's plate form, its
    // second modulus, shear moduli in and across the plane, expansions.
    const FullRun plates = RunModel("ortho-plate.s2k");
    for (const char* line : {"2DORTHOTROPIC WOOD", "E 30000 15000", "G 6600 4000 5000", "POISSON 0.2", "ALPHA 5E-06 8E-06"})
        EXPECT_TRUE(Has(plates.lines, line)) << line;
    EXPECT_FALSE(HasEntry(plates.report, "material-anisotropic", "WOOD"));
    // A material axis turned away from the first edge: the plate form would
    // put the moduli in other directions, so the material is isotropic.
    std::string turned = TestModel("ortho-plate.s2k");
    turned.replace(turned.find("Area=2   Section=PLY"), 20, "Area=2   Section=SKEW");
    const FullRun skew = RunFull(turned);
    EXPECT_TRUE(Has(skew.lines, "ISOTROPIC WOOD"));
    EXPECT_TRUE(HasEntry(skew.report, "material-anisotropic", "WOOD"));
    // Without the general table a second modulus apart from the first
    // still tells the material apart.
    std::string untyped = TestModel("ortho-frame.s2k");
    untyped.replace(untyped.find("MATERIAL PROPERTIES 01 - GENERAL"), 32, "MATERIAL PROPERTIES 00 - UNKNOWN!");
    EXPECT_TRUE(Has(RunFull(untyped).lines, "G 6600"));
}
