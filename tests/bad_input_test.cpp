// Whatever it is fed, the converter ends normally, says what happened and
// leaves the input as it was: the catalogue of bad inputs and outputs, each
// through the core and through the command line.
#include "TestSupport.h"
#include "driver/Session.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvane;
using namespace corvane::test;

namespace {

const std::string kSuccess = " ** SAP2000 to STAAD Export Completed Successfully **";

struct Case {
    std::string name;
    std::function<std::string()> input;  // the input's bytes
    bool converts;                       // the success line is written
    std::string lastHistory;             // expected last history line ("" = not checked)
    // Where the output goes, relative to the case's folder; "" = beside the input.
    std::string output;
};

std::string Repeat(const std::string& s, std::size_t n) {
    std::string r;
    r.reserve(s.size() * n);
    for (std::size_t i = 0; i < n; ++i) r += s;
    return r;
}

std::vector<Case> Catalogue() {
    const std::string allTables[] = {"PROGRAM CONTROL", "JOINT COORDINATES", "CONNECTIVITY - FRAME", "CONNECTIVITY - AREA",
                                     "MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", "FRAME SECTION PROPERTIES 01 - GENERAL",
                                     "AREA SECTION PROPERTIES", "FRAME SECTION ASSIGNMENTS", "AREA SECTION ASSIGNMENTS",
                                     "LOAD PATTERN DEFINITIONS", "FRAME LOADS - DISTRIBUTED", "FRAME LOADS - POINT", "JOINT LOADS - FORCE",
                                     "AREA LOADS - UNIFORM", "COMBINATION DEFINITIONS", "JOINT RESTRAINT ASSIGNMENTS",
                                     "FRAME RELEASE ASSIGNMENTS 1 - GENERAL"};
    std::string emptyTables;
    for (const auto& t : allTables) emptyTables += TableText(t, {});
    const std::string joint = TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0"});
    return {
        // No "TABLE:" item: not a table export, which fails after the readers.
        {"empty file", [] { return std::string(); }, false, "", ""},
        {"blanks", [] { return Repeat("      \r\n", 100); }, false, "", ""},
        {"binary and NUL bytes", [] { std::string b; for (int i = 0; i < 4096; ++i) b += static_cast<char>((i * 7919) % 256); return b + std::string(100, '\0'); }, false, "", ""},
        {"one line of 50 MB", [] { return std::string(50u << 20, 'x'); }, false, "", ""},
        {"the word alone", [] { return std::string("x, TABLE:\r\n"); }, true, "", ""},
        {"a record of a million tokens", [] { return "TABLE:  \"JOINT COORDINATES\"\r\n   Joint=1 " + Repeat("k=v ", 1000000) + "\r\n \r\n"; }, true, "", ""},
        {"unclosed quotes", [] { return TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=\"DEAD   DesignType=\"X"}) + "\"open\r\n"; }, true, "", ""},
        {"a table running to the end of the file", [joint] { return joint + "TABLE:  \"CONNECTIVITY - FRAME\"\r\n   Frame=1   JointI=1   JointJ=1"; }, true, "", ""},
        {"lone CR line ends", [] { return std::string("TABLE:  \"JOINT COORDINATES\"\r   Joint=1   GlobalX=0   GlobalY=2   GlobalZ=0\r \r"); }, true, "", ""},
        {"a UTF-8 byte-order mark", [joint] { return "\xEF\xBB\xBF" + joint; }, true, "", ""},
        {"every table present and empty", [emptyTables] { return emptyTables; }, true, "", ""},
        {"keys without = and = without keys", [] { return TableText("JOINT COORDINATES", {"Joint 1 GlobalX", "=1 =2 = ==", "Joint=="}); }, true, "", ""},
        {"output in a folder that does not exist", [joint] { return joint; }, false, "", "missing/out.std"},
        {"output that is a directory", [joint] { return joint; }, false, "", "."},
        {"output that is the input", [joint] { return joint; }, false, "", "m.s2k"},
        {"output on a full disk", [joint] { return joint; }, false, "", "/dev/full"},
        {"output whose parent is a file", [joint] { return joint; }, false, "", "m.s2k/out.std"},
    };
}

