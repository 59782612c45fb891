// The corvane command: streams, exit codes, default paths, help, JSON.
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace corvane::test;

namespace {
std::string Example(const std::string& name) { return std::string(CORVANE_SOURCE_DIR) + "/examples/" + name; }
std::string Golden(const std::string& name) { return ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/" + name); }
}  // namespace

TEST(Cli, ConvertWritesBesideTheInputAndPrintsTheHistory) {
    TempDir dir;
    const std::string input = dir.Write("building.s2k", ReadFile(Example("building.s2k")));
    const CliRun r = RunCli({"convert", input});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Golden("building.history"));
    EXPECT_EQ(ReadFile(dir.Path("building.std")), Golden("building.std"));
    EXPECT_NE(r.err.find("Output: " + dir.Path("building.std")), std::string::npos);
    EXPECT_NE(r.err.find("report: unsupported-shape: 1 (BOX200)"), std::string::npos);

    EXPECT_EQ(RunCli({"convert", input, "-o", dir.Path("other.std")}).status, 0);
    EXPECT_EQ(ReadFile(dir.Path("other.std")), Golden("building.std"));
}

TEST(Cli, FailuresExitOne) {
    TempDir dir;
    CliRun r = RunCli({"convert", dir.Path("missing.s2k")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "...INPUT FILE NOT FOUND...\n");

    const std::string input = dir.Write("m.s2k", ReadFile(Example("building.s2k")));
    EXPECT_EQ(RunCli({"convert"}).status, 1);
    EXPECT_EQ(RunCli({"convert", input, "--bogus"}).status, 1);
    EXPECT_EQ(RunCli({"frobnicate", input}).status, 1);
}

TEST(Cli, HelpForEveryCommand) {
    for (const char* command : {"convert", "abaqus", "preprocess", "tables"}) {
        const CliRun r = RunCli({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind(std::string("Usage: corvane ") + command, 0), 0u) << r.out;
    }
    EXPECT_NE(RunCli({"--help"}).out.find("Commands:"), std::string::npos);
}

TEST(Cli, AbaqusAndPreprocessDefaults) {
    TempDir dir;
    const std::string input = dir.Write("plate.s2k", ReadFile(Example("plate.s2k")));
    CliRun r = RunCli({"abaqus", input});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Exists(dir.Path("plate.inp")));
    r = RunCli({"preprocess", input});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Preprocessing ....\n.... Done\n");
    EXPECT_TRUE(Exists(dir.Path("plate.s2k.tmp")));
    EXPECT_EQ(RunCli({"abaqus", dir.Path("none.s2k")}).status, 1);
    EXPECT_EQ(RunCli({"preprocess", dir.Path("none.s2k")}).status, 1);
}

TEST(Cli, TablesAsJsonKeepEveryByte) {
    TempDir dir;
    const std::string input = dir.Write("m.s2k", "\xEF\xBB\xBF" + TableText("JOINT COORDINATES", {"Joint=\xE9t\xC3\xA9   GlobalX=\"q\\   GlobalY=1\tx"}));
    const CliRun r = RunCli({"tables", input, "--json"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\n  \"history\": [\"Unit Information  ... Not Found\", ", 0), 0u);
    EXPECT_NE(r.out.find("\"JointTable\": {\"Joint\": [\"\\u00E9t\xC3\xA9\"], \"GlobalX\": [\"q\\\\$\"], \"GlobalY\": [\"1\\tx\"]"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"CombinationList\": []"), std::string::npos);
    // Every key in its order; a JSON parser accepts the whole.
    const std::string json = dir.Write("t.json", r.out);
    const std::string check =
        "import json,sys; d=json.load(open(sys.argv[1])); k=list(d); "
        "assert k[:3]==['history','units','JointTable'] and k[-2:]==['CombinationTable','CombinationList'] and len(k)==19, k";
    EXPECT_EQ(std::system(("/usr/bin/python3 -c \"" + check + "\" " + json).c_str()), 0);
    EXPECT_EQ(RunCli({"tables", dir.Path("none"), "--json"}).status, 1);
}

TEST(Cli, TablesListing) {
    const CliRun r = RunCli({"tables", Example("building.s2k")});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("== JointTable (18 rows)\nJoint\tGlobalX\tGlobalY\tGlobalZ\n1\t0\t0\t0\n"), std::string::npos);
    EXPECT_NE(r.out.find("== AreaSectionAssignTable (6 rows)"), std::string::npos);
    EXPECT_NE(r.out.find("Reading Area Section Assignment ....."), std::string::npos);
}
