// Automatic meshing in the full conversion: frames split at the joints on
// them and into segments, areas divided into elements, loads carried to
// the pieces, new joints shared, the number map. Setting
// CORVANE_MESH_MODELS to a folder writes each model there as NAME.s2k, so
// that the equivalence checker can be run on the same models.
#include "FullTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

using namespace corvane;
using namespace corvane::test;

namespace {

const std::string kHead =
    TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   Version=25.0.0   CurrUnits=\"KN, m, C\""}) +
    TableText("ACTIVE DEGREES OF FREEDOM", {"UX=Yes   UY=Yes   UZ=Yes   RX=Yes   RY=Yes   RZ=Yes"}) +
    TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=STEEL   UnitWeight=78.5   E1=200000000   U12=0.3   A1=1.2E-05"}) +
    TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
              {"SectionName=GEN   Material=STEEL   Shape=General   t3=0.4   t2=0.2   Area=0.01   TorsConst=2E-05   I33=2E-04   I22=4E-05   AS2=0   AS3=0"}) +
    TableText("AREA SECTION PROPERTIES", {"Section=PL   Material=STEEL   AreaType=Shell   Type=Shell-Thin   Thickness=0.1   BendThick=0.1"}) +
    TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=DEAD   DesignType=Dead   SelfWtMult=1", "LoadPat=LIVE   DesignType=Live   SelfWtMult=0"});

// A beam from joint 1 (fixed) to joint 3 on a roller, with joint 2 on its
// span: meshed at joints, it is two members joined at 2.
const std::string kJointOnSpan =
    kHead +
    TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0",
                                    "Joint=3   GlobalX=8   GlobalY=0   GlobalZ=0"}) +
    TableText("CONNECTIVITY - FRAME", {"Frame=B1   JointI=1   JointJ=3"}) +
    TableText("FRAME SECTION ASSIGNMENTS", {"Frame=B1   AnalSect=GEN"}) +
    TableText("FRAME AUTO MESH ASSIGNMENTS", {"Frame=B1   AutoMesh=Yes   AtJoints=Yes   AtFrames=No   NumSegments=0   MaxLength=0   MaxDegrees=0"}) +
    TableText("FRAME LOCAL AXES ASSIGNMENTS 1 - TYPICAL", {"Frame=B1   Angle=30"}) +
    TableText("FRAME RELEASE ASSIGNMENTS 1 - GENERAL",
              {"Frame=B1   PI=No   V2I=No   V3I=No   TI=No   M2I=No   M3I=No   PJ=No   V2J=No   V3J=No   TJ=No   M2J=Yes   M3J=Yes"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
                                              "Joint=3   U1=No   U2=No   U3=Yes   R1=No   R2=No   R3=No"}) +
    TableText("JOINT LOADS - FORCE", {"Joint=2   LoadPat=LIVE   CoordSys=GLOBAL   F1=0   F2=3   F3=-10   M1=0   M2=0   M3=0"}) +
    TableText("FRAME LOADS - DISTRIBUTED",
              {"Frame=B1   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=AbsDist   RelDistA=0.25   RelDistB=0.75   AbsDistA=2   AbsDistB=6   FOverLA=2   FOverLB=2",
               "Frame=B1   LoadPat=LIVE   CoordSys=Local   Type=Force   Dir=2   DistType=RelDist   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=8   FOverLA=1   FOverLB=1"}) +
    TableText("FRAME LOADS - POINT",
              {"Frame=B1   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=AbsDist   RelDist=0.625   AbsDist=5   Force=7",
               "Frame=B1   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=Y   DistType=AbsDist   RelDist=0.5   AbsDist=4   Force=2"}) +
    TableText("FRAME LOADS - TEMPERATURE", {"Frame=B1   LoadPat=DEAD   Type=Temperature   Temp=20"});

