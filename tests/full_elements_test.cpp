// The full conversion's supports, constraints and elements: springs, joint
// axes, constraints, plane and membrane areas, solids, surface pressures
// and area springs.
#include "FullTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <map>
#include <sstream>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace corvane;
using namespace corvane::test;

namespace {

const std::string kJoints = TableText(
    "JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0",
                          "Joint=3   GlobalX=1   GlobalY=1   GlobalZ=0", "Joint=4   GlobalX=0   GlobalY=1   GlobalZ=0",
                          "Joint=5   GlobalX=0   GlobalY=0   GlobalZ=1", "Joint=6   GlobalX=1   GlobalY=0   GlobalZ=1",
                          "Joint=7   GlobalX=0   GlobalY=1   GlobalZ=1", "Joint=8   GlobalX=1   GlobalY=1   GlobalZ=1"});
const std::string kMaterial = TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES",
                                        {"Material=CONC   UnitWeight=24   E1=30000000   U12=0.2   A1=1E-05"});
const std::string kPatterns = TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1"});

// A floor of one area (joints 1-4) and a vertical wall (1 2 6 5).
const std::string kAreas =
    TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=3   Joint4=4",
                                      "Area=2   NumJoints=4   Joint1=1   Joint2=2   Joint3=6   Joint4=5"}) +
    TableText("AREA SECTION ASSIGNMENTS", {"Area=1   Section=SLAB", "Area=2   Section=WALL"});

}  // namespace

TEST(FullSprings, SpringsJoinTheRestraintsAndStandAlone) {
    const FullRun r = RunFull(kJoints + kMaterial + kPatterns +
                              TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=No   U2=No   U3=Yes   R1=No   R2=No   R3=No"}) +
                              TableText("JOINT SPRING ASSIGNMENTS 1 - UNCOUPLED",
                                        {"Joint=1   CoordSys=GLOBAL   U1=100   U2=0   U3=500   R1=1000   R2=0   R3=0",
                                         "Joint=2   CoordSys=GLOBAL   U1=0   U2=200   U3=0   R1=0   R2=0   R3=0",
                                         "Joint=3   CoordSys=Cyl   U1=1   U2=0   U3=0   R1=0   R2=0   R3=0"}));
    // The restrained U3 stays fixed; the rotational spring is per degree;
    // SAP2000's Y is STAAD.Pro's Z.
    EXPECT_TRUE(Has(r.lines, "1 FIXED BUT FZ MY MZ KFX 100 KMX " + NumberText(1000 * M_PI / 180)));
    EXPECT_TRUE(Has(r.lines, "2 FIXED BUT FX FY MX MY MZ KFZ 200"));
    EXPECT_TRUE(HasEntry(r.report, "coordinate-system-unsupported", "joint 3"));
}

TEST(FullJointAxes, InclinedSupportsAndLoadsInJointAxes) {
    const FullRun r = RunFull(kJoints + kMaterial + kPatterns +
                              TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=No   U3=No   R1=No   R2=No   R3=No",
                                                                        "Joint=2   U1=Yes   U2=No   U3=Yes   R1=No   R2=No   R3=No"}) +
                              TableText("JOINT LOCAL AXES ASSIGNMENTS 1 - TYPICAL",
                                        {"Joint=1   AngleA=90   AngleB=0   AngleC=0", "Joint=2   AngleA=45   AngleB=0   AngleC=0",
                                         "Joint=4   AngleA=90   AngleB=0   AngleC=0"}) +
                              TableText("JOINT LOADS - FORCE", {"Joint=4   LoadPat=DEAD   CoordSys=Local   F1=10"}));
    // Joint 1's local 1 is SAP2000's Y, STAAD.Pro's -Z; its local 2 (-X)
    // lies along STAAD.Pro's inclined z, so U2 and U3 change places.
    EXPECT_TRUE(Has(r.lines, "1 INCLINED 0 0 -1 FIXED BUT FY FZ MX MY MZ"));
    const double c = std::round(std::cos(M_PI / 4) * 1e12) / 1e12;
    EXPECT_TRUE(Has(r.lines, "2 INCLINED " + NumberText(c) + " 0 " + NumberText(-c) + " FIXED BUT FZ MX MY MZ"));
    // A load along joint 4's local 1 (global Y) is a load along -Z.
    EXPECT_TRUE(Has(r.lines, "4   FZ -10"));
}

