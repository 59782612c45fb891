// Names that survive the conversion and files STAAD.Pro accepts: quoted
// names of any length, shell numbers apart from member numbers, 79-column
// lines, default output names and renumbering.
#include "TestSupport.h"
#include "driver/Files.h"
#include "link/Link.h"
#include "staad/Blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

using namespace corvane;
using namespace corvane::test;
using V = std::vector<std::string>;

namespace {

const std::string kTriangle = TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0",
                                                              "Joint=3   GlobalX=1   GlobalY=1   GlobalZ=0"});

}  // namespace

TEST(QuotedNames, ValuesOfAnyLengthKeepEveryWord) {
    const Conversion c = Convert(kTriangle + TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=\"Unit X - 0.0\"   DesignType=Dead",
                                                                                   "LoadPat=\"Unit X - 6.0\"   DesignType=Dead",
                                                                                   "LoadPat=\"A992 Fy50\""}) +
                                 TableText("JOINT LOADS - FORCE", {"Joint=1   LoadPat=\"Unit X - 6.0\"   F1=1"}) +
                                 TableText("COMBINATION DEFINITIONS", {"ComboName=\"DEAD + GM1\"   ComboType=\"Linear Add\"   CaseName=\"Unit X - 0.0\"   ScaleFactor=1",
                                                                       "ComboName=\"DEAD + GM2\"   ComboType=\"Linear Add\"   CaseName=\"Unit X - 6.0\"   ScaleFactor=2"}));
    ASSERT_TRUE(c.ok);
    const V lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "LOAD 1 LOADTYPE Dead TITLE Unit_X_-_0.0"));
    EXPECT_TRUE(Has(lines, "LOAD 2 LOADTYPE Dead TITLE Unit_X_-_6.0"));
    EXPECT_TRUE(Has(lines, "LOAD 3 LOADTYPE NULL TITLE A992_Fy50"));
    // The joint load belongs to the second pattern only.
    const auto load2 = std::find(lines.begin(), lines.end(), "LOAD 2 LOADTYPE Dead TITLE Unit_X_-_6.0");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "1   FX 1"), 1);
    EXPECT_TRUE(std::find(load2, lines.end(), "1   FX 1") != lines.end());
    // Two combinations, each with its own case.
    EXPECT_TRUE(Has(lines, "LOAD COMB 4 DEAD_+_GM1"));
    EXPECT_TRUE(Has(lines, "LOAD COMB 5 DEAD_+_GM2"));
    EXPECT_TRUE(Has(lines, "2 2 "));
}

TEST(QuotedNames, BlanksInsideNamesMoveNoField) {
    const Conversion c = Convert(
        TableText("JOINT COORDINATES", {"Joint=\"J 1\"   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0",
                                        "Joint=3   GlobalX=1   GlobalY=1   GlobalZ=0"}) +
        TableText("CONNECTIVITY - FRAME", {"Frame=\"Frame 1_0~3.8m\"   JointI=\"J 1\"   JointJ=2   IsCurved=No", "Frame=7   JointI=2   JointJ=3"}) +
        TableText("CONNECTIVITY - AREA", {"Area=\"A 9\"   NumJoints=3   Joint1=\"J 1\"   Joint2=2   Joint3=3"}) +
        TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=\"J 1\"   U1=Yes   U2=Yes   U3=Yes   R1=No   R2=No   R3=No",
                                                  "Joint=3   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
        TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=R   Material=C   Shape=Rectangular   t3=1   t2=1"}) +
        TableText("FRAME SECTION ASSIGNMENTS", {"Frame=\"Frame 1_0~3.8m\"   AnalSect=R"}));
    ASSERT_TRUE(c.ok);
    // The names are no numbers, so they are renumbered: "J 1" is joint 4,
    // "Frame 1_0~3.8m" member 8, "A 9" area 1; every field stays in place.
    const V lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "4 0 0 0"));
    EXPECT_TRUE(Has(lines, "8 4 2"));
    EXPECT_TRUE(Has(lines, "7 2 3"));
    EXPECT_TRUE(Has(lines, "100001 4 2 3"));
    EXPECT_TRUE(Has(lines, "4  PINNED"));
    EXPECT_TRUE(Has(lines, "3  FIXED"));
    EXPECT_TRUE(Has(lines, "8  PRIS YD 1 ZD 1"));
    for (const auto& e : c.session.report.entries) EXPECT_NE(KindId(e.kind), "missing-joint") << e.name;
}