// A cantilever of 8 in four segments with a trapezoidal load from 1 to 5
// (across the ends of the first and second segments), and a frame at its
// tip meshed to pieces of at most 2.5 under a load over its whole length.
const std::string kSegments =
    kHead +
    TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=8   GlobalY=0   GlobalZ=0",
                                    "Joint=3   GlobalX=8   GlobalY=6   GlobalZ=0"}) +
    TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=2", "Frame=2   JointI=2   JointJ=3"}) +
    TableText("FRAME SECTION ASSIGNMENTS", {"Frame=1   AnalSect=GEN", "Frame=2   AnalSect=GEN"}) +
    TableText("FRAME AUTO MESH ASSIGNMENTS", {"Frame=1   AutoMesh=Yes   AtJoints=No   AtFrames=No   NumSegments=4   MaxLength=0   MaxDegrees=0",
                                              "Frame=2   AutoMesh=Yes   AtJoints=No   AtFrames=No   NumSegments=0   MaxLength=2.5   MaxDegrees=0"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
    TableText("FRAME LOADS - DISTRIBUTED",
              {"Frame=1   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=AbsDist   RelDistA=0.125   RelDistB=0.625   AbsDistA=1   AbsDistB=5   FOverLA=1   FOverLB=5",
               "Frame=2   LoadPat=LIVE   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=6   FOverLA=3   FOverLB=3"});

// Two 3 x 2 plates side by side in the XY plane, sharing the edge 2-3.
const std::string kTwoPlates =
    kHead +
    TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=3   GlobalY=0   GlobalZ=0",
                                    "Joint=3   GlobalX=3   GlobalY=2   GlobalZ=0", "Joint=4   GlobalX=0   GlobalY=2   GlobalZ=0",
                                    "Joint=5   GlobalX=6   GlobalY=0   GlobalZ=0", "Joint=6   GlobalX=6   GlobalY=2   GlobalZ=0"}) +
    TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=3   Joint4=4",
                                      "Area=2   NumJoints=4   Joint1=2   Joint2=5   Joint3=6   Joint4=3"}) +
    TableText("AREA SECTION ASSIGNMENTS", {"Area=1   Section=PL", "Area=2   Section=PL"});

