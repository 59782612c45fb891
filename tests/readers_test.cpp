// Every table reader: its cells, defaults, markers and history lines.
#include "TestSupport.h"
#include "link/Link.h"
#include "reader/Readers.h"

#include <gtest/gtest.h>

using namespace corvane;
using corvane::test::ColumnTexts;
using corvane::test::TableText;
using V = std::vector<std::string>;

namespace {

struct ReaderRun {
    Model model;
    MemoryHistory history;
    Report report;
    bool allSections = false;
    void operator()(const std::string& text, void (*reader)(ReadContext&)) {
        const InputText input = InputText::FromBytes(text);
        ReadContext c{input, model, history, &report, {allSections}};
        reader(c);
    }
    V Column(TableId id, int col) const { return ColumnTexts(model[id], col); }
    const UnitsInfo& units() const { return model.units; }
};

}  // namespace

TEST(UnitsReader, ForceFromTheLastTokenAndLengthFromTheNextItem) {
    ReaderRun r;
    r("x\r\n", ReadUnits);
    EXPECT_EQ(r.units().force, " ");
    EXPECT_EQ(r.history.lines, V{"Unit Information  ... Not Found"});
    r(TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=\"KN, m, C\"   SteelCode=X"}), ReadUnits);
    EXPECT_EQ(r.units().force, "KN");
    EXPECT_EQ(r.units().length, "m");
    r(TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=\"N, mm, C\""}), ReadUnits);
    EXPECT_EQ(r.units().force, "N");
    EXPECT_EQ(r.units().length, "mm");
    r(TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=\"Kip, in, F\""}), ReadUnits);
    EXPECT_EQ(r.units().force, "Ki");
    // Without a comma the length is the empty item that ends the table.
    r(TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=Kip"}), ReadUnits);
    EXPECT_EQ(r.units().force, "ip");
    EXPECT_EQ(r.units().length, "");
    EXPECT_EQ(r.history.lines.back(), "Unit Information  ... Done");
}

