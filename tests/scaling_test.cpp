// Large models in the ordinary suite, so that a quadratic step cannot land
// unnoticed: a generated model of 50 000 joints through the whole
// conversion, and the worst cases for grouping (every load text distinct,
// one section holding every member). The suite's time limit catches a hang.
#include "TestSupport.h"
#include "bench/ModelGenerator.h"
#include "staad/Blocks.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace corvane;
using namespace corvane::test;

TEST(Scaling, GeneratedModelOfFiftyThousandJoints) {
    TempDir dir;
    const std::string input = dir.Path("big.s2k");
    {
        std::ofstream out(input, std::ios::binary);
        bench::GenerateModel(50000, 7, out);
    }
    Session s;
    s.inputPath = input;
    s.outputPath = dir.Path("big.std");
    MemoryHistory history;
    MemoryMessages messages;
    ASSERT_TRUE(MakeStaad(s, history, messages));
    EXPECT_GE(s.tables.joints.Joint.size(), 50000u);
    EXPECT_EQ(s.tables.frameAssigns.Frame.size(), s.tables.frames.Frame.size());
    EXPECT_EQ(s.tables.CombinationList.size(), 40u);
    EXPECT_TRUE(messages.shown.empty());
    const auto lines = CrlfLines(ReadFile(s.outputPath));
    EXPECT_EQ(lines.back(), "FINISH");
    EXPECT_GT(lines.size(), s.tables.joints.Joint.size() + s.tables.frames.Frame.size());

    // The same bytes twice: the generator is deterministic.
    std::ofstream again(dir.Path("again.s2k"), std::ios::binary);
    bench::GenerateModel(50000, 7, again);
    again.close();
    EXPECT_TRUE(ReadFile(dir.Path("again.s2k")) == ReadFile(input));
}

TEST(Scaling, EveryLoadTextDistinctAndOneSectionForEveryMember) {
    const std::size_t n = 200000;
    ModelTables t;
    t.loadPatterns = {{"P"}, {"DEAD"}, {"0"}};
    auto& d = t.frameDistLoads;
    auto& a = t.frameAssigns;
    t.frameSections = {{"S"}, {"M"}, {"1"}, {"1"}, {"Rectangular"}};
    t.materials = {{"M"}, {"1"}, {"2"}, {"0.3"}};
    for (std::size_t i = 0; i < n; ++i) {
        const std::string id = std::to_string(i + 1);
        d.Frame.push_back(id);
        d.LoadPat.push_back("P");
        d.CoordSys.push_back("GLOBAL");
        d.Dir.push_back("Gravity");
        d.AbsDistA.push_back(" ");
        d.AbsDistB.push_back(" ");
        d.FOverLA.push_back(id);
        d.FOverLB.push_back(id);
        a.Frame.push_back(id);
        a.AnalSect.push_back("S");
        a.Material.push_back("M");
    }
    InputText input("");
    MemoryMessages messages;
    SectionAreaLookup areas(input, messages);
    MemoryHistory history;
    RunList runs;
    StringSink out;
    WriteContext c{t, out, history, runs, areas, nullptr};
    WriteLoadingBlock(c);
    WritePropertiesBlock(c);
    WriteMaterialsBlock(c);
    const auto lines = CrlfLines(out.text);
    EXPECT_EQ(lines[2], "1   UNI GY -1    ");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 TO 200000  PRIS YD 1 ZD 1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MATERIAL M MEMB 1 TO 200000 "), lines.end());
    EXPECT_GT(lines.size(), n);
}