std::string OutputPath(const TempDir& dir, const std::string& output) {
    if (output.empty()) return dir.Path("m.std");
    return output[0] == '/' ? output : dir.Path(output);
}

}  // namespace

TEST(BadInput, CatalogueThroughTheCore) {
    for (const Case& c : Catalogue()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string bytes = c.input();
        Session s;
        s.inputPath = dir.Write("m.s2k", bytes);
        s.outputPath = OutputPath(dir, c.output);
        MemoryHistory history;
        MemoryMessages messages;
        const bool ok = MakeStaad(s, history, messages);
        EXPECT_EQ(ok, c.converts);
        ASSERT_FALSE(history.lines.empty() && c.converts);
        if (c.converts) {
            EXPECT_EQ(history.lines[history.lines.size() - 3], kSuccess);
            EXPECT_EQ(ReadFile(s.outputPath).substr(0, 13), "STAAD SPACE\r\n");
        } else {
            for (const auto& line : history.lines) EXPECT_NE(line, kSuccess);
            EXPECT_TRUE(!s.failure.empty() || !messages.shown.empty());
            if (c.output.empty()) {
                EXPECT_FALSE(Exists(s.outputPath)) << "no output after a failure";
            }
        }
        if (!c.lastHistory.empty()) {
            EXPECT_EQ(history.lines.back(), c.lastHistory);
        }
        EXPECT_TRUE(ReadFile(s.inputPath) == bytes) << "the input changed";
    }
}

TEST(BadInput, CatalogueThroughTheCommandLine) {
    for (const Case& c : Catalogue()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string bytes = c.input();
        const std::string input = dir.Write("m.s2k", bytes);
        const CliRun r = RunCli({"convert", input, "-o", OutputPath(dir, c.output), "-v"});
        EXPECT_EQ(r.status, c.converts ? 0 : 1);
        EXPECT_EQ(r.out.find(kSuccess) != std::string::npos, c.converts);
        if (!c.converts) {
            EXPECT_FALSE(r.err.empty()) << "a failure must say what happened";
        }
        EXPECT_TRUE(ReadFile(input) == bytes) << "the input changed";
    }
}

TEST(BadInput, InputsThatAreNoFiles) {
    TempDir dir;
    for (const std::string& input : {std::string(), dir.Path("")}) {
        const CliRun r = RunCli({"convert", input, "-o", dir.Path("x.std")});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, input.empty() ? "\"\": file not found\n" : input + ": is a directory\n");
        // The history tells a missing input, but a folder is no missing file.
        const CliRun verbose = RunCli({"convert", input, "-o", dir.Path("x.std"), "-v"});
        EXPECT_EQ(verbose.out, input.empty() ? "...INPUT FILE NOT FOUND...\n" : "");
        EXPECT_EQ(verbose.err, r.err);
        EXPECT_FALSE(Exists(dir.Path("x.std")));
        for (const char* command : {"abaqus", "preprocess", "tables"}) EXPECT_EQ(RunCli({command, input}).status, 1);
    }
}

TEST(BadInput, ReadersKeepWhatTheyCanOfDamagedTables) {
    Conversion c = Convert("TABLE:  \"JOINT COORDINATES\"\r   Joint=1   GlobalX=0   GlobalY=2   GlobalZ=0\r \r");
    EXPECT_EQ(ColumnTexts(c.session.model[TableId::Joints], JointCol::GlobalY), std::vector<std::string>{"2"});
    c = Convert("TABLE:  \"CONNECTIVITY - FRAME\"\r\n   Frame=1   JointI=1   JointJ=2");
    EXPECT_EQ(ColumnTexts(c.session.model[TableId::Frames], FrameCol::Frame), std::vector<std::string>{"1"});
    c = Convert(TableText("JOINT COORDINATES", {"Joint 1 GlobalX", "=1 =2 = =="}));
    EXPECT_EQ(ColumnTexts(c.session.model[TableId::Joints], JointCol::Joint), (std::vector<std::string>{"NULL", "NULL"}));
}