TEST(JointReader, GlobalFieldsOwnCoordinatesAndNull) {
    ReaderRun r;
    r(TableText("JOINT COORDINATES", {
                                     "Joint=3   Other=1   GlobalX=0   GlobalY=120   GlobalZ=240",
                                     "Joint=4   GlobalX=1.5E+02   GlobalY=-12.5",
                                     "Joint=5   CoordSys=GLOBAL   CoordType=Cartesian   XorR=2   Y=3   Z=4",
                                     "Joint=6   CoordSys=GLOBAL   CoordType=Cylindrical   XorR=2   T=90   Z=7",
                                     "Joint=8   CoordSys=GLOBAL   CoordType=Cylindrical   XorR=2   T=-570   Z=7",
                                     "Joint=9   CoordSys=GLOBAL   CoordType=Cylindrical   XorR=2   T=1E400   Z=7",
                                     "Joint=7   CoordSys=LOCAL1   CoordType=Cartesian   XorR=2   Y=3   Z=4",
                                     "NoKeys",
                                 }),
      ReadJoints);
    EXPECT_EQ(r.Column(TableId::Joints, JointCol::Joint), (V{"3", "4", "5", "6", "8", "9", "7", "NULL"}));
    // Right angles land exactly on the axes (-570 is 150 degrees); an angle
    // that is no finite number gives no coordinates.
    EXPECT_EQ(r.Column(TableId::Joints, JointCol::GlobalX), (V{"0", "1.5E+02", "2", "0", "-1.73205080756888", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(r.Column(TableId::Joints, JointCol::GlobalY), (V{"120", "-12.5", "3", "2", "1", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(r.Column(TableId::Joints, JointCol::GlobalZ), (V{"240", "NULL", "4", "7", "7", "7", "NULL", "NULL"}));
    EXPECT_EQ(r.history.lines, (V{"Read Node data  ... ", "Reading Joint Cordinates data ..........",
                                  ".......... Done (Total Joints : 8)"}));
    r.history.Clear();
    r("nothing\r\n", ReadJoints);
    EXPECT_TRUE(r.model[TableId::Joints].empty());
    EXPECT_EQ(r.history.lines.back(), ".......... Not Found");
}

TEST(ConnectivityReaders, FramesArePositionalAreasCountTheirJoints) {
    ReaderRun r;
    r(TableText("CONNECTIVITY - FRAME", {"Frame=12   JointI=3   JointJ=7   Length=5", "Frame=13"}), ReadFrames);
    EXPECT_EQ(r.Column(TableId::Frames, FrameCol::Frame), (V{"12", "13"}));
    EXPECT_EQ(r.Column(TableId::Frames, FrameCol::JointI), (V{"3", "3"}));  // a short record reads the leftover slots
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Frame Elemets : 2)");

    r(TableText("CONNECTIVITY - AREA", {
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
    EXPECT_EQ(r.Column(TableId::Areas, AreaCol::Area), (V{"5", "8", "10", "12", "13"}));
    EXPECT_EQ(r.Column(TableId::Areas, AreaCol::NumJoints), (V{"4", "3", "4.0", "3", "4"}));
    EXPECT_EQ(r.Column(TableId::Areas, AreaCol::Joint4), (V{"5", "NULL", "5", "NULL", "7"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Shell Elements : 5)");
    EXPECT_EQ(r.report.entries.size(), 3u);
    EXPECT_EQ(r.report.entries[0].kind, ReportKind::AreaJointCount);
}

TEST(SectionReaders, MaterialsFrameSectionsAreaSections) {
    ReaderRun r;
    r(TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES",
            {"Material=\"A992 Fy50\"   UnitWeight=7.8   E1=29000   U12=0.3", "Material=CONC   E1=3600   U12=", "UnitWeight=1"}),
      ReadMaterials);
    EXPECT_EQ(r.Column(TableId::Materials, MaterialCol::Material), (V{"A992_Fy50", "CONC", "NULL"}));
    EXPECT_EQ(r.Column(TableId::Materials, MaterialCol::UnitWeight), (V{"7.8", "0.0", "1"}));
    EXPECT_EQ(r.Column(TableId::Materials, MaterialCol::U12), (V{"0.3", "", "0.0"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Material : 3)");

    r(TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
            {
                "SectionName=R1   Material=C   Shape=Rectangular   t3=0.6   t2=0.3   Area=1 _",
                "     TorsConst=2   I33=3   I22=4",
                "SectionName=\"FSEC 1\"   Material=C   Shape=Circle   t3=0.5",
                "SectionName=W14   Material=S   Shape=\"I/Wide Flange\"   t3=12   t2=8   tf=0.5   tw=0.3   t2b=8   tfb=0.5",
                "SectionName=B1   Material=S   Shape=Box/Tube   Area=1   TorsConst=2   I33=3   I22=4",
                "SectionName=C1   Material=S   Shape=circle   t3=1",
            }),
      ReadFrameSections);
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::SectionName), (V{"R1", "FSEC_1", "W14"}));
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::Dim1), (V{"0.6", "0.5", "12 0.3 12 8 0.5 8 0.5"}));
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::Dim2), (V{"0.3", "-", "-"}));
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::Shape), (V{"Rectangular", "Circle", "I/Wide$"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Frame Section : 3)");

    r(TableText("AREA SECTION PROPERTIES", {"Section=\"SL 1\"   Material=C   Thickness=0.2 _", "   BendThick=0.2", "Section=M   Material=C"}),
      ReadAreaSections);
    EXPECT_EQ(r.Column(TableId::AreaSections, AreaSectionCol::Section), (V{"SL_1", "M"}));
    EXPECT_EQ(r.Column(TableId::AreaSections, AreaSectionCol::Thickness), (V{"0.2", "0.0"}));
}

TEST(SectionReaders, AllSectionsKeepsComputedProperties) {
    ReaderRun r;
    r.allSections = true;
    r(TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
            {
                "SectionName=B1   Material=S   Shape=Box/Tube   t3=1   Area=0.5   TorsConst=2 _",
                "     I33=3   I22=4   AS2=0.1   AS3=0",
                "SectionName=SD   Material=S   Shape=\"SD Section\"   Area=1   TorsConst=2   I33=3   I22=4",
                "SectionName=NP   Shape=Nonprismatic   Color=2",
                "SectionName=R   Material=C   Shape=Rectangular   t3=0.6   t2=0.3",
            }),
      ReadFrameSections);
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::SectionName), (V{"B1", "SD", "R"}));
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::Shape), (V{"Box/Tube", "SD$", "Rectangular"}));
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::Dim1), (V{"AX 0.5 IX 2 IY 4 IZ 3 AY 0.1", "AX 1 IX 2 IY 4 IZ 3", "0.6"}));
    EXPECT_EQ(r.Column(TableId::FrameSections, FrameSectionCol::Dim2), (V{"-", "-", "0.3"}));
}

