// The conversion report: each kind from a small model that triggers it, an
// empty report for a clean model, and outputs unchanged by reporting.
#include "TestSupport.h"
#include "driver/ReportOutput.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

const std::string kJoints = TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0",
                                                        "Joint=3   GlobalX=1   GlobalY=1   GlobalZ=0"});
const std::string kPattern = TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=D   DesignType=DEAD   SelfWtMult=0"});

struct KindCase {
    const char* kind;
    std::string model;
    const char* name;  // the record the entry names
};

std::vector<KindCase> Kinds() {
    const std::string frame = TableText("CONNECTIVITY - FRAME", {"Frame=3   JointI=1   JointJ=2"});
    return {
        {"area-joint-count", kJoints + TableText("CONNECTIVITY - AREA", {"Area=9   NumJoints=5   Joint1=1   Joint2=2   Joint3=3   Joint4=1   Joint5=2"}), "9"},
        {"unsupported-shape", TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=B1   Material=S   Shape=Box/Tube   t3=1"}), "B1"},
        {"member-without-property",
         kJoints + frame + TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=B1   Material=S   Shape=Box/Tube"}) +
             TableText("FRAME SECTION ASSIGNMENTS", {"Frame=3   AnalSect=B1"}),
         "3"},
        {"member-without-material",
         kJoints + frame + TableText("FRAME SECTION PROPERTIES 01 - GENERAL", {"SectionName=R   Material=X   Shape=Rectangular   t3=1   t2=1"}) +
             TableText("FRAME SECTION ASSIGNMENTS", {"Frame=3   AnalSect=R"}),
         "3"},
        {"nonlinear-combination", kPattern + TableText("COMBINATION DEFINITIONS", {"ComboName=E   ComboType=Envelope   CaseName=D   ScaleFactor=1"}), "E"},
        {"combination-case-unknown",
         kPattern + TableText("COMBINATION DEFINITIONS", {"ComboName=C   ComboType=\"Linear Add\"   CaseName=NOPE   ScaleFactor=1"}), "C"},
        {"load-pattern-unknown", kPattern + TableText("JOINT LOADS - FORCE", {"Joint=1   LoadPat=NOPE   F1=1"}), "1"},
        {"load-direction-unsupported",
         kPattern + TableText("FRAME LOADS - POINT", {"Frame=3   LoadPat=D   CoordSys=GLOBAL   Dir=\"X Proj\"   AbsDist=1   Force=2"}), "3"},
        {"joint-load-zero", kJoints + kPattern + TableText("JOINT LOADS - FORCE", {"Joint=2   LoadPat=D   F1=0   F2=0.0"}), "2"},
        {"labels-renumbered", TableText("JOINT COORDINATES", {"Joint=1_0m   GlobalX=0   GlobalY=0   GlobalZ=0"}), "1"},
        {"elements-in-area-order",
         kJoints + TableText("CONNECTIVITY - FRAME", {"Frame=100001   JointI=1   JointJ=2"}) +
             TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=3   Joint1=1   Joint2=2   Joint3=3"}),
         ""},
        {"missing-joint", kJoints + TableText("CONNECTIVITY - FRAME", {"Frame=4   JointI=1   JointJ=99"}), "4"},
        {"table-cut", "TABLE:  \"JOINT COORDINATES\"\r\n   Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", ""},

    };
}

}  // namespace

TEST(Report, EachKindFromAModelThatTriggersIt) {
    for (const auto& k : Kinds()) {
        SCOPED_TRACE(k.kind);
        const Conversion c = Convert(k.model);
        ASSERT_TRUE(c.ok);
        const auto& entries = c.session.report.entries;
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const ReportEntry& e) { return KindId(e.kind) == k.kind; });
        ASSERT_NE(it, entries.end());
        EXPECT_EQ(it->name, k.name);
        const std::string sentence = Sentence(*it);
        EXPECT_EQ(sentence.find('{'), std::string::npos);
        EXPECT_EQ(sentence.back(), '.');
    }
}