TEST(FullConstraints, BodiesAndDiaphragmsAreSlavedOthersReported) {
    const FullRun r = RunFull(
        kJoints + kMaterial + kPatterns + TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=3   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
        TableText("JOINT CONSTRAINT ASSIGNMENTS",
                  {"Joint=1   Constraint=B1", "Joint=2   Constraint=B1", "Joint=3   Constraint=B1", "Joint=5   Constraint=D1",
                   "Joint=6   Constraint=D1", "Joint=7   Constraint=D1", "Joint=4   Constraint=B2", "Joint=8   Constraint=B2",
                   "Joint=4   Constraint=EQ1", "Joint=8   Constraint=EQ1"}) +
        TableText("CONSTRAINT DEFINITIONS - BODY", {"Name=B1   CoordSys=GLOBAL   UX=Yes   UY=Yes   UZ=Yes   RX=Yes   RY=Yes   RZ=Yes",
                                                    "Name=B2   CoordSys=GLOBAL   UX=Yes   UY=Yes   UZ=No   RX=No   RY=No   RZ=Yes"}) +
        TableText("CONSTRAINT DEFINITIONS - DIAPHRAGM", {"Name=D1   CoordSys=GLOBAL   Axis=Z   MultiLevel=No"}));
    // The restrained joint is the master.
    EXPECT_TRUE(Has(r.lines, "SLAVE RIGID MASTER 3 JOINT 1 TO 2"));
    EXPECT_TRUE(Has(r.lines, "SLAVE ZX MASTER 5 JOINT 6 TO 7"));
    // SAP2000's UX UY RZ are STAAD.Pro's FX FZ MY.
    EXPECT_TRUE(Has(r.lines, "SLAVE FX FZ MY MASTER 4 JOINT 8"));
    EXPECT_TRUE(HasEntry(r.report, "constraint-not-converted", "EQ1"));
}

TEST(FullAreas, PlaneStressMembranesAndWhatStaadHasNoElementFor) {
    const std::string sections = TableText(
        "AREA SECTION PROPERTIES",
        {"Section=SLAB   Material=CONC   AreaType=Plane   Type=Plane-Stress   Thickness=0.2",
         "Section=WALL   Material=CONC   AreaType=Shell   Type=Membrane   Thickness=0.3   F11Mod=0.5",
         "Section=STRAIN   Material=CONC   AreaType=Plane   Type=Plane-Strain   Thickness=0.3",
         "Section=AXI   Material=CONC   AreaType=Asolid   Thickness=0.3"});
    const FullRun r = RunFull(kJoints + kMaterial + kPatterns + kAreas + sections +
                              TableText("AREA STIFFNESS MODIFIERS", {"Area=1   f11=1   f22=1   f12=1   m11=0.3   m22=1   m12=1   v13=1   v23=1"}));
    EXPECT_TRUE(Has(r.lines, "ELEMENT PLANE STRESS"));
    EXPECT_TRUE(Has(r.lines, "100001"));
    EXPECT_TRUE(Has(r.lines, "100002"));
    EXPECT_TRUE(HasEntry(r.report, "area-type-unsupported", "STRAIN"));
    EXPECT_TRUE(HasEntry(r.report, "area-type-unsupported", "AXI"));
    EXPECT_TRUE(HasEntry(r.report, "area-modifier", "WALL"));
    EXPECT_TRUE(HasEntry(r.report, "area-modifier", "1"));
}