TEST(AssignmentReaders, MaterialStaysAlignedWithFrame) {
    ReaderRun r;
    r(TableText("FRAME SECTION PROPERTIES 01 - GENERAL",
            {"SectionName=FSEC_1   Material=A36   Shape=Circle", "SectionName=\"FSEC 1\"   Material=other   Shape=Circle",
             "SectionName=R   Material=C   Shape=Circle"}),
      ReadFrameSections);
    r.history.Clear();
    r(TableText("FRAME SECTION ASSIGNMENTS", {"Frame=7   AnalSect=\"FSEC 1\"", "Frame=8   AnalSect=BOX", "Frame=9   AnalSect=R"}),
      ReadFrameSectionAssigns);
    EXPECT_EQ(r.Column(TableId::FrameAssigns, FrameAssignCol::Frame), (V{"7", "8", "9"}));
    EXPECT_EQ(r.Column(TableId::FrameAssigns, FrameAssignCol::AnalSect), (V{"FSEC_1", "BOX", "R"}));
    EXPECT_EQ(r.Column(TableId::FrameAssigns, FrameAssignCol::Material), (V{"A36", "", "C"}));
    EXPECT_EQ(r.history.lines, (V{"Reacdion Frame Section Assign data .....", ".......... Done"}));
    r(TableText("AREA SECTION ASSIGNMENTS", {"Area=1   Section=\"SL 1\""}), ReadAreaSectionAssigns);
    EXPECT_EQ(r.Column(TableId::AreaAssigns, AreaAssignCol::Section), V{"SL_1"});
}