TEST(Report, CleanModelGivesAnEmptyReport) {
    const Conversion c = Convert(ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/plate.s2k"));
    ASSERT_TRUE(c.ok);
    EXPECT_TRUE(c.session.report.Empty());
    EXPECT_EQ(ReportSummary(c.session.report), "report: total 0\n");
}

TEST(Report, SummaryGroupsMembersBySection) {
    Report r;
    for (int i = 0; i < 7; ++i) r.Add(ReportKind::MemberWithoutProperty, "T", std::to_string(i), i < 5 ? "BOX" : "PIPE");
    r.Add(ReportKind::MissingJoint, "T", "4", "Member", "9");
    EXPECT_EQ(ReportSummary(r),
              "report: member-without-property: 7 (section BOX (5), section PIPE (2))\n"
              "report: missing-joint: 1 (4)\n"
              "report: total 8\n");
    // More than five names end in an ellipsis.
    Report many;
    for (int i = 0; i < 6; ++i) many.Add(ReportKind::NumberNotInteger, "T", "J" + std::to_string(i), "Joint");
    EXPECT_EQ(ReportSummary(many), "report: number-not-integer: 6 (J0, J1, J2, J3, J4, ...)\nreport: total 6\n");
    EXPECT_EQ(ReportTsv(r).substr(0, 25 + 93),
              "kind\ttable\tname\tsentence\nmember-without-property\tT\t0\tMember 0 gets no property: its section BOX is not converted.\nmemb");
    EXPECT_EQ(ReportJson(r).substr(0, 76), "[\n {\"kind\": \"member-without-property\", \"table\": \"T\", \"name\": \"0\", \"sentence\"");
}

TEST(Report, CommandLineFileStrictAndUnchangedOutputs) {
    TempDir dir;
    const std::string input = dir.Write("m.s2k", ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k"));
    CliRun r = RunCli({"convert", input, "--report", dir.Path("r.tsv"), "--strict"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(CrlfLines(ReadFile(dir.Path("r.tsv"))).size(), 1u);  // LF lines: one text
    EXPECT_EQ(ReadFile(dir.Path("r.tsv")).rfind("kind\ttable\tname\tsentence\n", 0), 0u);
    EXPECT_NE(ReadFile(dir.Path("r.tsv")).find("unsupported-shape\tFRAME SECTION PROPERTIES 01 - GENERAL\tBOX200\t"), std::string::npos);
    r = RunCli({"convert", input, "--report", dir.Path("r.json")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::system(("/usr/bin/python3 -c \"import json,sys; assert len(json.load(open(sys.argv[1])))==6\" " + dir.Path("r.json")).c_str()), 0);
    EXPECT_EQ(RunCli({"convert", input, "--report", input}).status, 1);
    EXPECT_EQ(ReadFile(input), ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k"));
    const std::string plate = dir.Write("p.s2k", ReadFile(std::string(CORVANE_SOURCE_DIR) + "/examples/plate.s2k"));
    EXPECT_EQ(RunCli({"convert", plate, "--strict"}).status, 0);
    EXPECT_EQ(RunCli({"abaqus", plate, "--strict"}).status, 0);
}

namespace {

// The report changes neither the output nor the history of any export.
void ExpectOutputsTheSameWithAndWithoutReport(const std::vector<std::string>& files) {
    ASSERT_FALSE(files.empty());
    TempDir dir;
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        const std::string input = dir.Write("m.s2k", ReadFile(file));
        const CliRun plain = RunCli({"convert", input, "-o", dir.Path("a.std")});
        const CliRun reported = RunCli({"convert", input, "-o", dir.Path("b.std"), "--report", dir.Path("r.tsv")});
        EXPECT_EQ(plain.status, file.find("legacy_format") == std::string::npos ? 0 : 1);
        EXPECT_EQ(plain.out, reported.out);
        EXPECT_TRUE(ReadFile(dir.Path("a.std")) == ReadFile(dir.Path("b.std")));
    }
}

}  // namespace

TEST(Report, CorpusOutputsAreTheSameWithAndWithoutReport) {
    ExpectOutputsTheSameWithAndWithoutReport(CorpusExports(CorpusPlace::Repository));
}

TEST(Report, SharedCorpusOutputsAreTheSameWithAndWithoutReport) {
    if (!SharedCorpusPresent()) GTEST_SKIP() << "../shared/corpus is missing";
    ExpectOutputsTheSameWithAndWithoutReport(CorpusExports(CorpusPlace::Shared));
}
