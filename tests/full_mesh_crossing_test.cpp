// Frames meshed where they meet other frames (AtFrames), in the full
// conversion: a joint where they cross or touch, shared by the other frame
// when that one is meshed at frames or joints; overlaps with other frames
// and meetings with area edges reported. The models of tests/models come in
// pairs: the frames meshed at frames, and the same with the meeting joints
// put in and the frames meshed at joints, which the equivalence checker
// judges; both must give the same file.
#include "FullTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;
using namespace corvane::test;

namespace {


std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

const std::string kHead =
    TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   Version=25.0.0   CurrUnits=\"KN, m, C\""}) +
    TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=STEEL   UnitWeight=78.5   E1=200000000   U12=0.3   A1=1.2E-05"}) +
    TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
              {"SectionName=GEN   Material=STEEL   Shape=General   t3=0.4   t2=0.2   Area=0.01   TorsConst=2E-05   I33=2E-04   I22=4E-05   AS2=0   AS3=0"}) +
    TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=LIVE   DesignType=Live   SelfWtMult=0"});

std::string Mesh(const std::string& frame, const std::string& how) {
    return "Frame=" + frame + "   AutoMesh=Yes   " + how + "   NumSegments=0   MaxLength=0";
}

}  // namespace

TEST(FullMeshCrossing, FramesMeshedAtFramesShareAJointWhereTheyCross) {
    const FullRun r = RunFull(TestModel("frames-crossing.s2k"));
    // Joint 5, new, at the crossing; each beam in two members joined there.
    EXPECT_TRUE(Has(r.lines, "5 120 0 0"));
    for (const char* member : {"1 1 5", "3 5 2", "2 3 5", "4 5 4"}) EXPECT_TRUE(Has(r.lines, member)) << member;
    EXPECT_FALSE(HasEntry(r.report, "mesh-not-converted", ""));
    // The same file as with the joint put in and the beams meshed at joints.
    EXPECT_EQ(r.text, RunFull(TestModel("frames-crossing-joint.s2k")).text);
    EXPECT_NE(FullNumberMap(TestModel("frames-crossing.s2k")).find("joint-new,1,5\r\n"), std::string::npos);
}

TEST(FullMeshCrossing, TheOtherFrameIsSplitWhenMeshedAtFramesOrJoints) {
    const FullRun r = RunFull(TestModel("frames-meeting.s2k"));
    // Beam 1 is split where it crosses beam 3 (11), beam 2 (12) and where
    // the post stands (its end joint 9); beam 2, meshed at joints, is split
    // at 12 too; beam 3, meshed in three segments only, is not split at 11.
    for (const char* member : {"1 1 11", "5 11 12", "6 12 9", "7 9 2", "2 3 12", "8 12 4", "3 5 13", "9 13 14", "10 14 6", "4 10 9"})
        EXPECT_TRUE(Has(r.lines, member)) << member;
    EXPECT_TRUE(Has(r.lines, "10 CON GY -4 10"));
    EXPECT_TRUE(Has(r.lines, "6 CON GY -10 30"));
    EXPECT_EQ(r.text, RunFull(TestModel("frames-meeting-joints.s2k")).text);
}

TEST(FullMeshCrossing, AJointAtTheCrossingIsUsedAndEachCrossingMadeOnce) {
    // Joint 5 lies where the frames cross, on neither's connectivity.
    const std::string atJoint =
        kHead +
        TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0",
                                        "Joint=3   GlobalX=1   GlobalY=-2   GlobalZ=0", "Joint=4   GlobalX=1   GlobalY=2   GlobalZ=0",
                                        "Joint=5   GlobalX=1   GlobalY=0   GlobalZ=0"}) +
        TableText("CONNECTIVITY - FRAME", {"Frame=A   JointI=1   JointJ=2", "Frame=B   JointI=3   JointJ=4"}) +
        TableText("FRAME AUTO MESH ASSIGNMENTS", {Mesh("A", "AtJoints=No   AtFrames=Yes"), Mesh("B", "AtJoints=No   AtFrames=Yes")});
    const FullRun r = RunFull(atJoint);
    for (const char* member : {"1 1 5", "2 3 5", "3 5 2", "4 5 4"}) EXPECT_TRUE(Has(r.lines, member)) << member;
    EXPECT_EQ(FullNumberMap(atJoint).find("joint-new"), std::string::npos);

    // A grid of 12 by 12 frames, all meshed at frames: one joint per
    // crossing, each frame in 13 members.
    std::vector<std::string> joints, frames, meshes;
    for (int k = 0; k < 12; ++k) {
        const std::string at = std::to_string(k + 1);
        joints.push_back("Joint=x" + at + "   GlobalX=" + at + "   GlobalY=0   GlobalZ=0");
        joints.push_back("Joint=X" + at + "   GlobalX=" + at + "   GlobalY=13   GlobalZ=0");
        joints.push_back("Joint=y" + at + "   GlobalX=0   GlobalY=" + at + "   GlobalZ=0");
        joints.push_back("Joint=Y" + at + "   GlobalX=13   GlobalY=" + at + "   GlobalZ=0");
        frames.push_back("Frame=V" + at + "   JointI=x" + at + "   JointJ=X" + at);
        frames.push_back("Frame=H" + at + "   JointI=y" + at + "   JointJ=Y" + at);
        meshes.push_back(Mesh("V" + at, "AtJoints=No   AtFrames=Yes"));
        meshes.push_back(Mesh("H" + at, "AtJoints=No   AtFrames=Yes"));
    }
    const std::string grid = kHead + TableText("JOINT COORDINATES", joints) + TableText("CONNECTIVITY - FRAME", frames) +
                             TableText("FRAME AUTO MESH ASSIGNMENTS", meshes);
    const std::string map = FullNumberMap(grid);
    EXPECT_EQ(Count(map, "joint-new,"), 144u);
    EXPECT_EQ(Count(map, "member-piece,"), 24u * 12u);
}

