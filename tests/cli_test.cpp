// The corvane command: streams, exit statuses, several inputs, option forms,
// standard output as an output, write errors, memory, completion and manual.
#include "TestSupport.h"
#include "bench/ModelGenerator.h"
#include "driver/Files.h"
#include "cli/ProgressBar.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifdef CORVANE_HAVE_PICTURE
#include <QImage>
#endif

using namespace corvane;
using namespace corvane::test;

namespace {
std::string Example(const std::string& name) { return std::string(CORVANE_SOURCE_DIR) + "/examples/" + name; }
std::string Golden(const std::string& name) { return ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/" + name); }
bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// Every long option ("--output-dir") a text names.
std::set<std::string> LongOptions(const std::string& text) {
    std::set<std::string> options;
    for (std::size_t at = 0; (at = text.find("--", at)) != std::string::npos;) {
        std::size_t end = at + 2;
        while (end < text.size() && (std::islower(static_cast<unsigned char>(text[end])) || text[end] == '-')) ++end;
        if (end > at + 3) options.insert(text.substr(at, end - at));
        at = end;
    }
    return options;
}

// The names in a folder, hidden ones (unfinished outputs) included.
std::set<std::string> Listing(const std::string& dir) {
    std::set<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
        ::closedir(d);
    }
    return names;
}

// Runs corvane with standard output a pipe whose reading end is closed
// already; the raw wait status.
int RunIntoClosedPipe(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    ::close(fds[0]);
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        ::dup2(fds[1], 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        std::vector<char*> argv{const_cast<char*>(CORVANE_CLI)};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(CORVANE_CLI, argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}
}  // namespace

const std::string kBuildingSummary =
    "report: unsupported-shape: 1 (BOX200)\nreport: nonlinear-combination: 1 (ENV1)\nreport: member-without-material: 2 (15, 19)\n"
    "report: member-without-property: 2 (section BOX200 (2))\nreport: total 6\n";
const std::string kBuildingCounts = ": 18 joints, 20 frames, 6 areas, 6 restraints, 4 load patterns, 2 combinations -> ";

TEST(Cli, ConvertWritesBesideTheInputAndPrintsWhatItWrote) {
    TempDir dir;
    const std::string input = dir.Write("building.s2k", ReadFile(Example("building.s2k")));
    CliRun r = RunCli({"convert", input});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.Path("building.std")), Golden("building.std"));
    // One line of counts and the output, then the report summary.
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, input + kBuildingCounts + dir.Path("building.std") + "\n" + kBuildingSummary);
    // --verbose adds the history lines, the old output.
    r = RunCli({"convert", input, "-v"});
    EXPECT_EQ(r.out, Golden("building.history"));
    EXPECT_EQ(r.err, input + kBuildingCounts + dir.Path("building.std") + "\n" + kBuildingSummary);

    // Both forms of a value; -- ends the options before an input named like one.
    EXPECT_EQ(RunCli({"convert", input, "--output=" + dir.Path("other.std")}).status, 0);
    EXPECT_EQ(ReadFile(dir.Path("other.std")), Golden("building.std"));
    const std::string dashed = dir.Write("-m.s2k", ReadFile(Example("building.s2k")));
    EXPECT_EQ(RunScript("cd '" + dir.Path("") + "' && \"$CORVANE\" convert --report=r.json -- -m.s2k").status, 0);
    EXPECT_EQ(ReadFile(dir.Path("-m.std")), Golden("building.std"));
    EXPECT_TRUE(Has(ReadFile(dir.Path("r.json")), "\"kind\": \"unsupported-shape\""));
}