TEST(ShellNumbers, ElementsThatWouldPass999999FollowTheLargestMember) {
    // Members reach 100002 (Beam renumbered), so area number plus offset
    // would pass 999999: the areas are numbered in the order of their
    // table after member 100002, a repeated name keeping its number.
    const std::string frame = TableText("CONNECTIVITY - FRAME", {"Frame=100001   JointI=1   JointJ=2", "Frame=Beam   JointI=2   JointJ=3"});
    const std::string area = TableText("CONNECTIVITY - AREA", {"Area=7   NumJoints=3   Joint1=1   Joint2=2   Joint3=3",
                                                               "Area=3   NumJoints=3   Joint1=3   Joint2=2   Joint3=1",
                                                               "Area=7   NumJoints=3   Joint1=2   Joint2=3   Joint3=1"}) +
                             TableText("AREA LOADS - UNIFORM", {"Area=3   LoadPat=D   UnifLoad=2"}) +
                             TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=D"});
    for (const bool renumber : {false, true}) {
        SCOPED_TRACE(renumber ? "--renumber" : "classic");
        TempDir dir;
        Session s;
        MemoryHistory history;
        MemoryMessages messages;
        s.inputPath = dir.Write("m.s2k", kTriangle + frame + area);
        s.outputPath = dir.Path("m.std");
        s.options.renumber = renumber;
        ASSERT_TRUE(MakeStaad(s, history, messages));
        const V lines = CrlfLines(ReadFile(s.outputPath));
        EXPECT_TRUE(Has(lines, "100002 2 3"));
        EXPECT_TRUE(Has(lines, "100003 1 2 3"));
        EXPECT_TRUE(Has(lines, "100004 3 2 1"));
        EXPECT_TRUE(Has(lines, "100003 2 3 1"));
        EXPECT_TRUE(Has(lines, "100004   PR GY  2"));
        EXPECT_EQ(ReadFile(dir.Path("m.numbers.csv")), "kind,sap2000,staad\r\nmember,Beam,100002\r\nelement,7,100003\r\nelement,3,100004\r\n");
        const auto& entries = s.report.entries;
        const auto moved = std::find_if(entries.begin(), entries.end(), [](const ReportEntry& e) { return KindId(e.kind) == "elements-in-area-order"; });
        ASSERT_NE(moved, entries.end());
        EXPECT_EQ(Sentence(*moved), "Shell elements are numbered from 100003 on in the order of the area table: with their area numbers, 3 of them would pass 999999.");
        const auto renumbered = std::find_if(entries.begin(), entries.end(), [](const ReportEntry& e) { return KindId(e.kind) == "labels-renumbered"; });
        EXPECT_EQ(renumbered != entries.end(), !renumber);
        if (!renumber && renumbered != entries.end()) {
            EXPECT_EQ(Sentence(*renumbered), "3 labels were renumbered as --renumber does, so that STAAD.Pro can read the file (1 member, 2 areas); " +
                                                 dir.Path("m.numbers.csv") + " lists them.");
        }
    }

    // Valid labels whose elements pass 999999 are renumbered too; member
    // numbers below 100000 leave the usual offset.
    Conversion c = Convert(kTriangle + TableText("CONNECTIVITY - FRAME", {"Frame=5   JointI=1   JointJ=2"}) +
                           TableText("CONNECTIVITY - AREA", {"Area=900000   NumJoints=3   Joint1=1   Joint2=2   Joint3=3",
                                                             "Area=899999   NumJoints=3   Joint1=1   Joint2=2   Joint3=3"}));
    V lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "6 1 2 3"));
    EXPECT_TRUE(Has(lines, "7 1 2 3"));
    EXPECT_EQ(c.session.numberMap, c.session.outputPath.substr(0, c.session.outputPath.size() - 4) + ".numbers.csv");
    c = Convert(kTriangle + TableText("CONNECTIVITY - FRAME", {"Frame=99999   JointI=1   JointJ=2"}) +
                TableText("CONNECTIVITY - AREA", {"Area=899999   NumJoints=3   Joint1=1   Joint2=2   Joint3=3"}));
    lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "999999 1 2 3"));
    EXPECT_TRUE(c.session.numberMap.empty());
    EXPECT_TRUE(c.session.report.Empty());
}