// Plates in the XY plane held along x = 0: area 1 (3 x 2) meshed 2 along
// 1-2 and 3 along 1-4 with its edge supports, area 2 beside it (3 x 2)
// left whole.
const std::string kPlates =
    kTwoPlates +
    TableText("AREA AUTO MESH ASSIGNMENTS",
              {"Area=1   MeshType=\"Number of Elements\"   MeshGroup=ALL   Number1=2   Number2=3   LocalEdge=No   LocalFace=No   SuppEdge=Yes   SuppFace=No   SubMesh=No",
               "Area=2   MeshType=Default"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
                                              "Joint=4   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
    TableText("AREA LOADS - SURFACE PRESSURE", {"Area=1   LoadPat=LIVE   Face=Top   Pressure=2", "Area=2   LoadPat=LIVE   Face=Top   Pressure=1"}) +
    TableText("AREA LOADS - UNIFORM", {"Area=1   LoadPat=DEAD   CoordSys=GLOBAL   Dir=Gravity   UnifLoad=0.5"}) +
    TableText("AREA LOADS - TEMPERATURE", {"Area=1   LoadPat=DEAD   Type=Temperature   Temp=10"});

// The same plates, both meshed 2 x 2, sharing the edge 2-3, with an edge
// beam on it split at the shared mesh joint; the joint at the middle of the
// free edge of area 2 carries a load.
const std::string kShared =
    kTwoPlates +
    TableText("AREA AUTO MESH ASSIGNMENTS",
              {"Area=1   MeshType=\"Number of Elements\"   Number1=2   Number2=2   SuppEdge=Yes   SuppFace=No   SubMesh=No",
               "Area=2   MeshType=\"Number of Elements\"   Number1=2   Number2=2   SuppEdge=No   SuppFace=No   SubMesh=No"}) +
    TableText("CONNECTIVITY - FRAME", {"Frame=E1   JointI=2   JointJ=3"}) +
    TableText("FRAME SECTION ASSIGNMENTS", {"Frame=E1   AnalSect=GEN"}) +
    TableText("FRAME AUTO MESH ASSIGNMENTS", {"Frame=E1   AutoMesh=Yes   AtJoints=Yes   AtFrames=No   NumSegments=0   MaxLength=0"}) +
    TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
                                              "Joint=4   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
    TableText("AREA LOADS - SURFACE PRESSURE", {"Area=1   LoadPat=LIVE   Face=Top   Pressure=2", "Area=2   LoadPat=LIVE   Face=Bottom   Pressure=1"}) +
    TableText("FRAME LOADS - DISTRIBUTED",
              {"Frame=E1   LoadPat=DEAD   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=2   FOverLA=4   FOverLB=4"});

// Writes the model for the checker when asked to.
const std::string& Kept(const std::string& name, const std::string& s2k) {
    if (const char* dir = std::getenv("CORVANE_MESH_MODELS")) std::ofstream(std::string(dir) + "/" + name + ".s2k", std::ios::binary) << s2k;
    return s2k;
}

// The line of a block that starts with `head`, or "".
std::string LineStarting(const std::vector<std::string>& lines, const std::string& head) {
    for (const std::string& l : lines)
        if (l.rfind(head, 0) == 0) return l;
    return {};
}

}  // namespace

TEST(FullMesh, FrameSplitAtAJointOnItsSpan) {
    const FullRun r = RunFull(Kept("mesh_joint_on_span", kJointOnSpan));
    // B1 (member 1) keeps joint I and ends at joint 2; its second piece is
    // member 2 from 2 to 3, with the release at the frame's own end only.
    EXPECT_TRUE(Has(r.lines, "1 1 2"));
    EXPECT_TRUE(Has(r.lines, "2 2 3"));
    EXPECT_TRUE(Has(r.lines, "2 END MY MZ"));
    EXPECT_EQ(LineStarting(r.lines, "1 END"), "");
    // Both pieces keep the section, the material and the angle.
    EXPECT_TRUE(Has(r.lines, "1 TO 2  PRIS AX 0.01 IX 2E-05 IY 4E-05 IZ 2E-04"));
    EXPECT_TRUE(Has(r.lines, "MATERIAL STEEL MEMB 1 TO 2 "));
    EXPECT_TRUE(Has(r.lines, "BETA 30 MEMB 1 TO 2"));
    // The load from 2 to 6 is cut at 4; the point load at 5 is 1 into the
    // second piece, the one at the joint stays at the end of the first;
    // the whole-length load and the temperature go to both pieces.
    EXPECT_TRUE(Has(r.lines, "1   UNI GY -2 2 4"));
    EXPECT_TRUE(Has(r.lines, "2   UNI GY -2 0 2"));
    EXPECT_TRUE(Has(r.lines, "2 CON GY -7 1"));
    EXPECT_TRUE(Has(r.lines, "1 CON GZ -2 4"));
    EXPECT_TRUE(Has(r.lines, "1 TO 2   UNI Y 1    "));
    EXPECT_TRUE(Has(r.lines, "1 TO 2 TEMP 20"));
    // Without the full conversion the frame stays one member (its name,
    // which is no number, renumbered as STAAD.Pro needs).
    const std::string classic = Classic(kJointOnSpan);
    EXPECT_NE(classic.find("MEMBER INCIDENCES\r\n1 1 3\r\n"), std::string::npos) << classic;
    EXPECT_EQ(classic.find("2 2 3"), std::string::npos);
}

TEST(FullMesh, FrameInSegmentsAndByLengthWithLoadsInterpolated) {
    const FullRun r = RunFull(Kept("mesh_segments", kSegments));
    // Frame 1: four pieces of 2 through new joints 4, 5, 6; frame 2: three
    // pieces of 2 (at most 2.5) through 7 and 8.
    for (const char* line : {"1 1 4", "3 4 5", "4 5 6", "5 6 2", "2 2 7", "6 7 8", "7 8 3"}) EXPECT_TRUE(Has(r.lines, line)) << line;
    EXPECT_TRUE(Has(r.lines, "4 2 0 0"));
    EXPECT_TRUE(Has(r.lines, "8 8 0 -4"));
    // 1 at 1 rising to 5 at 5: 1 to 2 on the first piece, 2 to 4 over the
    // second, 4 to 5 on the third.
    EXPECT_TRUE(Has(r.lines, "1   TRAP GY -1 -2 1 2"));
    EXPECT_TRUE(Has(r.lines, "3   TRAP GY -2 -4 0 2"));
    EXPECT_TRUE(Has(r.lines, "4   TRAP GY -4 -5 0 1"));
    EXPECT_EQ(LineStarting(r.lines, "5   TRAP"), "");
    // The load over the whole of frame 2 lies over each piece whole.
    EXPECT_TRUE(Has(r.lines, "2 6 TO 7   UNI GY -3    "));
}

TEST(FullMesh, PlateMeshedBesideAWholeOne) {
    const FullRun r = RunFull(Kept("mesh_plates", kPlates));
    // 2 x 3 elements: the first keeps the area's number, the others follow
    // area 2; every element turns as the area does.
    EXPECT_TRUE(Has(r.lines, "100001 1 9 10 7"));
    EXPECT_TRUE(Has(r.lines, "100005 9 2 13 10"));
    EXPECT_TRUE(Has(r.lines, "100007 11 14 3 12"));
    EXPECT_TRUE(Has(r.lines, "100002 2 5 6 3"));
    EXPECT_TRUE(Has(r.lines, "13 3 0 -0.666666666666667"));
    // The joints added on the held edge 1-4 are held as both its corners.
    EXPECT_TRUE(Has(r.lines, "1 4 7 TO 8 FIXED"));
    // Pressure, load and temperature on every element of area 1.
    EXPECT_TRUE(Has(r.lines, "100001 100003 TO 100007 PR   -2"));
    EXPECT_TRUE(Has(r.lines, "100002 PR   -1"));
    EXPECT_TRUE(Has(r.lines, "100001 100003 TO 100007   PR GY  -0.5"));
    EXPECT_TRUE(Has(r.lines, "100001 100003 TO 100007 TEMP 10"));
    EXPECT_TRUE(Has(r.lines, "100001 100003 TO 100007 100002  THICKNESS 0.1"));
    // The Abaqus deck of the full conversion has the same mesh, the new
    // joints with their computed coordinates.
    const std::string deck = RunFullAbaqus(kPlates).text;
    EXPECT_NE(deck.find("\n13, 3., 0.6666666666667, 0.\r"), std::string::npos) << deck;
    EXPECT_NE(deck.find("\n100005, 9, 2, 13, 10\r"), std::string::npos) << deck;
}

TEST(FullMesh, NeighbouringMeshesShareTheirJointsWithTheEdgeBeam) {
    const FullRun r = RunFull(Kept("mesh_shared_edge", kShared));
    // The middle of edge 2-3 is one joint (11) for both areas and splits
    // the edge beam; no joint stands twice.
    EXPECT_TRUE(Has(r.lines, "100005 9 11 3 10"));   // area 1 at its corner 3
    EXPECT_TRUE(Has(r.lines, "100002 2 12 13 11"));  // area 2's first element
    EXPECT_TRUE(Has(r.lines, "1 2 11"));
    EXPECT_TRUE(Has(r.lines, "2 11 3"));
    EXPECT_TRUE(Has(r.lines, "1 TO 2   UNI GY -4    "));
    // The bottom pressure on area 2 pushes up.
    EXPECT_TRUE(Has(r.lines, "100002 100006 TO 100008 PR   1"));
    int joints = 0;
    bool in = false;
    for (const std::string& l : r.lines) {
        if (l == "JOINT COORDINATES") in = true;
        else if (l == "MEMBER INCIDENCES") in = false;
        else if (in) ++joints;
    }
    EXPECT_EQ(joints, 6 + 5 + 4);
    // The number map names each piece's frame or area.
    const std::string map = FullNumberMap(kShared);
    EXPECT_NE(map.find("joint-new,1,7\r\n"), std::string::npos);
    EXPECT_NE(map.find("joint-new,2,12\r\n"), std::string::npos);
    EXPECT_NE(map.find("member-piece,E1,2\r\n"), std::string::npos);
    EXPECT_NE(map.find("element-piece,1,100003\r\n"), std::string::npos);
    EXPECT_NE(map.find("element-piece,2,100006\r\n"), std::string::npos);
    EXPECT_EQ(map.find("element-piece,1,100001"), std::string::npos);
}

TEST(FullMesh, OtherMeshesAreReported) {
    const std::string model =
        kHead +
        TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=3   GlobalY=0   GlobalZ=0",
                                        "Joint=3   GlobalX=3   GlobalY=2   GlobalZ=0", "Joint=4   GlobalX=0   GlobalY=2   GlobalZ=0"}) +
        TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=3   Joint4=4",
                                          "Area=2   NumJoints=3   Joint1=1   Joint2=3   Joint3=4"}) +
        TableText("CONNECTIVITY - FRAME", {"Frame=F   JointI=1   JointJ=3", "Frame=G   JointI=2   JointJ=4"}) +
        TableText("FRAME AUTO MESH ASSIGNMENTS", {"Frame=F   AutoMesh=Yes   AtJoints=No   AtFrames=Yes   NumSegments=2   MaxLength=0",
                                                  "Frame=G   AutoMesh=Yes   AtJoints=No   AtFrames=No   NumSegments=0   MaxLength=1E-12"}) +
        TableText("AREA AUTO MESH ASSIGNMENTS", {"Area=1   MeshType=\"Maximum Size\"   MaxSize1=1   MaxSize2=1",
                                                 "Area=2   MeshType=\"Number of Elements\"   Number1=2   Number2=2"});
    const FullRun r = RunFull(model);
    EXPECT_TRUE(HasEntry(r.report, "mesh-not-converted", "1", "AREA AUTO MESH ASSIGNMENTS", "Maximum Size"));
    EXPECT_TRUE(HasEntry(r.report, "mesh-not-converted", "2", "", "Number of Elements on an area of 3 joints"));
    // F meets G at its middle, and runs along an edge of area 2 from end to
    // end: nothing left to report.
    EXPECT_FALSE(HasEntry(r.report, "mesh-not-converted", "F", "FRAME AUTO MESH ASSIGNMENTS"));
    // A mesh past the conversion's budget leaves its frame whole.
    EXPECT_TRUE(HasEntry(r.report, "mesh-not-converted", "G", "", "more pieces than the conversion makes in one model (2000000)"));
    EXPECT_TRUE(Has(r.lines, "2 2 4"));
    // The frame is still divided into its two segments; the areas stay whole.
    EXPECT_TRUE(Has(r.lines, "1 1 5"));
    EXPECT_TRUE(Has(r.lines, "3 5 3"));
    EXPECT_TRUE(Has(r.lines, "100001 1 2 3 4"));
    EXPECT_FALSE(HasEntry(r.report, "table-not-read", "", "AREA AUTO MESH ASSIGNMENTS"));
    // The classic conversion reads no mesh table and reports them unread.
    EXPECT_TRUE(HasEntry(RunClassic(model).report, "table-not-read", "", "AREA AUTO MESH ASSIGNMENTS"));
}

