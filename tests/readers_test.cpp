// Every table reader: its cells, defaults, markers and history lines.
#include "TestSupport.h"
#include "reader/Lookups.h"
#include "reader/Readers.h"

#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::Table;
using V = std::vector<std::string>;

namespace {

struct ReaderRun {
    ModelTables tables;
    UnitsInfo units;
    MemoryHistory history;
    Report report;
    bool allSections = false;
    void operator()(const std::string& text, void (*reader)(ReadContext&)) {
        InputText input(text);
        ReadContext c{input, tables, units, history, &report, allSections};
        reader(c);
    }
};

}  // namespace

TEST(UnitsReader, ForceFromTheLastTokenAndLengthFromTheNextItem) {
    ReaderRun r;
    r("x\r\n", ReadUnits);
    EXPECT_EQ(r.units.force, " ");
    EXPECT_EQ(r.history.lines, V{"Unit Information  ... Not Found"});
    r(Table("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=\"KN, m, C\"   SteelCode=X"}), ReadUnits);
    EXPECT_EQ(r.units.force, "KN");
    EXPECT_EQ(r.units.length, "m");
    r(Table("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=\"N, mm, C\""}), ReadUnits);
    EXPECT_EQ(r.units.force, "N");
    EXPECT_EQ(r.units.length, "mm");
    r(Table("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=\"Kip, in, F\""}), ReadUnits);
    EXPECT_EQ(r.units.force, "Ki");
    // Without a comma the length is the empty item that ends the table.
    r(Table("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=Kip"}), ReadUnits);
    EXPECT_EQ(r.units.force, "ip");
    EXPECT_EQ(r.units.length, "");
    EXPECT_EQ(r.history.lines.back(), "Unit Information  ... Done");
}

TEST(JointReader, GlobalFieldsOwnCoordinatesAndNull) {
    ReaderRun r;
    r(Table("JOINT COORDINATES", {
                                     "Joint=3   Other=1   GlobalX=0   GlobalY=120   GlobalZ=240",
                                     "Joint=4   GlobalX=1.5E+02   GlobalY=-12.5",
                                     "Joint=5   CoordSys=GLOBAL   CoordType=Cartesian   XorR=2   Y=3   Z=4",
                                     "Joint=6   CoordSys=GLOBAL   CoordType=Cylindrical   XorR=2   T=90   Z=7",
                                     "Joint=7   CoordSys=LOCAL1   CoordType=Cartesian   XorR=2   Y=3   Z=4",
                                     "NoKeys",
                                 }),
      ReadJoints);
    const auto& j = r.tables.joints;
    EXPECT_EQ(j.Joint, (V{"3", "4", "5", "6", "7", "NULL"}));
    EXPECT_EQ(j.GlobalX, (V{"0", "1.5E+02", "2", "1.22464679914735E-16", "NULL", "NULL"}));
    EXPECT_EQ(j.GlobalY, (V{"120", "-12.5", "3", "2", "NULL", "NULL"}));
    EXPECT_EQ(j.GlobalZ, (V{"240", "NULL", "4", "7", "NULL", "NULL"}));
    EXPECT_EQ(r.history.lines, (V{"Read Node data  ... ", "Reading Joint Cordinates data ..........",
                                  ".......... Done (Total Joints : 6)"}));
    r.history.clear();
    r("nothing\r\n", ReadJoints);
    EXPECT_TRUE(j.Joint.empty());
    EXPECT_EQ(r.history.lines.back(), ".......... Not Found");
}

