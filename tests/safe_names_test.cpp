// What the input's names and layout cannot do to the outputs: names that
// would be commands in a STAAD.Pro file or an Abaqus deck, headers and
// table ends of any spelling, coordinates that are no numbers, and names
// that would break a CSV, a TSV or a spreadsheet.
#include "FullTestSupport.h"
#include "cli/TablesOutput.h"
#include "driver/ReportOutput.h"
#include "link/Link.h"
#include "staad/Blocks.h"
#include "text/SafeNames.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;
using namespace corvane::test;
using V = std::vector<std::string>;

namespace {

const std::string kTwoJoints = TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0"});

bool HasChanged(const Report& report, const std::string& from, const std::string& to) {
    return std::any_of(report.entries.begin(), report.entries.end(),
                       [&](const ReportEntry& e) { return KindId(e.kind) == "name-changed" && e.name == from && e.b == to; });
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

TEST(SafeNames, EachFormatReplacesWhatItReadsAsSyntax) {
    const auto staad = [](std::string_view name) { return SafeName(NameFormat::Staad, name); };
    EXPECT_EQ(staad("C30;FINISH"), "C30_FINISH");
    EXPECT_EQ(staad("WX-"), "WX_");
    EXPECT_EQ(staad("*7"), "_7");
    EXPECT_EQ(staad("c d\te\r\nf"), "c_d_e__f");
    // Only a first "*" and a last "-" are syntax.
    for (const char* kept : {"Unit_X_-_6.0$", "a*b", "-1", "ST52/3", "GB-fpk1570"}) {
        EXPECT_TRUE(IsSafeName(NameFormat::Staad, kept)) << kept;
        EXPECT_EQ(staad(kept), kept);
    }
    const auto abaqus = [](std::string_view name) { return SafeName(NameFormat::Abaqus, name); };
    EXPECT_EQ(abaqus("*Step"), "_Step");
    EXPECT_EQ(abaqus("**7"), "__7");
    EXPECT_EQ(abaqus("a,b=c \"d\""), "a_b_c__d_");
    for (const char* kept : {"Membrane-Balsa", "4000Psi", "CONC_C40_0.7E"}) EXPECT_TRUE(IsSafeName(NameFormat::Abaqus, kept)) << kept;
}

TEST(SafeNames, NamesNeitherEndNorContinueAStaadCommand) {
    const ClassicRun r = RunClassic(
        TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=4   GlobalY=0   GlobalZ=0",
                                        "Joint=*3   GlobalX=0   GlobalY=0   GlobalZ=3"}) +
        TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=2", "Frame=2   JointI=1   JointJ=*3"}) +
        TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=C30;FINISH   UnitWeight=78.5   E1=2E+08   U12=0.3"}) +
        TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=W14X22;FINISH   Material=C30;FINISH   Shape=\"I/Wide Flange\"   t3=0.3"}) +
        TableText("FRAME SECTION ASSIGNMENTS", {"Frame=1   AnalSect=W14X22;FINISH", "Frame=2   AnalSect=W14X22;FINISH"}) +
        TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=WX-   DesignType=Wind;X   SelfWtMult=0"}) +
        TableText("FRAME LOADS - DISTRIBUTED", {"Frame=1   LoadPat=WX-   CoordSys=GLOBAL   Dir=Gravity   FOverLA=1   FOverLB=1"}) +
        TableText("COMBINATION DEFINITIONS", {"ComboName=C;1   ComboType=\"Linear Add\"   CaseName=WX-   ScaleFactor=1"}));
    const V& lines = r.lines;
    // A joint label that is no number gets a new one, as STAAD.Pro needs.
    EXPECT_TRUE(Has(lines, "3 0 3 0"));
    EXPECT_TRUE(Has(lines, "2 1 3"));
    EXPECT_TRUE(HasEntry(r.report, "labels-renumbered", "1"));
    EXPECT_TRUE(Has(lines, "ISOTROPIC C30_FINISH"));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return StartsWith(l, "MATERIAL C30_FINISH MEMB "); }));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.find("TABLE ST W14X22_FINISH") != std::string::npos; }));
    EXPECT_TRUE(Has(lines, "LOAD 1 LOADTYPE Wind_X TITLE WX_"));
    EXPECT_TRUE(Has(lines, "LOAD COMB 2 C_1"));
    // The load after the title is read as a load, not as part of the title.
    const auto title = std::find(lines.begin(), lines.end(), "LOAD 1 LOADTYPE Wind_X TITLE WX_");
    ASSERT_NE(title, lines.end());
    EXPECT_EQ(*(title + 1), "MEMBER LOAD");
    for (const std::string& l : lines) {
        EXPECT_EQ(l.find(';'), std::string::npos) << l;
        EXPECT_FALSE(!l.empty() && (l.front() == '*' || l.back() == '-')) << l;
    }
    // Each name is changed once, and reported with both spellings.
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"C30;FINISH", "C30_FINISH"}, {"W14X22;FINISH", "W14X22_FINISH"}, {"WX-", "WX_"}, {"Wind;X", "Wind_X"}, {"C;1", "C_1"}})
        EXPECT_TRUE(HasChanged(r.report, from, to)) << from;
    EXPECT_EQ(std::count_if(r.report.entries.begin(), r.report.entries.end(), [](const ReportEntry& e) { return KindId(e.kind) == "name-changed"; }), 5);
    const auto entry = std::find_if(r.report.entries.begin(), r.report.entries.end(), [](const ReportEntry& e) { return e.name == "WX-"; });
    ASSERT_NE(entry, r.report.entries.end());
    EXPECT_EQ(Sentence(*entry), "Load pattern WX- is written as WX_: the output would read its name as something else.");
}