TEST(Cli, MissingInputsFailWithTheirPathsNamed) {
    TempDir dir;
    CliRun r = RunCli({"convert", dir.Path("missing.s2k")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, dir.Path("missing.s2k") + ": file not found\n");
    EXPECT_EQ(RunCli({"convert", dir.Path("missing.s2k"), "-v"}).out, "...INPUT FILE NOT FOUND...\n");
    // A folder is told as such, and is no missing file even in the history.
    for (const char* command : {"convert", "abaqus", "preprocess", "tables", "preview"}) {
        r = RunCli({command, dir.Path(""), "-v"});
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(r.err, dir.Path("") + ": is a directory\n") << command;
    }
}

TEST(Cli, UsageErrorsExitTwoWithAOneLineHint) {
    TempDir dir;
    const std::string a = dir.Write("a.s2k", ReadFile(Example("building.s2k")));
    const std::string b = dir.Write("b.s2k", ReadFile(Example("plate.s2k")));
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate", a},
        {"convert"},
        {"convert", a, "--bogus"},
        {"convert", a, "--jobs", "0"},
        {"convert", a, "-j", "abc"},
        {"preview", a, "-o", dir.Path("x.bmp")},
        {"convert", a, "-o"},
        {"convert", a, b, "-o", dir.Path("x.std")},
        {"convert", a, "-o", dir.Path("x.std"), "--output-dir", dir.Path("out")},
        {"convert", a, "-o", "-", "--renumber"},
        {"convert", a, "--quiet", "--verbose"},
        {"tables", a, b},
        {"preview", a, "--size", "0x5"},
        {"completion", "tcsh"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.empty() ? "(nothing)" : args[0] + " ... " + args.back());
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        // The message and the hint, not the whole help.
        const std::size_t firstEnd = r.err.find('\n');
        ASSERT_NE(firstEnd, std::string::npos) << r.err;
        const std::string first = r.err.substr(0, firstEnd + 1), hint = r.err.substr(firstEnd + 1);
        EXPECT_EQ(first.rfind("corvane", 0), 0u) << r.err;
        EXPECT_EQ(hint.rfind("Run 'corvane", 0), 0u) << r.err;
        EXPECT_TRUE(hint.size() > 30 && hint.find('\n') == hint.size() - 1 &&
                    hint.compare(hint.size() - 30, 30, "--help' for more information.\n") == 0)
            << r.err;
    }
    // What -j wants, and what preview writes.
    EXPECT_EQ(RunCli({"convert", a, "-j", "abc"}).err.rfind("corvane convert: --jobs: give the number of inputs to convert at once, "
                                                              "a whole number from 1 to 1024 (not 'abc')\n", 0), 0u);
    EXPECT_TRUE(Has(RunCli({"preview", a, "-o", "x.bmp"}).err, "preview writes PNG or JPEG pictures"));
    EXPECT_EQ(Listing(dir.Path("")), (std::set<std::string>{"a.s2k", "b.s2k"})) << "nothing written";
}