TEST(LineWidth, LongLinesGoOnInPiecesOfAtMost79Columns) {
    std::vector<std::string> joints, restraints;
    for (int i = 1; i <= 80; ++i) {
        joints.push_back("Joint=" + std::to_string(i * 2) + "   GlobalX=" + std::to_string(i) + "   GlobalY=0   GlobalZ=0");
        restraints.push_back("Joint=" + std::to_string(i * 2) + "   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes");
    }
    const std::string longName(90, 'P');
    const Conversion c = Convert(TableText("JOINT COORDINATES", joints) + TableText("JOINT RESTRAINT ASSIGNMENTS", restraints) +
                                 TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=" + longName}) +
                                 TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=" + longName}));
    ASSERT_TRUE(c.ok);
    const V lines = CrlfLines(c.staad);
    std::string supports;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.rfind("LOAD ", 0) == 0 || l == longName) continue;
        EXPECT_LE(l.size(), 79u) << l;
        if (l.size() > 2 && l.compare(l.size() - 2, 2, " -") == 0) {
            EXPECT_NE(l[l.size() - 3], '-');
        }
    }
    // LOAD lines stay whole; a rest without a blank to break at stays whole.
    EXPECT_TRUE(Has(lines, "LOAD 1 LOADTYPE NULL TITLE " + longName));
    EXPECT_TRUE(Has(lines, "ISOTROPIC -"));
    EXPECT_TRUE(Has(lines, longName));
    // Read back as STAAD.Pro reads continued lines, the support line lists
    // every joint.
    const V joined = StaadLines(c.staad);
    const auto line = std::find_if(joined.begin(), joined.end(), [](const std::string& l) { return l.find("FIXED") != std::string::npos; });
    ASSERT_NE(line, joined.end());
    EXPECT_EQ(line->substr(0, 4), "2 4 ");
    EXPECT_EQ(line->substr(line->size() - 10), "160  FIXED");
}

TEST(OutputNames, TheExtensionIsReplaced) {
    EXPECT_EQ(ReplaceExtension("mymodel", ".std"), "mymodel.std");
    EXPECT_EQ(ReplaceExtension("model.text", ".std"), "model.std");
    EXPECT_EQ(ReplaceExtension("dir/a.s2k", ".std"), "dir/a.std");
    EXPECT_EQ(ReplaceExtension("dir/a.$2k", ".inp"), "dir/a.inp");
    EXPECT_EQ(ReplaceExtension("a.s2k.bak", ".std"), "a.s2k.std");
    EXPECT_EQ(ReplaceExtension("my.dir/model", ".std"), "my.dir/model.std");
    EXPECT_EQ(ReplaceExtension("out.std", ".numbers.csv"), "out.numbers.csv");
    TempDir dir;
    const std::string input = dir.Write("mymodel", kTriangle);
    EXPECT_EQ(RunCli({"convert", input}).status, 0);
    EXPECT_TRUE(Exists(dir.Path("mymodel.std")));
}

