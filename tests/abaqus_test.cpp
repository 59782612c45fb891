// The Abaqus deck: its lines, its file handling, and independent readers
// (meshio) and solvers (CalculiX) that must accept it.
#include "TestSupport.h"
#include "driver/Session.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace corvane;
using namespace corvane::test;
using V = std::vector<std::string>;

namespace {

std::string Example(const std::string& name) { return std::string(CORVANE_SOURCE_DIR) + "/examples/" + name; }

struct Deck {
    bool ok = false;
    std::string text;
    std::vector<std::string> history;
    std::vector<ShownMessage> messages;
};

Deck MakeDeck(const std::string& s2k, const TempDir& dir) {
    Session s;
    s.inputPath = dir.Write("m.s2k", s2k);
    MemoryHistory history;
    MemoryMessages messages;
    Deck d;
    d.ok = MakeAbaqus(s, dir.Path("m.inp"), history, messages);
    d.text = ReadFile(dir.Path("m.inp"));
    d.history = history.lines;
    d.messages = messages.shown;
    return d;
}

bool Have(const char* command) { return std::system((std::string("command -v ") + command + " >/dev/null 2>&1").c_str()) == 0; }

}  // namespace

TEST(AbaqusDeck, BundledExampleToTheByte) {
    TempDir dir;
    const Deck d = MakeDeck(ReadFile(Example("building.s2k")), dir);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/golden/building.inp"));
    EXPECT_EQ(d.history.back(), ".......... Done");  // no completion line of its own
}

TEST(AbaqusDeck, NoSupportsMissingAssignmentsAndNoShells) {
    TempDir dir;
    const std::string shell = TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0",
                                                              "Joint=3   GlobalX=1   GlobalY=1   GlobalZ=0"}) +
                              TableText("CONNECTIVITY - AREA", {"Area=1   NumJoints=3   Joint1=1   Joint2=2   Joint3=3"});
    const Deck d = MakeDeck(shell + TableText("AREA SECTION PROPERTIES", {"Section=A   Material=C   Thickness=1"}) +
                                TableText("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES", {"Material=C   E1=2.1E+08   U12=0.3"}),
                            dir);
    ASSERT_TRUE(d.ok);
    const V lines = CrlfLines(d.text);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "210000000. , 0.3"), lines.end());
    EXPECT_EQ(lines.back(), "*End Step");
    EXPECT_EQ(d.messages.size(), 2u);  // once for the element sets, once for the surface
    // Without supports the deck has no empty node set and no boundary on it.
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("_PickedSet4"), std::string::npos) << line;
        EXPECT_NE(line, "*Boundary");
    }

    // A model without shells gives no deck at all.
    const std::string deck = dir.Write("old.inp", "earlier deck");
    Session s;
    MemoryHistory history;
    MemoryMessages messages;
    s.inputPath = dir.Write("frames.s2k", TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0"}));
    EXPECT_FALSE(MakeAbaqus(s, deck, history, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "No shell elements, no Abaqus deck written: " + deck);
    EXPECT_EQ(ReadFile(deck), "earlier deck");
    EXPECT_EQ(KindId(s.report.entries.back().kind), "no-shells");
}

TEST(AbaqusDeck, MissingInputAndOutputThatIsTheInput) {
    TempDir dir;
    Session s;
    MemoryHistory history;
    MemoryMessages messages;
    s.inputPath = dir.Path("none.s2k");
    EXPECT_FALSE(MakeAbaqus(s, dir.Path("none.inp"), history, messages));
    EXPECT_EQ(history.lines, V{"...INPUT FILE NOT FOUND..."});
    EXPECT_FALSE(Exists(dir.Path("none.inp")));

    const std::string plate = ReadFile(Example("plate.s2k"));
    s.inputPath = dir.Write("m.s2k", plate);
    EXPECT_FALSE(MakeAbaqus(s, s.inputPath, history, messages));
    EXPECT_EQ(messages.shown.at(0).text, "Output file is the input file: " + s.inputPath);
    EXPECT_EQ(ReadFile(s.inputPath), plate);

    EXPECT_FALSE(MakeAbaqus(s, "/dev/full", history, messages));
    EXPECT_EQ(messages.shown.back().text.rfind("Cannot write /dev/full: ", 0), 0u);
}

TEST(AbaqusDeck, ReadableByMeshioAndSolvedByCalculix) {
    TempDir dir;
    const Deck d = MakeDeck(ReadFile(Example("plate.s2k")), dir);
    ASSERT_TRUE(d.ok);
    if (std::system("/usr/bin/python3 -c 'import meshio' >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3-meshio is not installed";
    }
    const std::string script =
        "import meshio, sys\n"
        "m = meshio.read(sys.argv[1], file_format='abaqus')\n"
        "cells = {c.type: len(c.data) for c in m.cells}\n"
        "assert len(m.points) == 25, len(m.points)\n"
        "assert cells == {'quad': 15, 'triangle': 2}, cells\n"
        "assert len(m.point_sets['_PickedSet4']) == 16, m.point_sets\n"
        "assert sum(len(x) for x in m.cell_sets['PLATE10']) == 17\n";
    std::string pyPath = dir.Write("check.py", script);
    EXPECT_EQ(std::system(("/usr/bin/python3 " + pyPath + " " + dir.Path("m.inp")).c_str()), 0);

    if (!Have("ccx")) GTEST_SKIP() << "calculix-ccx is not installed";
    const int status = std::system(("cd '" + dir.Path("") + "' && timeout 120 ccx -i m >ccx.log 2>&1").c_str());
    EXPECT_EQ(status, 0) << ReadFile(dir.Path("ccx.log"));
    EXPECT_NE(ReadFile(dir.Path("ccx.log")).find("Job finished"), std::string::npos);
}