TEST(LoadPatternReader, PatternTableWinsWhereverItStands) {
    ReaderRun r;
    const std::string cases = TableText("LOAD CASE DEFINITIONS", {"Case=DEAD   Type=LinStatic"});
    const std::string patterns = TableText("LOAD PATTERN DEFINITIONS",
                                       {"LoadPat=DEAD   DesignType=DEAD   SelfWtMult=1", "LoadPat=\"SUPER DEAD\"   DesignType=\"SUPER DEAD\" _",
                                        "   SelfWtMult=0"});
    r(cases + patterns, ReadLoadPatterns);
    EXPECT_EQ(r.Column(TableId::LoadPatterns, LoadPatternCol::LoadPat), (V{"DEAD", "SUPER_DEAD", "NULL"}));
    EXPECT_EQ(r.Column(TableId::LoadPatterns, LoadPatternCol::DesignType), (V{"DEAD", "SUPER$", "NULL"}));
    EXPECT_EQ(r.Column(TableId::LoadPatterns, LoadPatternCol::SelfWtMult), (V{"1", "NULL", "0"}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Found : 3 Nos)");
    r(TableText("LOAD CASE DEFINITIONS", {"LoadCase=LIVE   DesignType=LIVE"}), ReadLoadPatterns);
    EXPECT_EQ(r.Column(TableId::LoadPatterns, LoadPatternCol::LoadPat), V{"LIVE"});
    r("nothing\r\n", ReadLoadPatterns);
    EXPECT_TRUE(r.model[TableId::LoadPatterns].empty());
    EXPECT_EQ(r.history.lines.back(), "Not Found ..........");
}

TEST(LoadReaders, DefaultsDistancesAndContinuation) {
    ReaderRun r;
    r(TableText("FRAME LOADS - DISTRIBUTED",
            {
                "Frame=1   LoadPat=D   CoordSys=GLOBAL   Dir=Gravity   RelDistA=0   RelDistB=1   AbsDistA=0   AbsDistB=5   FOverLA=2   FOverLB=2",
                "Frame=2   LoadPat=D   Dir=\"X Proj\"   RelDistA=0.25   RelDistB=1   AbsDistA=1   AbsDistB=4   FOverLA=2 _",
                "    FOverLB=3",
                "Frame=3   LoadCase=L   AbsDistB=7 _",
                "    FOverLA=1   FOverLB=1",
            }),
      ReadFrameDistLoads);
    const auto d = [&](int col) { return r.Column(TableId::FrameDistLoads, col); };
    EXPECT_EQ(d(FrameDistLoadCol::LoadPat), (V{"D", "D", "L"}));
    EXPECT_EQ(d(FrameDistLoadCol::CoordSys), (V{"GLOBAL", "GLOBAL", "GLOBAL"}));
    EXPECT_EQ(d(FrameDistLoadCol::Dir), (V{"Gravity", "X_Proj", "Z"}));
    EXPECT_EQ(d(FrameDistLoadCol::AbsDistA), (V{" ", "1", "0.0"}));
    EXPECT_EQ(d(FrameDistLoadCol::AbsDistB), (V{" ", "4", "7"}));
    EXPECT_EQ(d(FrameDistLoadCol::FOverLB), (V{"2", "0.0", "0.0"}));  // fields on continuation lines are not seen
    EXPECT_EQ(r.history.lines, (V{"Reading Frame Uniform Load data ..........", ".......... Done"}));

    r(TableText("FRAME LOADS - POINT", {"Frame=4   LoadCase=L   Dir=\"X Proj\"   AbsDist=2   Force=5"}), ReadFramePointLoads);
    EXPECT_EQ(r.Column(TableId::FramePointLoads, FramePointLoadCol::Dir), V{"X$"});
    r(TableText("JOINT LOADS - FORCE", {"Joint=1   LoadPat=D   F3=-10", "Joint=2   LoadPat=D   F1=1 _", "  M3=2"}), ReadJointLoads);
    EXPECT_EQ(r.Column(TableId::JointLoads, JointLoadCol::Joint), (V{"1", "2", "NULL"}));
    EXPECT_EQ(r.Column(TableId::JointLoads, JointLoadCol::F1), (V{"0.0", "1", "0.0"}));
    EXPECT_EQ(r.Column(TableId::JointLoads, JointLoadCol::M3), (V{"0.0", "0.0", "2"}));
    r(TableText("AREA LOADS - UNIFORM", {"Area=1   LoadPat=D   UnifLoad=5", "Area=2   LoadPat=D   CoordSys=Local   Dir=\"Z Proj\"   UnifLoad=1"}),
      ReadAreaLoads);
    EXPECT_EQ(r.Column(TableId::AreaLoads, AreaLoadCol::Dir), (V{"Z", "Z_Proj"}));
    EXPECT_EQ(r.Column(TableId::AreaLoads, AreaLoadCol::CoordSys), (V{"GLOBAL", "Local"}));
}

TEST(CombinationReader, LinearRecordsNumberedByPattern) {
    ReaderRun r;
    r(TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=DEAD", "LoadPat=LIVE", "LoadPat=DEAD"}), ReadLoadPatterns);
    r(TableText("COMBINATION DEFINITIONS",
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
    const Table& k = r.model[TableId::Combinations];
    EXPECT_EQ(ColumnTexts(k, CombinationCol::ComboName), (V{"A", "A", "COMB_1", "COMB_1", "A"}));
    EXPECT_EQ(ColumnTexts(k, CombinationCol::LoadNumber), (V{"1", "2", "2", "1", "1"}));
    EXPECT_EQ(ColumnTexts(k, CombinationCol::ScaleFactor), (V{"1.4", "1.6", "1", "2", "1"}));
    EXPECT_EQ(r.model.combinationStarts, (std::vector<std::uint32_t>{0, 2, 4}));
    EXPECT_EQ(r.history.lines.back(), ".......... Done (Total Combination : 3)");
}

TEST(RestraintReader, LastRowRemovedOnlyWhenAnEmptyItemEndedTheTable) {
    ReaderRun r;
    r(TableText("JOINT RESTRAINT ASSIGNMENTS",
            {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No", "Node=12   U1=No", "Joint=3   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}),
      ReadRestraints);
    EXPECT_EQ(r.Column(TableId::Restraints, RestraintCol::Joint), (V{"1", "2", "3"}));
    EXPECT_EQ(r.Column(TableId::Restraints, RestraintCol::uy), (V{"Yes", "Yes", "Yes"}));  // the short record reads the leftover slots
    EXPECT_TRUE(r.history.lines.empty());
    r("TABLE:  \"JOINT RESTRAINT ASSIGNMENTS\"\r\n   Joint=1   U1=Yes\r\n   Joint=2   U1=No", ReadRestraints);
    EXPECT_EQ(r.Column(TableId::Restraints, RestraintCol::Joint), (V{"1", "2"}));
    r("TABLE:  \"JOINT RESTRAINT ASSIGNMENTS\"\r\n \r\n", ReadRestraints);
    EXPECT_TRUE(r.model[TableId::Restraints].empty());
    r("x\r\n", ReadRestraints);
    EXPECT_EQ(r.history.lines, V{".......... Not Found"});
}

TEST(ReleaseReader, FieldsByName) {
    ReaderRun r;
    r(TableText("FRAME RELEASE ASSIGNMENTS 1 - GENERAL", {"Frame=7   M3J=Yes   M3I=No   M2I=No", "M2J=Yes   Frame=8"}), ReadReleases);
    EXPECT_EQ(r.Column(TableId::Releases, ReleaseCol::Frame), (V{"7", "8"}));
    EXPECT_EQ(r.Column(TableId::Releases, ReleaseCol::M2J), (V{"NULL", "Yes"}));
    EXPECT_EQ(r.Column(TableId::Releases, ReleaseCol::M3J), (V{"Yes", "NULL"}));
    EXPECT_EQ(r.history.lines, (V{"Reading Member Release data ..........", ".......... Done (Total Release Found : 2)"}));
}

TEST(Links, SectionMembersAndElementsFromTheAssignmentsAsRead) {
    ReaderRun r;
    const std::string text =
        TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=\"FSEC 1\"   Material=S   Shape=Circle   t3=1"}) +
        TableText("FRAME SECTION ASSIGNMENTS", {"Frame=7   AnalSect=\"FSEC 1\"", "Frame=8   AnalSect=R", "Frame=7   AnalSect=\"FSEC 1\""}) +
        TableText("AREA SECTION PROPERTIES", {"Section=SL   Material=C", "Section=\"SL 1\"   Material=C", "Section=none   Material=C"}) +
        TableText("AREA SECTION ASSIGNMENTS",
              {"Area=12   Section=SL", "Area=3   Section=\"SL 1\"", "Area=12   Section=SL", "Area=7.5   Section=SL",
               "Section=SL   Area=4"});
    for (auto reader : {ReadFrameSections, ReadFrameSectionAssigns, ReadAreaSections, ReadAreaSectionAssigns}) r(text, reader);
    const Links links = Link(r.model, nullptr, LinkOptions{});
    const Table& assigns = r.model[TableId::FrameAssigns];
    V frames;
    for (std::uint32_t row : links.membersOfSection[0]) frames.push_back(assigns.Text(row, FrameAssignCol::Frame));
    EXPECT_EQ(frames, (V{"7", "7"}));
    const auto elements = [&](std::size_t section) {
        V numbers;
        for (std::uint32_t row : links.areasOfSection[static_cast<std::int64_t>(section)])
            numbers.push_back(ElementNumber(r.model[TableId::AreaAssigns].View(row, AreaAssignCol::Area), links.shellOffset));
        return numbers;
    };
    // The area and its section are found by their keys, quoted names joined
    // as the reader joins them.
    EXPECT_EQ(elements(0), (V{"100012", "100012", "100007.5", "100004"}));
    EXPECT_EQ(elements(1), V{"100003"});
    EXPECT_TRUE(elements(2).empty());
    EXPECT_TRUE(links.areaAssignmentsFound);
}