TEST(Renumbering, NamesStaadCannotTakeGetNumbersEverywhere) {
    const std::string model =
        TableText("JOINT COORDINATES", {"Joint=5   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=top   GlobalX=0   GlobalY=0   GlobalZ=3",
                                        "Joint=7   GlobalX=1   GlobalY=0   GlobalZ=3", "Joint=5   GlobalX=9   GlobalY=9   GlobalZ=9",
                                        "Joint=0012   GlobalX=1   GlobalY=1   GlobalZ=3"}) +
        TableText("CONNECTIVITY - FRAME", {"Frame=Col10   JointI=5   JointJ=top", "Frame=3   JointI=top   JointJ=7", "Frame=\"B 1\"   JointI=7   JointJ=0012"}) +
        TableText("CONNECTIVITY - AREA", {"Area=S1   NumJoints=3   Joint1=top   Joint2=7   Joint3=0012"}) +
        TableText("JOINT RESTRAINT ASSIGNMENTS", {"Joint=5   U1=Yes   U2=Yes   U3=Yes   R1=Yes   R2=Yes   R3=Yes"}) +
        TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=R   Material=C   Shape=Rectangular   t3=1   t2=1"}) +
        TableText("FRAME SECTION ASSIGNMENTS", {"Frame=Col10   AnalSect=R", "Frame=3   AnalSect=R"}) +
        TableText("AREA SECTION PROPERTIES", {"Section=SL   Material=C   Thickness=0.2"}) +
        TableText("AREA SECTION ASSIGNMENTS", {"Area=S1   Section=SL"}) +
        TableText("FRAME RELEASE ASSIGNMENTS 1 - GENERAL", {"Frame=Col10   M2I=Yes   M3I=Yes"}) +
        TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=D"}) +
        TableText("FRAME LOADS - DISTRIBUTED", {"Frame=Col10   LoadPat=D   Dir=Gravity   FOverLA=1   FOverLB=1"}) +
        TableText("JOINT LOADS - FORCE", {"Joint=top   LoadPat=D   F3=-5"}) +
        TableText("AREA LOADS - UNIFORM", {"Area=S1   LoadPat=D   UnifLoad=2"});
    TempDir dir;
    Session s;
    MemoryHistory history;
    MemoryMessages messages;
    s.inputPath = dir.Write("m.s2k", model);
    s.outputPath = dir.Path("m.std");
    s.options.renumber = true;
    ASSERT_TRUE(MakeStaad(s, history, messages));
    const V lines = CrlfLines(ReadFile(s.outputPath));
    // Joints 5 and 7 keep their numbers; "top", the second 5 and "0012"
    // follow the largest kept number.
    EXPECT_TRUE(Has(lines, "5 0 0 -0") || Has(lines, "5 0 0 0"));
    EXPECT_TRUE(Has(lines, "8 0 3 0"));
    EXPECT_TRUE(Has(lines, "9 9 9 -9"));
    EXPECT_TRUE(Has(lines, "10 1 3 -1"));
    EXPECT_TRUE(Has(lines, "4 5 8"));   // Col10 after member 3
    EXPECT_TRUE(Has(lines, "3 8 7"));
    EXPECT_TRUE(Has(lines, "5 7 10"));  // "B 1"
    EXPECT_TRUE(Has(lines, "100001 8 7 10"));
    EXPECT_TRUE(Has(lines, "5  FIXED"));  // a name several rows hold maps to its first row
    EXPECT_TRUE(Has(lines, "4 3  PRIS YD 1 ZD 1"));
    EXPECT_TRUE(Has(lines, "MATERIAL C MEMB 100001 "));
    EXPECT_TRUE(Has(lines, "4  START MY MZ"));
    EXPECT_TRUE(Has(lines, "4   UNI GY -1 0.0 0.0"));
    EXPECT_TRUE(Has(lines, "8   FY -5"));
    EXPECT_TRUE(Has(lines, "100001   PR GY  2"));
    EXPECT_EQ(s.numberMap, dir.Path("m.numbers.csv"));
    EXPECT_EQ(ReadFile(s.numberMap), "kind,sap2000,staad\r\njoint,top,8\r\njoint,5,9\r\njoint,0012,10\r\nmember,Col10,4\r\n"
                                      "member,B_1,5\r\narea,S1,1\r\n");
    V kinds;
    for (const auto& e : s.report.entries) kinds.push_back(std::string(KindId(e.kind)));
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "renumbered"), 3);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "number-not-integer"), 0);

    // Without the option the labels STAAD.Pro cannot read are renumbered
    // all the same, to the same file and map; the report says so once.
    Session plain;
    plain.inputPath = s.inputPath;
    plain.outputPath = dir.Path("plain.std");
    ASSERT_TRUE(MakeStaad(plain, history, messages));
    EXPECT_EQ(ReadFile(plain.outputPath), ReadFile(s.outputPath));
    EXPECT_EQ(plain.numberMap, dir.Path("plain.numbers.csv"));
    EXPECT_EQ(ReadFile(plain.numberMap), ReadFile(s.numberMap));
    kinds.clear();
    for (const auto& e : plain.report.entries) kinds.push_back(std::string(KindId(e.kind)) + " " + e.name);
    EXPECT_TRUE(Has(kinds, "labels-renumbered 6"));
    EXPECT_EQ(std::count_if(kinds.begin(), kinds.end(), [](const std::string& k) { return k.rfind("renumbered", 0) == 0 || k.rfind("number-not", 0) == 0; }), 0);
    const auto entry = std::find_if(plain.report.entries.begin(), plain.report.entries.end(), [](const ReportEntry& e) { return e.kind == ReportKind::LabelsRenumbered; });
    ASSERT_NE(entry, plain.report.entries.end());
    EXPECT_EQ(entry->a, "3 joints, 2 members, 1 area");

    // The map's path is checked against the input when it turns out to be
    // needed: an output whose map would be the input is refused, the
    // earlier output kept.
    const std::string mapNamed = dir.Write("q.numbers.csv", model);
    Session clash;
    clash.inputPath = mapNamed;
    clash.outputPath = dir.Write("q.std", "earlier");
    MemoryMessages refused;
    EXPECT_FALSE(MakeStaad(clash, history, refused));
    ASSERT_EQ(refused.shown.size(), 1u);
    EXPECT_EQ(refused.shown[0].text, "Output file is the input file: " + mapNamed);
    EXPECT_EQ(ReadFile(clash.outputPath), "earlier");
    EXPECT_EQ(ReadFile(mapNamed), model);
}