TEST(SafeNames, TheDeckWritesNoLabelThatIsNoWholeNumberAndNoNameThatIsSyntax) {
    const FullRun r = RunClassicAbaqus(
        TableText("JOINT COORDINATES", {"Joint=*Step   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=**7   GlobalX=1   GlobalY=0   GlobalZ=0",
                                        "Joint=3   GlobalX=1   GlobalY=1   GlobalZ=0", "Joint=4   GlobalX=0   GlobalY=1   GlobalZ=0"}) +
        TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=4   Joint1=*Step   Joint2=**7   Joint3=3   Joint4=4"}) +
        TableText("AREA SECTION PROPERTIES", {"Section=S=1   Material=*Mat   Thickness=0.2"}) +
        TableText("AREA SECTION ASSIGNMENTS", {"Area=1   Section=S=1"}) +
        TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=*Mat   UnitWeight=25   E1=3E+07   U12=0.2"}) +
        TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=**7   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No"}));
    const V lines = CrlfLines(r.text);
    // Joints 3 and 4 keep their labels; the others follow the largest.
    const auto node = std::find(lines.begin(), lines.end(), "*Node");
    ASSERT_NE(node, lines.end());
    EXPECT_EQ(V(node + 1, node + 5), (V{"5, 0, 0, 0", "6, 1, 0, 0", "3, 1, 1, 0", "4, 0, 1, 0"}));
    EXPECT_TRUE(Has(lines, "100001, 5, 6, 3, 4"));
    EXPECT_TRUE(Has(lines, "*Elset, elset=S_1"));
    EXPECT_TRUE(Has(lines, "*Shell Section, elset=S_1, material=_Mat"));
    EXPECT_TRUE(Has(lines, "*Material, name= _Mat"));
    const auto nset = std::find(lines.begin(), lines.end(), "*Nset, nset=_PickedSet4, internal, instance=Part-1-1");
    ASSERT_NE(nset, lines.end());
    EXPECT_EQ(*(nset + 1), "6");
    for (const std::string& l : lines) EXPECT_FALSE(StartsWith(l, "*Step,") ? false : StartsWith(l, "*Step") || StartsWith(l, "**7")) << l;
    for (const auto& [from, to] :
         std::vector<std::pair<std::string, std::string>>{{"*Step", "5"}, {"**7", "6"}, {"*Mat", "_Mat"}, {"S=1", "S_1"}})
        EXPECT_TRUE(HasChanged(r.report, from, to)) << from;
}

TEST(Tables, AMissingJointOrElementTableIsReported) {
    const ClassicRun noJoints = RunClassic(TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=2"}));
    EXPECT_TRUE(HasEntry(noJoints.report, "table-missing", "JOINT COORDINATES"));
    EXPECT_FALSE(HasEntry(noJoints.report, "table-missing", "CONNECTIVITY - FRAME"));
    const ClassicRun noElements = RunClassic(kTwoJoints);
    EXPECT_TRUE(HasEntry(noElements.report, "table-missing", "CONNECTIVITY - FRAME"));
    EXPECT_FALSE(HasEntry(noElements.report, "table-missing", "JOINT COORDINATES"));
    const auto entry = std::find_if(noElements.report.entries.begin(), noElements.report.entries.end(),
                                    [](const ReportEntry& e) { return KindId(e.kind) == "table-missing"; });
    EXPECT_EQ(Sentence(*entry), "The input has no table \"CONNECTIVITY - FRAME\" nor \"CONNECTIVITY - AREA\"; the model has no members or elements.");
    // Areas alone are elements.
    EXPECT_FALSE(HasEntry(RunClassic(kTwoJoints + TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=3   Joint1=1   Joint2=2   Joint3=1"})).report,
                          "table-missing", ""));

    // A header with one blank is found; without it, --strict fails.
    TempDir dir;
    std::string oneBlank = kTwoJoints + TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=2"});
    std::string misspelt = oneBlank;
    for (std::string* text : {&oneBlank, &misspelt})
        for (std::size_t at; (at = text->find("TABLE:  ")) != std::string::npos;) text->replace(at, 8, text == &oneBlank ? "TABLE: " : "TABLE:x ");
    const CliRun found = RunCli({"convert", dir.Write("one.s2k", oneBlank), "--strict", "-q"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_TRUE(Has(CrlfLines(ReadFile(dir.Path("one.std"))), "1 1 2"));
    const CliRun missing = RunCli({"convert", dir.Write("bad.s2k", misspelt), "--strict"});
    EXPECT_EQ(missing.status, 3) << missing.err;
    EXPECT_NE(missing.err.find("table-missing"), std::string::npos) << missing.err;
}

TEST(Tables, ATableEndsAtTheNextHeaderAndReadingStaysLinear) {
    // The blank lines between the tables left out.
    std::string text = kTwoJoints +
                       TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=1   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes",
                                                                 "Joint=2   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
                       TableText("CONNECTIVITY - FRAME", {"Frame=1   JointI=1   JointJ=2"});
    for (std::size_t at; (at = text.find("\r\n \r\n")) != std::string::npos;) text.erase(at, 3);
    const ClassicRun r = RunClassic(text);
    EXPECT_TRUE(Has(r.lines, "1 TO 2  FIXED"));
    const auto joints = std::find(r.lines.begin(), r.lines.end(), "JOINT COORDINATES");
    ASSERT_NE(joints, r.lines.end());
    EXPECT_EQ(V(joints, joints + 5), (V{"JOINT COORDINATES", "1 0 0 0", "2 4 0 0", "MEMBER INCIDENCES", "1 1 2"}));
    EXPECT_EQ(r.text.find("NULL"), std::string::npos);
    // Only the last table runs to the end of the file.
    EXPECT_TRUE(HasEntry(r.report, "table-cut", ""));
    EXPECT_EQ(std::count_if(r.report.entries.begin(), r.report.entries.end(), [](const ReportEntry& e) { return KindId(e.kind) == "table-cut"; }), 1);

    // Many tables without blank lines: every table counts its own record,
    // so the records read add up to the number of tables, not to the
    // square of it (reading each to the end of the file took minutes).
    constexpr std::size_t kTables = 40000;
    std::string many;
    for (std::size_t i = 0; i < kTables; ++i) many += "TABLE: \"T" + std::to_string(i) + "\"\r\n   A=1\r\n";
    const ClassicRun m = RunClassic(kTwoJoints + many);
    std::size_t tables = 0, records = 0;
    for (const ReportEntry& e : m.report.entries) {
        if (KindId(e.kind) != "table-not-read") continue;
        ++tables;
        records += std::stoul(e.a);
    }
    EXPECT_EQ(tables, kTables);
    EXPECT_EQ(records, kTables);
}

TEST(Coordinates, AJointWithoutANumberHasNoLineAndNoPlace) {
    const ClassicRun r = RunClassic(TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=abc   GlobalZ=5", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0"}));
    const auto joints = std::find(r.lines.begin(), r.lines.end(), "JOINT COORDINATES");
    ASSERT_NE(joints, r.lines.end());
    EXPECT_EQ(V(joints, joints + 3), (V{"JOINT COORDINATES", "2 1 0 0", "MEMBER INCIDENCES"}));
    EXPECT_TRUE(HasEntry(r.report, "number-invalid", "1", "", "GlobalY"));

    // A model whose joints all lack a number draws nothing and says so.
    TempDir dir;
    const std::string input = dir.Write("m.s2k", TableText("JOINT COORDINATES", {"Joint=1   GlobalX=a   GlobalY=b   GlobalZ=c",
                                                                                 "Joint=2   GlobalX=1   GlobalY=x   GlobalZ=0"}));
    const CliRun preview = RunCli({"preview", input, "-o", dir.Path("m.png")});
    EXPECT_EQ(preview.status, 1);
#ifdef CORVANE_HAVE_PICTURE
    EXPECT_NE(preview.err.find("no joint with coordinates"), std::string::npos) << preview.err;
#endif
    EXPECT_FALSE(Exists(dir.Path("m.png")));
}

TEST(Spreadsheets, TheNumberMapQuotesNamesTakenForFormulas) {
    Model m;
    FillTable(m, TableId::Joints, {{"=1+1", "+1", "-1+1", "@SUM(A1)", "\tx", "ok", "5"}});
    const Links links = Link(m, nullptr, LinkOptions{true, true, {}});
    StringSink out;
    WriteNumberMap(m, links, out);
    EXPECT_EQ(out.text, "kind,sap2000,staad\r\njoint,\"'=1+1\",6\r\njoint,\"'+1\",7\r\njoint,\"'-1+1\",8\r\njoint,\"'@SUM(A1)\",9\r\n"
                        "joint,\"'\tx\",10\r\njoint,ok,11\r\n");
}

TEST(TabSeparated, TabsLineBreaksAndBackslashesInNamesAreEscaped) {
    Report report;
    report.Add(ReportKind::DuplicateName, "JOINT COORDINATES", "a\tb\nc\\d\re", "Joint");
    EXPECT_EQ(ReportTsv(report), "kind\ttable\tname\tsentence\nduplicate-name\tJOINT COORDINATES\ta\\tb\\nc\\\\d\\re\t"
                                 "Joint a\\tb\\nc\\\\d\\re stands more than once in its table; the later row is written as well.\n");
    Model m;
    FillTable(m, TableId::Joints, {{"a\tb", "c\nd"}, {"0", "1\\2"}, {"0", "0"}, {"0", "0"}});
    std::string listing;
    ASSERT_TRUE(WriteTablesText(m, [&](std::string_view bytes) {
        listing.append(bytes);
        return true;
    }));
    EXPECT_NE(listing.find("\nJoint\tGlobalX\tGlobalY\tGlobalZ\na\\tb\t0\t0\t0\nc\\nd\t1\\\\2\t0\t0\n"), std::string::npos) << listing;
}