TEST(ConnectivityReaders, FramesArePositionalAreasCountTheirJoints) {
    ReaderRun r;
    r(Table("CONNECTIVITY - FRAME", {"Frame=12   JointI=3   JointJ=7   Length=5", "Frame=13"}), ReadFrames);
    EXPECT_EQ(r.tables.frames.Frame, (V{"12", "13"}));
    EXPECT_EQ(r.tables.frames.JointI, (V{"3", "3"}));  // a short record reads the leftover slots
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Frame Elemets : 2)");

    r(Table("CONNECTIVITY - AREA", {
                                       "Area=5   NumJoints=4   Joint1=1   Joint2=2   Joint3=6   Joint4=5",
                                       "Area=8   NumJoints=3   Joint1=1   Joint2=2   Joint3=6",
                                       "Area=9   NumJoints=5   Joint1=1   Joint2=2   Joint3=6   Joint4=5   Joint5=9",
                                       "Area=10   NumJoints=4.0   Joint1=1   Joint2=2   Joint3=6   Joint4=5",
                                       "Area=11   NumJoints=many   Joint1=1",
                                       "Area=12   Joint1=4   Joint2=5   Joint3=6",
                                       "Area=13   Joint1=4   Joint2=5   Joint3=6   Joint4=7",
                                       "Area=14   Joint1=4   Joint2=5",
                                   }),
      ReadAreas);
    const auto& a = r.tables.areas;
    EXPECT_EQ(a.Area, (V{"5", "8", "10", "12", "13"}));
    EXPECT_EQ(a.NumJoints, (V{"4", "3", "4.0", "3", "4"}));
    EXPECT_EQ(a.Joint4, (V{"5", "NULL", "5", "NULL", "7"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Shell Elements : 5)");
    EXPECT_EQ(r.report.entries.size(), 3u);
    EXPECT_EQ(r.report.entries[0].kind, "area-joint-count");
}

TEST(SectionReaders, MaterialsFrameSectionsAreaSections) {
    ReaderRun r;
    r(Table("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES",
            {"Material=\"A992 Fy50\"   UnitWeight=7.8   E1=29000   U12=0.3", "Material=CONC   E1=3600   U12=", "UnitWeight=1"}),
      ReadMaterials);
    const auto& m = r.tables.materials;
    EXPECT_EQ(m.Material, (V{"A992_Fy50", "CONC", "NULL"}));
    EXPECT_EQ(m.UnitWeight, (V{"7.8", "0.0", "1"}));
    EXPECT_EQ(m.U12, (V{"0.3", "", "0.0"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Material : 3)");

    r.tables.frameAssigns.Material = {"kept"};
    r(Table("FRAME SECTION PROPERTIES 01 - GENERAL",
            {
                "SectionName=R1   Material=C   Shape=Rectangular   t3=0.6   t2=0.3   Area=1 _",
                "     TorsConst=2   I33=3   I22=4",
                "SectionName=\"FSEC 1\"   Material=C   Shape=Circle   t3=0.5",
                "SectionName=W14   Material=S   Shape=\"I/Wide Flange\"   t3=12   t2=8   tf=0.5   tw=0.3   t2b=8   tfb=0.5",
                "SectionName=B1   Material=S   Shape=Box/Tube   Area=1   TorsConst=2   I33=3   I22=4",
                "SectionName=C1   Material=S   Shape=circle   t3=1",
            }),
      ReadFrameSections);
    const auto& s = r.tables.frameSections;
    EXPECT_EQ(s.SectionName, (V{"R1", "FSEC_1", "W14"}));
    EXPECT_EQ(s.Dim1, (V{"0.6", "0.5", "12 0.3 12 8 0.5 8 0.5"}));
    EXPECT_EQ(s.Dim2, (V{"0.3", "-", "-"}));
    EXPECT_EQ(s.Shape, (V{"Rectangular", "Circle", "I/Wide$"}));
    EXPECT_EQ(r.tables.frameAssigns.Material, V{"kept"});  // only Frame and AnalSect are emptied
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Frame Section : 3)");

    r(Table("AREA SECTION PROPERTIES", {"Section=\"SL 1\"   Material=C   Thickness=0.2 _", "   BendThick=0.2", "Section=M   Material=C"}),
      ReadAreaSections);
    EXPECT_EQ(r.tables.areaSections.Section, (V{"SL_1", "M"}));
    EXPECT_EQ(r.tables.areaSections.Thickness, (V{"0.2", "0.0"}));
}

TEST(SectionReaders, AllSectionsKeepsComputedProperties) {
    ReaderRun r;
    r.allSections = true;
    r(Table("FRAME SECTION PROPERTIES 01 - GENERAL",
            {
                "SectionName=B1   Material=S   Shape=Box/Tube   t3=1   Area=0.5   TorsConst=2 _",
                "     I33=3   I22=4   AS2=0.1   AS3=0",
                "SectionName=SD   Material=S   Shape=\"SD Section\"   Area=1   TorsConst=2   I33=3   I22=4",
                "SectionName=NP   Shape=Nonprismatic   Color=2",
                "SectionName=R   Material=C   Shape=Rectangular   t3=0.6   t2=0.3",
            }),
      ReadFrameSections);
    const auto& s = r.tables.frameSections;
    EXPECT_EQ(s.SectionName, (V{"B1", "SD", "R"}));
    EXPECT_EQ(s.Shape, (V{"Box/Tube", "SD$", "Rectangular"}));
    EXPECT_EQ(s.Dim1, (V{"AX 0.5 IX 2 IY 4 IZ 3 AY 0.1", "AX 1 IX 2 IY 4 IZ 3", "0.6"}));
    EXPECT_EQ(s.Dim2, (V{"-", "-", "0.3"}));
}

TEST(AssignmentReaders, MaterialStaysAlignedWithFrame) {
    ReaderRun r;
    r.tables.frameSections.SectionName = {"FSEC_1", "FSEC_1", "R"};
    r.tables.frameSections.Material = {"A36", "other", "C"};
    r(Table("FRAME SECTION ASSIGNMENTS", {"Frame=7   AnalSect=\"FSEC 1\"", "Frame=8   AnalSect=BOX", "Frame=9   AnalSect=R"}),
      ReadFrameSectionAssigns);
    const auto& a = r.tables.frameAssigns;
    EXPECT_EQ(a.Frame, (V{"7", "8", "9"}));
    EXPECT_EQ(a.AnalSect, (V{"FSEC_1", "BOX", "R"}));
    EXPECT_EQ(a.Material, (V{"A36", "", "C"}));
    EXPECT_EQ(r.history.lines, (V{"Reacdion Frame Section Assign data .....", ".......... Done"}));
    r(Table("AREA SECTION ASSIGNMENTS", {"Area=1   Section=\"SL 1\""}), ReadAreaSectionAssigns);
    EXPECT_EQ(r.tables.areaAssigns.Section, V{"SL_1"});
}

TEST(LoadPatternReader, PatternTableWinsWhereverItStands) {
    ReaderRun r;
    const std::string cases = Table("LOAD CASE DEFINITIONS", {"Case=DEAD   Type=LinStatic"});
    const std::string patterns = Table("LOAD PATTERN DEFINITIONS",
                                       {"LoadPat=DEAD   DesignType=DEAD   SelfWtMult=1", "LoadPat=\"SUPER DEAD\"   DesignType=\"SUPER DEAD\" _",
                                        "   SelfWtMult=0"});
    r(cases + patterns, ReadLoadPatterns);
    const auto& p = r.tables.loadPatterns;
    EXPECT_EQ(p.LoadPat, (V{"DEAD", "SUPER_DEAD", "NULL"}));
    EXPECT_EQ(p.DesignType, (V{"DEAD", "SUPER$", "NULL"}));
    EXPECT_EQ(p.SelfWtMult, (V{"1", "NULL", "0"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Found : 3 Nos)");
    r(Table("LOAD CASE DEFINITIONS", {"LoadCase=LIVE   DesignType=LIVE"}), ReadLoadPatterns);
    EXPECT_EQ(p.LoadPat, V{"LIVE"});
    r("nothing\r\n", ReadLoadPatterns);
    EXPECT_TRUE(p.LoadPat.empty());
    EXPECT_EQ(r.history.lines.back(), "Not Found ..........");
}

TEST(LoadReaders, DefaultsDistancesAndContinuation) {
    ReaderRun r;
    r(Table("FRAME LOADS - DISTRIBUTED",
            {
                "Frame=1   LoadPat=D   CoordSys=GLOBAL   Dir=Gravity   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=5   FOverLA=2   FOverLB=2",
                "Frame=2   LoadPat=D   Dir=\"X Proj\"   RelDistA=0.25   RelDistB=1   AbsDistA=1   AbsDistB=4   FOverLA=2 _",
                "    FOverLB=3",
                "Frame=3   LoadCase=L   AbsDistB=7 _",
                "    FOverLA=1   FOverLB=1",
            }),
      ReadFrameDistLoads);
    const auto& d = r.tables.frameDistLoads;
    EXPECT_EQ(d.LoadPat, (V{"D", "D", "L"}));
    EXPECT_EQ(d.CoordSys, (V{"GLOBAL", "GLOBAL", "GLOBAL"}));
    EXPECT_EQ(d.Dir, (V{"Gravity", "X_Proj", "Z"}));
    EXPECT_EQ(d.AbsDistA, (V{" ", "1", "0.0"}));
    EXPECT_EQ(d.AbsDistB, (V{" ", "4", "7"}));
    EXPECT_EQ(d.FOverLB, (V{"2", "0.0", "0.0"}));  // fields on continuation lines are not seen
    EXPECT_EQ(r.history.lines, (V{"Reading Frame Uniform Load data ..........", ".......... Done"}));

    r(Table("FRAME LOADS - POINT", {"Frame=4   LoadCase=L   Dir=\"X Proj\"   AbsDist=2   Force=5"}), ReadFramePointLoads);
    EXPECT_EQ(r.tables.framePointLoads.Dir, V{"X$"});
    r(Table("JOINT LOADS - FORCE", {"Joint=1   LoadPat=D   F3=-10", "Joint=2   LoadPat=D   F1=1 _", "  M3=2"}), ReadJointLoads);
    EXPECT_EQ(r.tables.jointLoads.Joint, (V{"1", "2", "NULL"}));
    EXPECT_EQ(r.tables.jointLoads.F1, (V{"0.0", "1", "0.0"}));
    EXPECT_EQ(r.tables.jointLoads.M3, (V{"0.0", "0.0", "2"}));
    r(Table("AREA LOADS - UNIFORM", {"Area=1   LoadPat=D   UnifLoad=5", "Area=2   LoadPat=D   CoordSys=Local   Dir=\"Z Proj\"   UnifLoad=1"}),
      ReadAreaLoads);
    EXPECT_EQ(r.tables.areaLoads.Dir, (V{"Z", "Z_Proj"}));
    EXPECT_EQ(r.tables.areaLoads.CoordSys, (V{"GLOBAL", "Local"}));
}

TEST(CombinationReader, LinearRecordsNumberedByPattern) {
    ReaderRun r;
    r.tables.loadPatterns.LoadPat = {"DEAD", "LIVE", "DEAD"};
    r(Table("COMBINATION DEFINITIONS",
            {
                "ComboName=A   ComboType=\"Linear Add\"   CaseType=\"Linear Static\"   CaseName=DEAD   ScaleFactor=1.4",
                "ComboName=A   CaseType=\"Linear Static\"   CaseName=LIVE   ScaleFactor=1.6",
                "ComboName=\"COMB 1\"   ComboType=\"Linear Add\"   CaseName=LIVE   ScaleFactor=1",
                "ComboName=\"COMB 1\"   CaseName=DEAD   ScaleFactor=2",      // takes the type of its first record
                "ComboName=A   CaseType=\"Nonlinear Static\"   CaseName=DEAD   ScaleFactor=9",
                "ComboName=A   CaseType=Linear   CaseName=DEAD   ScaleFactor=9",
                "ComboName=A   CaseType=\"Linear Static\"   CaseName=WIND   ScaleFactor=9",  // no such pattern
                "ComboName=E   ComboType=Envelope   CaseName=DEAD   ScaleFactor=1",
                "ComboName=E   CaseName=DEAD   ScaleFactor=1",
                "ComboName=N   CaseName=DEAD   ScaleFactor=1",
                "ComboName=A   CaseType=\"Linear Static\"   CaseName=DEAD   ScaleFactor=1",
            }),
      ReadCombinations);
    const auto& k = r.tables.combinations;
    EXPECT_EQ(k.ComboName, (V{"A", "A", "COMB_1", "COMB_1", "A"}));
    EXPECT_EQ(k.LoadNumber, (V{"1", "2", "2", "1", "1"}));
    EXPECT_EQ(k.ScaleFactor, (V{"1.4", "1.6", "1", "2", "1"}));
    EXPECT_EQ(r.tables.CombinationList, (V{"A", "COMB_1", "A"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Combination : 3)");
    RunList runs;
    ListComboCases(k, "A", runs);
    EXPECT_EQ(runs, (V{"1", "1.4", "2", "1.6", "1", "1"}));
}

TEST(RestraintReader, LastRowRemovedOnlyWhenAnEmptyItemEndedTheTable) {
    ReaderRun r;
    r(Table("JOINT RESTRAINT ASSIGNMENTS",
            {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No", "Node=12   U1=No", "Joint=3   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}),
      ReadRestraints);
    const auto& t = r.tables.restraints;
    EXPECT_EQ(t.Joint, (V{"1", "2", "3"}));
    EXPECT_EQ(t.uy, (V{"Yes", "Yes", "Yes"}));  // the short record reads the leftover slots
    EXPECT_TRUE(r.history.lines.empty());
    r("TABLE:  \"JOINT RESTRAINT ASSIGNMENTS\"\r\n   Joint=1   U1=Yes\r\n   Joint=2   U1=No", ReadRestraints);
    EXPECT_EQ(t.Joint, (V{"1", "2"}));
    r("TABLE:  \"JOINT RESTRAINT ASSIGNMENTS\"\r\n \r\n", ReadRestraints);
    EXPECT_TRUE(t.Joint.empty());
    r("x\r\n", ReadRestraints);
    EXPECT_EQ(r.history.lines, V{".......... Not Found"});
}

TEST(ReleaseReader, FieldsByName) {
    ReaderRun r;
    r(Table("FRAME RELEASE ASSIGNMENTS 1 - GENERAL", {"Frame=7   M3J=Yes   M3I=No   M2I=No", "M2J=Yes   Frame=8"}), ReadReleases);
    const auto& t = r.tables.releases;
    EXPECT_EQ(t.Frame, (V{"7", "8"}));
    EXPECT_EQ(t.M2J, (V{"NULL", "Yes"}));
    EXPECT_EQ(t.M3J, (V{"Yes", "NULL"}));
    EXPECT_EQ(r.history.lines, (V{"Reading Member Release data ..........", ".......... Done (Total Release Found : 2)"}));
}

TEST(Lookups, SectionFramesAndSectionAreas) {
    InputText input(Table("FRAME SECTION ASSIGNMENTS", {"Frame=7   AnalSect=\"FSEC 1\"", "Frame=8   AnalSect=R", "Frame=7   AnalSect=\"FSEC 1\""}) +
                    Table("AREA SECTION ASSIGNMENTS",
                          {"Area=12   Section=SL", "Area=3   Section=\"SL 1\"", "Area=12   Section=SL", "Area=7.5   Section=SL"}));
    MemoryMessages messages;
    EXPECT_EQ(FindSectionFrames(input, messages, "FSEC_1"), (V{"7", "7"}));
    SectionAreaLookup areas(input, messages);
    EXPECT_EQ(areas.FindSectionAreas("SL"), (V{"100012", "100012", "100007.5"}));
    EXPECT_EQ(areas.FindSectionAreas("SL_1"), V{"100003"});
    EXPECT_TRUE(areas.FindSectionAreas("none").empty());
    EXPECT_TRUE(messages.shown.empty());

    InputText bare("nothing\r\n");
    SectionAreaLookup none(bare, messages);
    none.FindSectionAreas("A");
    none.FindSectionAreas("B");
    FindSectionFrames(bare, messages, "A");
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, "No Area Information Found");
}
