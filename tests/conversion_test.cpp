// Whole conversions: the driver's steps, its history, its file handling, the
// bundled example to the byte and every corpus export.
#include "TestSupport.h"
#include "driver/Files.h"
#include "driver/Session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvane;
using namespace corvane::test;
using V = std::vector<std::string>;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

std::string Example(const std::string& name) { return std::string(CORVANE_SOURCE_DIR) + "/examples/" + name; }
std::string Golden(const std::string& name) { return ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/" + name); }

}  // namespace

TEST(MakeStaad, BundledExampleToTheByte) {
    const Conversion c = Convert(ReadFile(Example("building.s2k")));
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.staad, Golden("building.std"));
    EXPECT_EQ(c.history, Lines(Golden("building.history")));
    EXPECT_TRUE(c.messages.empty());
}

TEST(MakeStaad, EmptyModelHasEveryFixedLine) {
    const Conversion c = Convert("TABLE:  \"X\"\r\n \r\n");
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(CrlfLines(c.staad),
              (V{"STAAD SPACE", "START JOB INFORMATION", "END JOB INFORMATION", "UNIT    ", "JOINT COORDINATES", "MEMBER INCIDENCES",
                 "ELEMENT INCIDENCES SHELL", "DEFINE MATERIAL START", "END DEFINE MATERIAL", "CONSTANTS", "SUPPORTS",
                 "ELEMENT PROPERTY", "MEMBER RELEASE", "PERFORM ANALYSIS", "FINISH"}));
    EXPECT_EQ(c.staad.substr(c.staad.size() - 8), "FINISH\r\n");
    EXPECT_EQ(c.history.front(), "Unit Information  ... Not Found");
    EXPECT_EQ(c.history[c.history.size() - 3], " ** SAP2000 to STAAD Export Completed Successfully **");
    EXPECT_EQ(c.history[c.history.size() - 2], " ** SAP2000 File Size : .016 KB");
    EXPECT_EQ(c.history.back(), " ** StaadPro File Size : .25 KB");
}

TEST(MakeStaad, UnitsCarryOverToTheNextInput) {
    TempDir dir;
    Session s;
    MemoryHistory history;
    MemoryMessages messages;
    s.inputPath = dir.Write("a.s2k", TableText("PROGRAM CONTROL", {"ProgramName=SAP2000   CurrUnits=\"Kip, in, F\""}));
    s.outputPath = dir.Path("a.std");
    ASSERT_TRUE(MakeStaad(s, history, messages));
    s.inputPath = dir.Write("b.s2k", TableText("JOINT COORDINATES", {}));
    ASSERT_TRUE(MakeStaad(s, history, messages));
    EXPECT_EQ(CrlfLines(ReadFile(s.outputPath))[3], "UNIT INCHES KIP");
    EXPECT_EQ(history.lines.front(), "Unit Information  ... Not Found");  // cleared at the start
}

TEST(MakeStaad, MissingInputLeavesTheOutputAlone) {
    TempDir dir;
    Session s;
    MemoryHistory history;
    MemoryMessages messages;
    history.Append("old line");
    s.inputPath = dir.Path("missing.s2k");
    s.outputPath = dir.Write("out.std", "keep");
    EXPECT_FALSE(MakeStaad(s, history, messages));
    EXPECT_EQ(history.lines, V{"...INPUT FILE NOT FOUND..."});
    EXPECT_EQ(ReadFile(s.outputPath), "keep");
    s.inputPath = "";
    EXPECT_FALSE(MakeStaad(s, history, messages));
    s.inputPath = dir.Path("");  // a folder is not an input file
    EXPECT_FALSE(MakeStaad(s, history, messages));
    EXPECT_EQ(history.lines, V{"...INPUT FILE NOT FOUND..."});
    EXPECT_TRUE(messages.shown.empty());
}