TEST(Renumbering, SharedCorpusModelsWithWordsForNamesGetWholeNumbers) {
    if (!SharedCorpusPresent()) GTEST_SKIP() << "../shared/corpus is missing";
    for (const char* name : {"sap2000_v20_Tonfm_nonprismatic_combos_frameloads_TestRun.$2k", "sap2000_v25_kNm_chimney_combos_jointloads.$2k"}) {
        const std::string file = CorpusFile(name);
        SCOPED_TRACE(name);
        ASSERT_TRUE(Exists(file));
        TempDir dir;
        const CliRun r = RunCli({"convert", file, "-o", dir.Path("m.std"), "--renumber"});
        ASSERT_EQ(r.status, 0) << r.err;
        const V lines = StaadLines(ReadFile(dir.Path("m.std")));
        std::string block;
        std::set<long> members, elements;
        for (const std::string& line : lines) {
            if (line == "JOINT COORDINATES" || line == "MEMBER INCIDENCES" || line == "ELEMENT INCIDENCES SHELL") {
                block = line;
                continue;
            }
            if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0]))) {
                if (!block.empty() && line != "DEFINE MATERIAL START") continue;
                block.clear();
                continue;
            }
            std::vector<long> numbers;
            if (block == "JOINT COORDINATES") {
                EXPECT_TRUE(ListNumbers(line.substr(0, line.find(' ')), &numbers)) << line;
            } else if (block == "MEMBER INCIDENCES" || block == "ELEMENT INCIDENCES SHELL") {
                EXPECT_TRUE(ListNumbers(line, &numbers)) << line;
                auto& used = block == "MEMBER INCIDENCES" ? members : elements;
                EXPECT_TRUE(used.insert(numbers.at(0)).second) << "number used twice: " << line;
            }
        }
        EXPECT_FALSE(members.empty());
        for (long e : elements) EXPECT_EQ(members.count(e), 0u) << e;
        EXPECT_TRUE(Exists(dir.Path("m.numbers.csv")));
    }
}

TEST(Renumbering, TheMapQuotesNamesThatWouldBreakItsFields) {
    Model m;
    FillTable(m, TableId::Joints, {{"a,b", "say \"x\"", "c d", "2"}});
    Links links = Link(m, nullptr, LinkOptions{true, true, {}});
    StringSink out;
    WriteNumberMap(m, links, out);
    EXPECT_EQ(out.text, "kind,sap2000,staad\r\njoint,\"a,b\",3\r\njoint,\"say \"\"x\"\"\",4\r\njoint,\"c d\",5\r\n");
}