TEST(Cli, HelpAndVersion) {
    for (const char* command : {"convert", "abaqus", "preprocess", "tables", "preview", "completion"}) {
        const CliRun r = RunCli({command, "--help"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind(std::string("Usage: corvane ") + command, 0), 0u) << r.out;
        EXPECT_TRUE(Has(r.out, "Exit status:")) << command;
        const CliRun v = RunCli({command, "--version"});
        EXPECT_EQ(v.status, 0);
        EXPECT_EQ(v.out, "corvane " CORVANE_VERSION "\n");
    }
    EXPECT_TRUE(Has(RunCli({"--help"}).out, "Commands:"));
    EXPECT_TRUE(Has(RunCli({"help", "tables"}).out, "Usage: corvane tables"));
    EXPECT_EQ(RunCli({"--version"}).out, "corvane " CORVANE_VERSION "\n");
}

TEST(Cli, SeveralInputsOneFailing) {
    TempDir dir;
    const std::string a = dir.Write("a.s2k", ReadFile(Example("building.s2k")));
    const std::string b = dir.Write("b.s2k", ReadFile(Example("plate.s2k")));
    const std::string missing = dir.Path("none.s2k");
    CliRun r = RunCli({"convert", a, missing, b, "--jobs", "1", "-v"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadFile(dir.Path("a.std")), Golden("building.std"));
    EXPECT_TRUE(Exists(dir.Path("b.std")));
    EXPECT_EQ(r.out.rfind("Input: " + a + "\n" + Golden("building.history") + "Input: " + missing +
                              "\n...INPUT FILE NOT FOUND...\nInput: " + b + "\n",
                          0),
              0u)
        << r.out;
    // Each input's lines in turn, then the line that counts them.
    const std::string expected = a + kBuildingCounts + dir.Path("a.std") + "\n" + kBuildingSummary + missing + ": file not found\n" + b +
                                 ": 25 joints, 0 frames, 17 areas, 16 restraints, 1 load pattern, 0 combinations -> " + dir.Path("b.std") +
                                 "\nreport: total 0\n3 inputs: 2 written, 1 failed, 1 with reports\n";
    EXPECT_EQ(r.err, expected);
    r = RunCli({"convert", a, missing, b, "--jobs", "2"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, expected);

    // The worst status: a report that is not empty under --strict, unless an input failed.
    EXPECT_EQ(RunCli({"convert", a, b, "--strict", "-q"}).status, 3);
    EXPECT_EQ(RunCli({"convert", b, "--strict", "-q"}).status, 0);
    EXPECT_EQ(RunCli({"convert", a, missing, "--strict", "-q"}).status, 1);
}

TEST(Cli, OutputFolderAndJobsGiveTheSameFiles) {
    TempDir dir;
    std::vector<std::string> inputs;
    for (const char* name : {"b1.s2k", "b2.s2k", "b3.s2k", "b4.s2k"})
        inputs.push_back(dir.Write(name, ReadFile(Example("building.s2k"))));
    inputs.push_back(dir.Write("p.s2k", ReadFile(Example("plate.s2k"))));
    std::vector<std::string> one{"convert", "--output-dir", dir.Path("one/deeper"), "--jobs", "1", "--renumber", "-v"};
    std::vector<std::string> two{"convert", "--output-dir", dir.Path("two"), "--jobs", "2", "--renumber", "-v"};
    one.insert(one.end(), inputs.begin(), inputs.end());
    two.insert(two.end(), inputs.begin(), inputs.end());
    ASSERT_EQ(RunCli(one).status, 0);
    const CliRun r = RunCli(two);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::set<std::string> names = Listing(dir.Path("one/deeper"));
    EXPECT_EQ(names.size(), 10u);  // five outputs, five number maps
    EXPECT_EQ(Listing(dir.Path("two")), names);
    for (const std::string& name : names) EXPECT_EQ(ReadFile(dir.Path("one/deeper/" + name)), ReadFile(dir.Path("two/" + name))) << name;
    EXPECT_EQ(ReadFile(dir.Path("two/b3.std")), ReadFile(dir.Path("two/b1.std")));

    // Each input's history is one block, in the order of the inputs.
    std::size_t blocks = 0;
    for (std::size_t at = 0; at < r.out.size(); ++blocks) {
        const std::size_t next = r.out.find("Input: ", at + 1);
        const std::string block = r.out.substr(at, next == std::string::npos ? std::string::npos : next - at);
        const std::string path = block.substr(7, block.find('\n') - 7);
        EXPECT_EQ(path, inputs.at(blocks));
        if (path != inputs.back()) {
            EXPECT_EQ(block, "Input: " + path + "\n" + Golden("building.history"));
        }
        at = next == std::string::npos ? r.out.size() : next;
    }
    EXPECT_EQ(blocks, inputs.size());

    // Preprocessed copies and decks go there too.
    EXPECT_EQ(RunCli({"preprocess", inputs[0], inputs[4], "--output-dir", dir.Path("pre"), "-q"}).status, 0);
    EXPECT_EQ(Listing(dir.Path("pre")), (std::set<std::string>{"b1.s2k.tmp", "p.s2k.tmp"}));
    EXPECT_EQ(RunCli({"abaqus", inputs[4], "--output-dir", dir.Path("deck"), "-q"}).status, 0);
    EXPECT_TRUE(Exists(dir.Path("deck/p.inp")));
}

TEST(Cli, PathsThatAreOneFileAreRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    ::mkdir(dir.Path("a").c_str(), 0755);
    ::mkdir(dir.Path("b").c_str(), 0755);
    const std::string a = dir.Write("a/m.s2k", ReadFile(Example("building.s2k")));
    const std::string b = dir.Write("b/m.s2k", ReadFile(Example("plate.s2k")));
    CliRun r = RunCli({"convert", a, b, "--output-dir", dir.Path("out")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, dir.Path("out/m.std") + ": the output of " + b + " is also the output of " + a + "; nothing was written\n");
    EXPECT_FALSE(Exists(dir.Path("out")));
    // The same input twice, spelled differently.
    r = RunCli({"preprocess", a, dir.Path("a/../a/m.s2k")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(Exists(a + ".tmp"));

    // An output that is another input.
    const std::string s2k = dir.Write("x.s2k", ReadFile(Example("building.s2k")));
    const std::string std = dir.Write("x.std", "kept");
    r = RunCli({"convert", std, s2k});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std + ": the output of " + s2k + " is the input " + std + "; nothing was written\n");
    EXPECT_EQ(ReadFile(std), "kept");

    // One input's own paths: the report, the copy.
    r = RunCli({"convert", s2k, "--report", dir.Path("x.std"), "-o", dir.Path("./x.std")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, dir.Path("x.std") + ": the report file is also the output of " + s2k + " (" + dir.Path("./x.std") + "); nothing was written\n");
    r = RunCli({"convert", s2k, "--report", s2k});
    EXPECT_EQ(r.err, s2k + ": the report file is the input " + s2k + "; nothing was written\n");
    EXPECT_EQ(RunCli({"preprocess", s2k, "-o", dir.Path("a/../x.s2k")}).status, 1);
    EXPECT_EQ(RunCli({"tables", s2k, "-o", s2k}).status, 1);
    EXPECT_EQ(ReadFile(s2k), ReadFile(Example("building.s2k")));
    EXPECT_EQ(ReadFile(std), "kept");

    // A report that cannot be written stops the command before the output is written.
    r = RunCli({"convert", s2k, "-o", dir.Path("y.std"), "--report", dir.Path("no/r.tsv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, dir.Path("no/r.tsv") + ": cannot write: No such file or directory\n");
    EXPECT_FALSE(Exists(dir.Path("y.std")));
}

TEST(Cli, StandardOutputAsTheOutput) {
    TempDir dir;
    const std::string building = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    const std::string plate = dir.Write("p.s2k", ReadFile(Example("plate.s2k")));
    CliRun r = RunCli({"convert", building, "-o", "-", "-v"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out == Golden("building.std"));
    EXPECT_EQ(r.err.rfind(Golden("building.history"), 0), 0u) << "the history goes to standard error";
    EXPECT_FALSE(Exists(dir.Path("-")));
    ASSERT_EQ(RunCli({"abaqus", plate, "-q"}).status, 0);
    EXPECT_TRUE(RunCli({"abaqus", plate, "-o", "-"}).out == ReadFile(dir.Path("p.inp")));
    ASSERT_EQ(RunCli({"preprocess", plate, "-q"}).status, 0);
    EXPECT_TRUE(RunCli({"preprocess", plate, "-o", "-", "-q"}).out == ReadFile(plate + ".tmp"));

    // A failure writes nothing there.
    const std::string notExport = dir.Write("n.s2k", "just some text\r\n");
    r = RunCli({"convert", notExport, "-o", "-"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, notExport + ": not a SAP2000 table export (no TABLE: line)\n");
    // Nor does a model whose labels need a number map.
    const std::string words = dir.Write("w.s2k", "TABLE:  \"JOINT COORDINATES\"\r\n   Joint=top   GlobalX=0   GlobalY=0   GlobalZ=0\r\n \r\n");
    r = RunCli({"convert", words, "-o", "-"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, words + ": its labels need new numbers, and -o - writes no number map; give an output file\n");
}

TEST(Cli, QuietPrintsFailuresOnly) {
    TempDir dir;
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    const CliRun r = RunCli({"convert", "-q", input, dir.Path("none.s2k")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, dir.Path("none.s2k") + ": file not found\n");
}

TEST(Cli, MessagesNameTheirPathFirst) {
    TempDir dir;
    // Area sections without their assignment table: the window's message
    // box, shown twice per section there, is one warning here.
    const std::string noAssigns = dir.Write("a.s2k", ReadFile(Example("plate.s2k")));
    std::string text = ReadFile(noAssigns);
    const std::size_t table = text.find("TABLE:  \"AREA SECTION ASSIGNMENTS\"");
    ASSERT_NE(table, std::string::npos);
    text.replace(table, 13, "TABLE:  \"NOT ");
    dir.Write("a.s2k", text);
    CliRun r = RunCli({"convert", noAssigns});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.err, "\n" + noAssigns + ": No Area Information Found\nreport: ")) << r.err;
    EXPECT_EQ(r.err.find("No Area"), r.err.rfind("No Area")) << "told once";
    EXPECT_EQ(RunCli({"convert", noAssigns, "-q"}).err, "");
    // A failure the core records with its path is told as it is.
    r = RunCli({"convert", noAssigns, "-o", dir.Path("no/x.std")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, dir.Path("no/x.std") + ": No such file or directory\n");
    // A report file that cannot be written names its path first too.
    r = RunCli({"abaqus", noAssigns, "--report", dir.Path("no/r.tsv")});
    EXPECT_EQ(r.err, dir.Path("no/r.tsv") + ": cannot write: No such file or directory\n");
}

TEST(Cli, OneReportFileForSeveralInputs) {
    TempDir dir;
    const std::string a = dir.Write("a.s2k", ReadFile(Example("building.s2k")));
    const std::string b = dir.Write("b.s2k", ReadFile(Example("plate.s2k")));
    const std::string c = dir.Write("c.s2k", ReadFile(Example("building.s2k")));
    CliRun r = RunCli({"convert", a, b, dir.Path("none.s2k"), c, "--report", dir.Path("r.tsv"), "-j", "3", "-q"});
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> rows = [&] {
        std::vector<std::string> lines;
        std::istringstream in(ReadFile(dir.Path("r.tsv")));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }();
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0], "input\tkind\ttable\tname\tsentence");
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i].rfind((i <= 6 ? a : c) + "\t", 0), 0u) << rows[i];
    EXPECT_EQ(rows[1], a + "\tunsupported-shape\tFRAME SECTION PROPERTIES 01 - GENERAL\tBOX200\t"
                           "Frame section BOX200 of shape Box/Tube is left out: its shape is not converted.");
    // JSON: one array, each entry with its input first.
    r = RunCli({"abaqus", b, a, "--report", dir.Path("r.json"), "-q"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string check = "import json,sys; d=json.load(open(sys.argv[1])); "
                              "assert all(list(e)[0]=='input' for e in d) and [e['input'] for e in d]==sorted(e['input'] for e in d), d";
    EXPECT_EQ(std::system(("/usr/bin/python3 -c \"" + check + "\" " + dir.Path("r.json")).c_str()), 0);
    EXPECT_TRUE(Has(ReadFile(dir.Path("r.json")), "[\n {\"input\": \"" + a + "\", \"kind\": "));
}

TEST(Cli, ProgressBarOnlyAfterASecond) {
    using namespace std::chrono;
    corvane::ProgressBar::Clock::time_point now{};
    std::vector<std::string> drawn;
    {
        corvane::ProgressBar bar("m.s2k", [&](const std::string& text) { drawn.push_back(text); }, [&] { return now; });
        bar.Step(1, 4);
        now += milliseconds(999);
        bar.Step(2, 4);
        EXPECT_TRUE(drawn.empty()) << "a quick input shows no bar";
        now += milliseconds(2);
        bar.Step(3, 4);
        EXPECT_EQ(drawn, std::vector<std::string>{"[######################        ]  75% m.s2k"});
    }
    EXPECT_EQ(drawn.back(), "") << "cleared at the end";
    EXPECT_EQ(corvane::ProgressBarText("x", 0, 0, 4), "[    ]   0% x");
    EXPECT_EQ(corvane::ProgressBarText("x", 9, 8, 4), "[####] 100% x");
    // Without a terminal, no bar and no carriage return.
    TempDir dir;
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    EXPECT_EQ(RunCli({"convert", input}).err.find('\r'), std::string::npos);
}

TEST(Cli, TablesPrintOnlyTablesOnStandardOutput) {
    TempDir dir;
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    const CliRun r = RunCli({"tables", input});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("== Units\n", 0), 0u);
    EXPECT_TRUE(Has(r.out, "== JointTable (18 rows)\nJoint\tGlobalX\tGlobalY\tGlobalZ\n1\t0\t0\t0\n"));
    EXPECT_TRUE(Has(r.out, "== AreaSectionAssignTable (6 rows)"));
    EXPECT_FALSE(Has(r.out, "Reading"));
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(Has(RunCli({"tables", input, "-v"}).err, "Reading Area Section Assignment ....."));
    // -o FILE holds the same bytes.
    EXPECT_EQ(RunCli({"tables", input, "-q", "-o", dir.Path("t.txt")}).out, "");
    EXPECT_TRUE(ReadFile(dir.Path("t.txt")) == r.out);
}

TEST(Cli, TablesAsJsonKeepEveryByte) {
    TempDir dir;
    const std::string input = dir.Write("m.s2k", "\xEF\xBB\xBF" + TableText("JOINT COORDINATES", {"Joint=\xE9t\xC3\xA9   GlobalX=\"q\\   GlobalY=1\tx"}));
    const CliRun r = RunCli({"tables", input, "--json"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\n  \"history\": [\"Unit Information  ... Not Found\", ", 0), 0u);
    EXPECT_TRUE(Has(r.out, "\"JointTable\": {\"Joint\": [\"\\u00E9t\xC3\xA9\"], \"GlobalX\": [\"q\\\\$\"], \"GlobalY\": [\"1\\tx\"]")) << r.out;
    EXPECT_TRUE(Has(r.out, "\"CombinationList\": []"));
    // Every key in its order; a JSON parser accepts the whole.
    const std::string json = dir.Write("t.json", r.out);
    const std::string check =
        "import json,sys; d=json.load(open(sys.argv[1])); k=list(d); "
        "assert k[:3]==['history','units','JointTable'] and k[-2:]==['CombinationTable','CombinationList'] and len(k)==19, k";
    EXPECT_EQ(std::system(("/usr/bin/python3 -c \"" + check + "\" " + json).c_str()), 0);
}

TEST(Cli, WriteErrorsOnStandardOutputFail) {
    TempDir dir;
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    for (const char* args : {"convert b.s2k -v", "convert b.s2k -o - -q", "tables b.s2k --json", "--help"}) {
        const CliRun r = RunScript("cd '" + dir.Path("") + "' && \"$CORVANE\" " + args + " >/dev/full");
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_TRUE(Has(r.err, "corvane: standard output: No space left on device\n")) << args << r.err;
    }
    // A closed pipe ends the command by SIGPIPE, and the unfinished output is removed.
    ::unlink(dir.Path("b.std").c_str());
    const int status = RunIntoClosedPipe({"convert", input, "-v"});
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << status;
    EXPECT_EQ(Listing(dir.Path("")), std::set<std::string>{"b.s2k"});
}

TEST(Cli, OutOfMemoryIsToldAndReplacesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit cannot work under AddressSanitizer";
#endif
    TempDir dir;
    const std::string tiny = dir.Write("tiny.s2k", ReadFile(Example("plate.s2k")));
    {
        std::ofstream out(dir.Path("big.s2k"), std::ios::binary);
        corvane::bench::GenerateModel(20000, 3, out);
    }
    const std::size_t bigBytes = ReadFile(dir.Path("big.s2k")).size();
    dir.Write("big.std", "earlier");
    dir.Write("big.txt", "earlier");
    for (const char* args : {"convert big.s2k", "tables big.s2k -o big.txt", "preprocess big.s2k", "abaqus big.s2k -o big.std"}) {
        // The smallest address space (within 4 MB) in which the command does
        // its work on a small model; the large model needs its own size on
        // top of that, and gets half of it.
        const std::string command = std::string(args) + " -q";
        const std::string small = ReplaceAll(command, "big", "tiny");
        const auto runs = [&](long kb, const std::string& what) {
            return RunScript("ulimit -v " + std::to_string(kb) + "; cd '" + dir.Path("") + "' && \"$CORVANE\" " + what);
        };
        long fails = 16 << 10, works = 1 << 20;
        ASSERT_EQ(runs(works, small).status, 0) << small;
        while (works - fails > 4096) {
            const long mid = (fails + works) / 2;
            (runs(mid, small).status == 0 ? works : fails) = mid;
        }
        const CliRun r = runs(works + static_cast<long>(bigBytes / 2048), command);
        EXPECT_EQ(r.status, 1) << args;
        // Short of address space, the command runs out of memory or cannot
        // start the thread it reads with; either is told.
        EXPECT_TRUE(Has(r.err, "big.s2k: out of memory while reading (" + std::to_string(std::llround(bigBytes / 1e6)) + " MB)") ||
                    Has(r.err, "big.s2k: cannot start a thread"))
            << args << r.err;
    }
    EXPECT_EQ(ReadFile(dir.Path("big.std")), "earlier");
    EXPECT_EQ(ReadFile(dir.Path("big.txt")), "earlier");
    for (const std::string& name : Listing(dir.Path(""))) {
        EXPECT_NE(name[0], '.') << "an unfinished output is left: " << name;
        EXPECT_NE(name, "big.s2k.tmp");
    }
}

TEST(Cli, PreviewDrawsThePictureAtItsSize) {
    TempDir dir;
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    const CliRun r = RunCli({"preview", input, "-o", dir.Path("b.png"), "--size", "320x200", "--staad"});
#ifdef CORVANE_HAVE_PICTURE
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(QString::fromStdString(dir.Path("b.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 320);
    EXPECT_EQ(image.height(), 200);
    long drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) drawn += image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(drawn, 500) << "the model is drawn";
    EXPECT_EQ(RunCli({"preview", input, "-q"}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(dir.Path("b.png"))).size(), QSize(1200, 900));
    // A name ending in .jpg or .jpeg gets a JPEG picture.
    const CliRun jpeg = RunCli({"preview", input, "-o", dir.Path("b.JPG"), "--size", "64x48"});
    ASSERT_EQ(jpeg.status, 0) << jpeg.err;
    EXPECT_EQ(jpeg.err, input + ": 18 joints, 20 frames, 6 areas -> " + dir.Path("b.JPG") + "\n");
    EXPECT_EQ(ReadFile(dir.Path("b.JPG")).substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(QImage(QString::fromStdString(dir.Path("b.JPG")), "JPEG").size(), QSize(64, 48));
#else
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "not available in this build"));
#endif
}

TEST(Cli, CompletionAndManualListEveryOption) {
    // The script the build made is the one the program prints.
    const std::string cli = CORVANE_CLI;
    const std::string built = cli.substr(0, cli.rfind('/')) + "/corvane.bash-completion";
    const CliRun printed = RunCli({"completion", "bash"});
    ASSERT_EQ(printed.status, 0);
    EXPECT_EQ(ReadFile(built), printed.out);

    TempDir dir;
    ::mkdir(dir.Path("models").c_str(), 0755);
    dir.Write("m.s2k", "");
    const auto complete = [&](const std::string& line) {
        return RunScript("source '" + built + "'; cd '" + dir.Path("") + "'; COMP_WORDS=(" + line +
                         "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _corvane; echo \"${COMPREPLY[*]}\"")
            .out;
    };
    EXPECT_EQ(complete("corvane co"), "convert completion\n");
    EXPECT_EQ(complete("corvane convert --out"), "--output --output-dir\n");
    EXPECT_EQ(complete("corvane convert --output-dir ''"), "models\n");
    const std::string files = complete("corvane convert --output = m");
    EXPECT_TRUE(files == "m.s2k models\n" || files == "models m.s2k\n") << files;
    EXPECT_EQ(complete("corvane tables --j"), "--json\n");
    EXPECT_EQ(complete("corvane convert -j ''"), "\n");
    EXPECT_EQ(complete("corvane completion ''"), "bash\n");

    // Every long option of every command's help is in the manual page.
    std::string manual = ReadFile(std::string(CORVANE_SOURCE_DIR) + "/cli/corvane.1.in");
    manual = ReplaceAll(manual, "\\-", "-");
    for (const char* command : {"convert", "abaqus", "preprocess", "tables", "preview", "completion"}) {
        for (const std::string& option : LongOptions(RunCli({command, "--help"}).out))
            EXPECT_TRUE(Has(manual, option)) << command << " " << option;
        EXPECT_TRUE(Has(manual, std::string(".B ") + command)) << command;
    }
}

// Started with standard input and output (and error) closed, no file the
// command opens lands on descriptor 0, 1 or 2: every output holds what it
// holds otherwise, and the history meant for the closed standard output
// fails as a write to it does. Quiet, nothing fails.
TEST(Cli, ClosedStandardStreamsNeverBecomeOutputs) {
    TempDir dir;
    dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    dir.Write("p.s2k", ReadFile(Example("plate.s2k")));
    const std::string cd = "cd " + ShellQuoted(dir.Path("")) + " && \"$CORVANE\" ";
    struct Case {
        std::string args, output;
        bool historyOnStdout;
    };
    std::vector<Case> cases = {{"abaqus p.s2k -o a.inp", "a.inp", true},
                               {"tables b.s2k -o t.txt", "t.txt", false},
                               {"preprocess b.s2k -o c.tmp", "c.tmp", true},
                               {"convert b.s2k -o c.std", "c.std", true},
                               {"convert b.s2k -o x.std --report r.tsv", "r.tsv", true}};
#ifdef CORVANE_HAVE_PICTURE
    cases.push_back({"preview b.s2k -o b.png", "b.png", true});
#endif
    std::map<std::string, std::string> expected;
    for (const Case& c : cases) {
        ASSERT_EQ(RunScript(cd + c.args + " -q").status, 0) << c.args;
        expected[c.output] = ReadFile(dir.Path(c.output));
    }
    for (const std::string closed : {"<&- >&-", "<&- >&- 2>&-"})
        for (const Case& c : cases) {
            ::unlink(dir.Path(c.output).c_str());
            const CliRun r = RunScript(cd + c.args + " -v " + closed);
            EXPECT_EQ(ReadFile(dir.Path(c.output)), expected[c.output]) << c.args << " " << closed;
            EXPECT_EQ(r.status, c.historyOnStdout ? 1 : 0) << c.args << " " << closed << r.err;
            if (c.historyOnStdout && closed == "<&- >&-") {
                EXPECT_TRUE(Has(r.err, "corvane: standard output: Bad file descriptor")) << c.args << r.err;
            }
            EXPECT_EQ(RunScript(cd + c.args + " -q " + closed).status, 0) << c.args << " " << closed;
            EXPECT_EQ(ReadFile(dir.Path(c.output)), expected[c.output]) << c.args << " " << closed;
        }
    const CliRun r = RunScript(cd + "convert b.s2k -o - -q >&-");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "corvane: standard output: Bad file descriptor")) << r.err;
}

// An output path that is a link is written through it; one that names a
// descriptor (/dev/stdout, /dev/stderr) is that stream, and the history
// then goes to standard error. No link is ever replaced.
TEST(Cli, OutputsThatAreLinksOrStreams) {
    TempDir dir;
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    const std::string cd = "cd " + ShellQuoted(dir.Path("")) + " && \"$CORVANE\" ";
    CliRun r = RunScript(cd + "convert b.s2k -o /dev/stdout -v");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Golden("building.std"));
    EXPECT_TRUE(Has(r.err, "Unit Information")) << r.err;
    r = RunScript(cd + "tables b.s2k -o /dev/stdout");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, RunCli({"tables", input}).out);
    r = RunScript(cd + "convert b.s2k -q -o x.std --report /dev/stderr");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "kind\ttable\tname\tsentence\nunsupported-shape\t")) << r.err;
    // Appending to a log through /dev/stdout keeps what the log held.
    dir.Write("log.txt", "before\n");
    EXPECT_EQ(RunScript(cd + "convert b.s2k -q -o /dev/stdout >>log.txt").status, 0);
    EXPECT_EQ(ReadFile(dir.Path("log.txt")), "before\n" + Golden("building.std"));
    struct stat st {};
    ASSERT_EQ(::lstat("/dev/stdout", &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::lstat("/dev/stderr", &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    // A link: its target is replaced, the link stays.
    ::mkdir(dir.Path("out").c_str(), 0755);
    dir.Write("out/real.std", "earlier");
    ASSERT_EQ(::symlink("out/real.std", dir.Path("link.std").c_str()), 0);
    EXPECT_EQ(RunCli({"convert", input, "-o", dir.Path("link.std"), "-q"}).status, 0);
    EXPECT_EQ(ReadFile(dir.Path("out/real.std")), Golden("building.std"));
    ASSERT_EQ(::lstat(dir.Path("link.std").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Listing(dir.Path("out")), std::set<std::string>{"real.std"});

    // A stream gets no number map beside it.
    r = RunScript(cd + "convert b.s2k --full -o /dev/stdout");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "no number map")) << r.err;
}

// `truncate` while a conversion reads its input: the command fails with a
// message and leaves the earlier output as it was and no unfinished file.
TEST(Cli, InputThatShrinksWhileReadFailsAndLeavesNothing) {
    TempDir dir;
    {
        std::ofstream out(dir.Path("big.s2k"), std::ios::binary);
        corvane::bench::GenerateModel(20000, 3, out);
    }
    const std::size_t size = ReadFile(dir.Path("big.s2k")).size();
    dir.Write("big.std", "earlier");
    // The input is cut to half as soon as the command has mapped it.
    const CliRun r = RunScript("cd " + ShellQuoted(dir.Path("")) +
                               " && { \"$CORVANE\" convert big.s2k -q & pid=$!; "
                               "until grep -qF big.s2k /proc/$pid/maps 2>/dev/null || ! kill -0 $pid 2>/dev/null; do :; done; "
                               "truncate -s " + std::to_string(size / 2) + " big.s2k; wait $pid; }");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(Has(r.err, "big.s2k: the input changed while it was read\n")) << r.err;
    EXPECT_EQ(ReadFile(dir.Path("big.std")), "earlier");
    EXPECT_EQ(Listing(dir.Path("")), (std::set<std::string>{"big.s2k", "big.std"}));
}

// A file size limit (`ulimit -f`) ends the command by SIGXFSZ, which
// removes the unfinished output like any other terminating signal.
TEST(Cli, FileSizeLimitLeavesNoUnfinishedOutput) {
    TempDir dir;
    {
        std::ofstream out(dir.Path("big.s2k"), std::ios::binary);
        corvane::bench::GenerateModel(20000, 3, out);
    }
    dir.Write("big.std", "earlier");
    const CliRun r = RunScript("cd " + ShellQuoted(dir.Path("")) + " && ulimit -f 1000 && \"$CORVANE\" convert big.s2k -q");
    EXPECT_EQ(r.status, 128 + SIGXFSZ) << r.err;
    EXPECT_EQ(ReadFile(dir.Path("big.std")), "earlier");
    EXPECT_EQ(Listing(dir.Path("")), (std::set<std::string>{"big.s2k", "big.std"}));
}

// Threads that cannot start: a conversion says so (not "Out of memory"),
// and a preview whose drawing would wait forever for its thread pool fails
// with a message instead of hanging.
TEST(Cli, ThreadsThatCannotStartAreTold) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit cannot work under AddressSanitizer";
#endif
    TempDir dir;
    dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    const std::string cd = "cd " + ShellQuoted(dir.Path("")) + " && ";
    if (std::thread::hardware_concurrency() > 1) {
        // Every thread's stack is as large as the stack limit, and that
        // does not fit in the address space.
        const CliRun r = RunScript(cd + "ulimit -s 4000000 && ulimit -v 2000000 && \"$CORVANE\" convert b.s2k -q -o b.std");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "b.s2k: cannot start a thread: Resource temporarily unavailable\n");
    }
#ifdef CORVANE_HAVE_PICTURE
    const CliRun r = RunScript(cd + "ulimit -v 1200000 && timeout 120 \"$CORVANE\" preview b.s2k --size 16384x16384 -o b.png -q");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(Has(r.err, "b.s2k: cannot start a thread for the drawing: ") || Has(r.err, "Out of memory while reading b.s2k"))
        << r.err;
#endif
    EXPECT_EQ(Listing(dir.Path("")), std::set<std::string>{"b.s2k"});
}

// A target the user may not write is refused as cp refuses it (root may
// write any file: the command runs as nobody then); a pipe at the output
// is written in place, for the reader waiting on it.
TEST(Cli, UnwritableTargetRefusedAndPipeWrittenInPlace) {
    TempDir dir;
    ::chmod(dir.Path("").c_str(), 0777);
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    const std::string target = dir.Write("ro.std", "earlier");
    ::chmod(target.c_str(), 0444);
    std::string as;
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
        as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    const CliRun r = RunScript("cd " + ShellQuoted(dir.Path("")) + " && " + as + "\"$CORVANE\" convert b.s2k -o ro.std -q");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "ro.std: Permission denied")) << r.err;
    EXPECT_EQ(ReadFile(target), "earlier");

    ASSERT_EQ(::mkfifo(dir.Path("pipe.std").c_str(), 0666), 0);
    const int reader = ::open(dir.Path("pipe.std").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(RunCli({"convert", input, "-o", dir.Path("pipe.std"), "-q"}).status, 0);
    std::string got(1 << 16, '\0');
    const ssize_t n = ::read(reader, got.data(), got.size());
    ::close(reader);
    EXPECT_EQ(got.substr(0, n > 0 ? static_cast<std::size_t>(n) : 0), Golden("building.std"));
    struct stat st {};
    ASSERT_EQ(::lstat(dir.Path("pipe.std").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(Listing(dir.Path("")), (std::set<std::string>{"b.s2k", "pipe.std", "ro.std"}));
}

// The report's format follows the extension in any case.
TEST(Cli, ReportExtensionMatchedWithoutCase) {
    TempDir dir;
    const std::string input = dir.Write("b.s2k", ReadFile(Example("building.s2k")));
    for (const char* name : {"R.JSON", "r.Json"}) {
        ASSERT_EQ(RunCli({"convert", input, "-q", "-o", dir.Path("b.std"), "--report", dir.Path(name)}).status, 0);
        const std::string report = ReadFile(dir.Path(name));
        EXPECT_EQ(report.substr(0, 4), "[\n {") << name;
        EXPECT_TRUE(Has(report, "\"kind\": \"unsupported-shape\"")) << name;
    }
    EXPECT_TRUE(IsJsonName("a/R.JSON"));
    EXPECT_FALSE(IsJsonName("r.json.tsv"));
    EXPECT_FALSE(IsJsonName("json"));
}