TEST(FullMeshCrossing, RunsAlongAndAreaEdgesAreReportedNotMeshed) {
    const std::string model =
        kHead +
        TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0",
                                        "Joint=3   GlobalX=4   GlobalY=4   GlobalZ=0", "Joint=4   GlobalX=0   GlobalY=4   GlobalZ=0",
                                        "Joint=5   GlobalX=0   GlobalY=10   GlobalZ=0", "Joint=6   GlobalX=10   GlobalY=10   GlobalZ=0",
                                        "Joint=7   GlobalX=6   GlobalY=10   GlobalZ=0", "Joint=8   GlobalX=14   GlobalY=10   GlobalZ=0",
                                        "Joint=9   GlobalX=-1   GlobalY=3   GlobalZ=0", "Joint=10   GlobalX=1   GlobalY=5   GlobalZ=0",
                                        "Joint=11   GlobalX=3   GlobalY=-1   GlobalZ=0", "Joint=12   GlobalX=5   GlobalY=1   GlobalZ=0",
                                        "Joint=13   GlobalX=21   GlobalY=-1   GlobalZ=0.5", "Joint=14   GlobalX=21   GlobalY=2   GlobalZ=0.5",
                                        "Joint=21   GlobalX=20   GlobalY=0   GlobalZ=0", "Joint=22   GlobalX=21   GlobalY=0   GlobalZ=0",
                                        "Joint=23   GlobalX=20   GlobalY=1   GlobalZ=0", "Joint=24   GlobalX=21   GlobalY=1   GlobalZ=0",
                                        "Joint=25   GlobalX=20   GlobalY=0   GlobalZ=1", "Joint=26   GlobalX=21   GlobalY=0   GlobalZ=1",
                                        "Joint=27   GlobalX=20   GlobalY=1   GlobalZ=1", "Joint=28   GlobalX=21   GlobalY=1   GlobalZ=1"}) +
        TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=4   Joint1=1   Joint2=2   Joint3=3   Joint4=4"}) +
        TableText("CONNECTIVITY - SOLID", {"Solid=1   Joint1=21   Joint2=22   Joint3=23   Joint4=24   Joint5=25   Joint6=26   Joint7=27   Joint8=28"}) +
        // R runs along S past S's end; C and E cross the area's edges at its
        // corners 4 and 2, C meshed at joints too; D is a copy of C; T
        // crosses two edges of the solid.
        TableText("CONNECTIVITY - FRAME", {"Frame=R   JointI=5   JointJ=6", "Frame=S   JointI=7   JointJ=8", "Frame=C   JointI=9   JointJ=10",
                                           "Frame=E   JointI=11   JointJ=12", "Frame=D   JointI=10   JointJ=9", "Frame=T   JointI=13   JointJ=14"}) +
        TableText("FRAME AUTO MESH ASSIGNMENTS", {Mesh("R", "AtJoints=No   AtFrames=Yes"), Mesh("C", "AtJoints=Yes   AtFrames=Yes"),
                                                  Mesh("E", "AtJoints=No   AtFrames=Yes"), Mesh("D", "AtJoints=Yes   AtFrames=Yes"),
                                                  Mesh("T", "AtJoints=No   AtFrames=Yes")});
    const FullRun r = RunFull(model);
    EXPECT_TRUE(HasEntry(r.report, "mesh-not-converted", "R", "FRAME AUTO MESH ASSIGNMENTS", "its overlap with another frame"));
    EXPECT_TRUE(Has(r.lines, "1 5 6"));
    EXPECT_TRUE(HasEntry(r.report, "mesh-not-converted", "E", "FRAME AUTO MESH ASSIGNMENTS", "its intersections with area or solid edges"));
    EXPECT_TRUE(Has(r.lines, "4 11 12"));
    EXPECT_TRUE(HasEntry(r.report, "mesh-not-converted", "T", "FRAME AUTO MESH ASSIGNMENTS", "its intersections with area or solid edges"));
    // C and its copy are split at the corner they meet, a joint on their
    // span, and lie along each other end to end: nothing to report.
    EXPECT_FALSE(HasEntry(r.report, "mesh-not-converted", "C"));
    EXPECT_FALSE(HasEntry(r.report, "mesh-not-converted", "D"));
    for (const char* member : {"3 9 4", "7 4 10", "5 10 4", "8 4 9"}) EXPECT_TRUE(Has(r.lines, member)) << member;
}