TEST(FullMesh, DegenerateObjectsStayWholeAndFarJointsEndNormally) {
    // A frame of no length, a frame to a joint that is no number, an area
    // with a corner twice, counts that are no numbers: nothing is meshed
    // that cannot be, and no number the file cannot take is written.
    const std::string odd =
        kHead +
        TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=0   GlobalY=0   GlobalZ=0",
                                        "Joint=3   GlobalX=nan   GlobalY=0   GlobalZ=0", "Joint=4   GlobalX=2   GlobalY=2   GlobalZ=0"}) +
        TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=2", "Frame=2   JointI=1   JointJ=3"}) +
        TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=4   Joint1=1   Joint2=4   Joint3=4   Joint4=2"}) +
        TableText("FRAME AUTO MESH ASSIGNMENTS", {"Frame=1   AutoMesh=Yes   AtJoints=Yes   NumSegments=4", "Frame=2   AutoMesh=Yes   NumSegments=x"}) +
        TableText("AREA AUTO MESH ASSIGNMENTS", {"Area=1   MeshType=\"Number of Elements\"   Number1=2   Number2=y"});
    const FullRun r = RunFull(odd);
    EXPECT_TRUE(Has(r.lines, "1 1 2"));
    EXPECT_TRUE(Has(r.lines, "2 1 3"));
    EXPECT_EQ(r.text.find("nan"), std::string::npos);
    // Joints far apart: the mesh is measured by the model's size.
    const std::string far =
        kHead + TableText("JOINT COORDINATES", {"Joint=1   GlobalX=-1E+307   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1E+307   GlobalY=0   GlobalZ=0",
                                                "Joint=3   GlobalX=0   GlobalY=1E+307   GlobalZ=1E+307"}) +
        TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=2", "Frame=2   JointI=2   JointJ=3"}) +
        TableText("FRAME AUTO MESH ASSIGNMENTS", {"Frame=1   AutoMesh=Yes   AtJoints=Yes   NumSegments=2", "Frame=2   AutoMesh=Yes   MaxLength=1"});
    const FullRun f = RunFull(far);
    EXPECT_TRUE(Has(f.lines, "1 1 2"));
    EXPECT_EQ(f.text.find("inf"), std::string::npos);
}