TEST(MakeStaad, OutputThatIsTheInputIsRefused) {
    TempDir dir;
    const std::string model = ReadFile(Example("building.s2k"));
    Session s;
    MemoryHistory history;
    MemoryMessages messages;
    s.inputPath = dir.Write("m.s2k", model);
    for (const std::string& out : {s.inputPath, dir.Path("./m.s2k"), dir.Path("link.std")}) {
        ::symlink(s.inputPath.c_str(), dir.Path("link.std").c_str());
        s.outputPath = out;
        messages.shown.clear();
        EXPECT_FALSE(MakeStaad(s, history, messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Output file is the input file: " + out);
        EXPECT_EQ(ReadFile(s.inputPath), model);
    }
}

TEST(MakeStaad, FileErrorsEndOnTheErrorPath) {
    TempDir dir;
    Session s;
    MemoryHistory history;
    MemoryMessages messages;
    s.inputPath = dir.Write("m.s2k", ReadFile(Example("building.s2k")));

    // A folder that does not exist: no message, nothing read.
    s.outputPath = dir.Path("no/such/folder/m.std");
    EXPECT_FALSE(MakeStaad(s, history, messages));
    EXPECT_TRUE(history.lines.empty());
    EXPECT_TRUE(messages.shown.empty());

    // A write-protected output gets the critical message (root may write anyway).
    if (::geteuid() != 0) {
        s.outputPath = dir.Write("ro.std", "");
        ::chmod(s.outputPath.c_str(), 0444);
        messages.shown.clear();
        EXPECT_FALSE(MakeStaad(s, history, messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Write Protection Error. File " + s.outputPath + " is used by StaadPro or other software");
        EXPECT_EQ(messages.shown[0].title, "System I/O Error");
        EXPECT_TRUE(messages.shown[0].critical);
    }
}

TEST(MakeStaad, MissingAreaAssignmentsShowTheMessageTwicePerSection) {
    const Conversion c = Convert(TableText("AREA SECTION PROPERTIES", {"Section=A   Material=C   Thickness=1", "Section=B   Material=C   Thickness=2"}));
    ASSERT_TRUE(c.ok);
    ASSERT_EQ(c.messages.size(), 4u);
    for (const auto& m : c.messages) EXPECT_EQ(m.text, "No Area Information Found");
}

namespace {

// Every export converts, leaves its input as it was and ends as STAAD.Pro
// expects; the old text format fails with a message that says why.
void ExpectEveryExportConverts(const std::vector<std::string>& files) {
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        const std::string bytes = ReadFile(file);
        const Conversion c = Convert(bytes);
        EXPECT_EQ(ReadFile(file), bytes);
        if (file.find("legacy_format") != std::string::npos) {
            // The old text format has no tables: no file, and a message that says why.
            EXPECT_FALSE(c.ok);
            ASSERT_EQ(c.messages.size(), 1u);
            EXPECT_EQ(c.messages[0].text.rfind("Not a SAP2000 table export (no TABLE: line): ", 0), 0u);
            EXPECT_TRUE(c.staad.empty());
            continue;
        }
        EXPECT_TRUE(c.ok);
        EXPECT_EQ(c.history[c.history.size() - 3], " ** SAP2000 to STAAD Export Completed Successfully **");
        EXPECT_EQ(c.staad.substr(c.staad.size() - 26), "PERFORM ANALYSIS\r\nFINISH\r\n");
        // STAAD.Pro reads 79 columns.
        for (const auto& line : CrlfLines(c.staad)) {
            EXPECT_TRUE(line.size() <= 79 || line.rfind("LOAD ", 0) == 0) << line;
        }
    }
}

}  // namespace

TEST(MakeStaad, EveryCorpusExportConverts) { ExpectEveryExportConverts(CorpusExports(CorpusPlace::Repository)); }

TEST(MakeStaad, EverySharedCorpusExportConverts) {
    if (!SharedCorpusPresent()) GTEST_SKIP() << "../shared/corpus is missing";
    ExpectEveryExportConverts(CorpusExports(CorpusPlace::Shared));
}

TEST(MakeStaad, CorpusDetailsFromCurrentExports) {
    // Local directions, projected loads and numeric pattern names.
    const Conversion c = Convert(ReadFile(CorpusFile("sap2000_v25.2_kipin_csi_example1-001_localdirs_zproj_pointloads.$2k")));
    EXPECT_EQ(c.session.model.units.force, "Ki");
    EXPECT_EQ(c.session.model[TableId::LoadPatterns].rows(), 7u);
    const V ex = CrlfLines(c.staad);
    EXPECT_NE(std::find(ex.begin(), ex.end(), "2   UNI PY -0.166666666666667    "), ex.end());
}

TEST(MakeStaad, SharedCorpusDetailsFromCurrentExports) {
    if (!SharedCorpusPresent()) GTEST_SKIP() << "../shared/corpus is missing";
    const std::string autosave = CorpusFile("sap2000_v14_Nmm_frame_shell_autosave_model1.$2k");
    const std::string chimney = CorpusFile("sap2000_v25_kNm_chimney_combos_jointloads.$2k");
    ASSERT_TRUE(Exists(autosave) && Exists(chimney));
    // Joints without GlobalX/Y/Z and areas without NumJoints still arrive.
    Conversion c = Convert(ReadFile(autosave));
    const V lines = CrlfLines(c.staad);
    EXPECT_EQ(lines[5], "1 0 0 -18000");
    EXPECT_EQ(c.session.model[TableId::Areas].rows(), 6u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ELEMENT INCIDENCES SHELL"), lines.end());

    // Combinations whose later records carry no type keep all their cases.
    c = Convert(ReadFile(chimney));
    EXPECT_GT(c.session.model[TableId::Combinations].rows(), c.session.model.combinationStarts.size());
}