TEST(FullAreas, SurfacePressuresOnFacesAndSubgradeSprings) {
    const std::string sections =
        TableText("AREA SECTION PROPERTIES", {"Section=SLAB   Material=CONC   AreaType=Shell   Type=Shell-Thin   Thickness=0.2",
                                              "Section=WALL   Material=CONC   AreaType=Shell   Type=Shell-Thin   Thickness=0.2"});
    const FullRun r = RunFull(kJoints + kMaterial + kPatterns + kAreas + sections +
                              TableText("AREA LOADS - SURFACE PRESSURE",
                                        {"Area=1   LoadPat=DEAD   Face=Top   Pressure=5", "Area=2   LoadPat=DEAD   Face=Bottom   Pressure=3",
                                         "Area=2   LoadPat=DEAD   Face=7   Pressure=3"}) +
                              TableText("AREA SPRING ASSIGNMENTS",
                                        {"Area=1   Type=Simple   Stiffness=8000   SimpleType=\"Compression and Tension\"   Face=Bottom   Dir=Inward",
                                         "Area=2   Type=Simple   Stiffness=8000   Face=Bottom   Dir=Inward"}));
    // A pressure on the top face pushes against the normal (+3, STAAD.Pro's
    // local z); on the bottom face along it.
    EXPECT_TRUE(Has(r.lines, "100001 PR   -5"));
    EXPECT_TRUE(Has(r.lines, "100002 PR   3"));
    EXPECT_TRUE(HasEntry(r.report, "pressure-face-unsupported", "2"));
    EXPECT_TRUE(Has(r.lines, "100001 PLATE MAT DIR Y SUBGRADE 8000"));
    EXPECT_TRUE(HasEntry(r.report, "area-spring-unsupported", "2"));
}

namespace {

// One brick on four fixed joints, with a pressure on its top face.
const std::string kBrick =
    kJoints + kMaterial + kPatterns +
    TableText("CONNECTIVITY - SOLID",
              {"Solid=1   Joint1=1   Joint2=2   Joint3=4   Joint4=3   Joint5=5   Joint6=6   Joint7=7   Joint8=8"}) +
    TableText("SOLID PROPERTY DEFINITIONS", {"SolidProp=SOLID1   Material=CONC   MatAngleA=0"}) +
    TableText("SOLID PROPERTY ASSIGNMENTS", {"Solid=1   SolidProp=SOLID1"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS",
              {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No", "Joint=2   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
               "Joint=3   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No", "Joint=4   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No"}) +
    TableText("SOLID LOADS - SURFACE PRESSURE", {"Solid=1   LoadPat=DEAD   Face=6   Pressure=10", "Solid=1   LoadPat=DEAD   Face=7   Pressure=1"});

}  // namespace

namespace {

// The joints of a STAAD.Pro file by number, in STAAD.Pro's axes.
std::map<long, std::array<double, 3>> StaadJoints(const std::vector<std::string>& lines) {
    std::map<long, std::array<double, 3>> joints;
    auto at = std::find(lines.begin(), lines.end(), "JOINT COORDINATES");
    for (++at; at != lines.end() && !at->empty() && std::isdigit(static_cast<unsigned char>((*at)[0])); ++at) {
        std::istringstream in(*at);
        long n;
        std::array<double, 3> p;
        in >> n >> p[0] >> p[1] >> p[2];
        joints[n] = p;
    }
    return joints;
}

}  // namespace

TEST(FullSolids, IncidenceTurnedAsStaadWantsAndEveryFaceLoadedOnItsOwnCorners) {
    // A unit brick with a pressure on each of SAP2000's six faces, the
    // pressure telling the face.
    std::string brick = kBrick;
    brick = brick.substr(0, brick.find("TABLE:  \"SOLID LOADS - SURFACE PRESSURE\""));
    std::vector<std::string> pressures;
    for (int f = 1; f <= 6; ++f) pressures.push_back("Solid=1   LoadPat=DEAD   Face=" + std::to_string(f) + "   Pressure=" + std::to_string(f));
    pressures.push_back("Solid=1   LoadPat=DEAD   Face=7   Pressure=1");
    const FullRun r = RunFull(brick + TableText("SOLID LOADS - SURFACE PRESSURE", pressures));
    // The solids follow the members directly: no empty shell block between.
    const auto solids = std::find(r.lines.begin(), r.lines.end(), "ELEMENT INCIDENCES SOLID");
    ASSERT_NE(solids, r.lines.end());
    EXPECT_EQ(*(solids - 1), "MEMBER INCIDENCES");
    EXPECT_TRUE(Has(r.lines, "MATERIAL CONC MEMB 1 "));
    EXPECT_TRUE(HasEntry(r.report, "pressure-face-unsupported", "1"));

    const auto joints = StaadJoints(r.lines);
    std::istringstream incidence(*(solids + 1));
    long element, n[8];
    incidence >> element;
    for (long& j : n) incidence >> j;
    ASSERT_TRUE(incidence);
    const auto point = [&](int k) { return joints.at(n[k]); };
    // The first face goes round counter-clockwise seen from outside: its
    // right-hand normal points away from the brick's centre (0.5, 0.5, -0.5).
    const auto a = point(0), b = point(1), c = point(2);
    const std::array<double, 3> u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const std::array<double, 3> normal{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const std::array<double, 3> centre{0.5, 0.5, -0.5};
    EXPECT_GT(normal[0] * (a[0] - centre[0]) + normal[1] * (a[1] - centre[1]) + normal[2] * (a[2] - centre[2]), 0);

    // STAAD.Pro's faces by the positions of the incidence; the middle of
    // each SAP2000 face in STAAD.Pro's axes (faces 1 to 4 the sides y-, x+,
    // y+, x-, 5 the bottom, 6 the top).
    static constexpr int kStaadFaces[6][4] = {{1, 4, 3, 2}, {1, 2, 6, 5}, {1, 5, 8, 4}, {4, 8, 7, 3}, {2, 3, 7, 6}, {5, 6, 7, 8}};
    const std::array<double, 3> middle[6] = {{0.5, 0.5, 0}, {1, 0.5, -0.5}, {0.5, 0.5, -1}, {0, 0.5, -0.5}, {0.5, 0, -0.5}, {0.5, 1, -0.5}};
    int found = 0;
    for (const std::string& line : r.lines) {
        int face = 0;
        double pressure = 0;
        if (std::sscanf(line.c_str(), "1 FACE %d PRESSURE %lf", &face, &pressure) != 2) continue;
        ++found;
        ASSERT_TRUE(face >= 1 && face <= 6) << line;
        const int sapFace = static_cast<int>(pressure);
        std::array<double, 3> m{};
        for (int k : kStaadFaces[face - 1])
            for (int d = 0; d < 3; ++d) m[d] += point(k - 1)[d] / 4;
        for (int d = 0; d < 3; ++d) EXPECT_NEAR(m[d], middle[sapFace - 1][d], 1e-9) << "SAP2000 face " << sapFace << " written as " << line;
    }
    EXPECT_EQ(found, 6);
    // Without the full conversion a solid model has nothing to write.
    EXPECT_EQ(Classic(kBrick).find("SOLID"), std::string::npos);
}

TEST(FullSolids, TheAbaqusDeckOfSolidsRunsInTheSolver) {
    const FullRun deck = RunFullAbaqus(kBrick);
    EXPECT_TRUE(Has(deck.lines, "*ELEMENT, TYPE=C3D8, ELSET=V-CONC"));
    EXPECT_TRUE(Has(deck.lines, "1, 1, 2, 3, 4, 5, 6, 8, 7"));
    EXPECT_TRUE(Has(deck.lines, "*SOLID SECTION, ELSET=V-CONC, MATERIAL=CONC"));
    EXPECT_TRUE(Has(deck.lines, "1, P2, 10."));
    if (std::system("command -v ccx >/dev/null 2>&1") != 0) GTEST_SKIP() << "calculix-ccx is not installed";
    TempDir dir;
    dir.Write("m.inp", deck.text);
    const int status = std::system(("cd '" + dir.Path("") + "' && timeout 120 ccx -i m >ccx.log 2>&1").c_str());
    EXPECT_EQ(status, 0) << ReadFile(dir.Path("ccx.log"));
    EXPECT_NE(ReadFile(dir.Path("ccx.log")).find("Job finished"), std::string::npos) << ReadFile(dir.Path("ccx.log"));
}
