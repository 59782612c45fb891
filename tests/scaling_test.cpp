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
    EXPECT_GE(s.model[TableId::Joints].rows(), 50000u);
    EXPECT_EQ(s.model[TableId::FrameAssigns].rows(), s.model[TableId::Frames].rows());
    EXPECT_EQ(s.model.combinationStarts.size(), 40u);
    EXPECT_TRUE(messages.shown.empty());
    const auto lines = CrlfLines(ReadFile(s.outputPath));
    EXPECT_EQ(lines.back(), "FINISH");
    EXPECT_GT(lines.size(), s.model[TableId::Joints].rows() + s.model[TableId::Frames].rows());

    // The same bytes twice: the generator is deterministic.
    std::ofstream again(dir.Path("again.s2k"), std::ios::binary);
    bench::GenerateModel(50000, 7, again);
    again.close();
    EXPECT_TRUE(ReadFile(dir.Path("again.s2k")) == ReadFile(input));
}

TEST(Scaling, EveryLoadTextDistinctAndOneSectionForEveryMember) {
    const std::size_t n = 200000;
    Model m;
    FillTable(m, TableId::LoadPatterns, {{"P"}, {"DEAD"}, {"0"}});
    FillTable(m, TableId::FrameSections, {{"S"}, {"M"}, {"1"}, {"1"}, {"Rectangular"}});
    FillTable(m, TableId::Materials, {{"M"}, {"1"}, {"2"}, {"0.3"}});
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < n; ++i) ids.push_back(std::to_string(i + 1));
    FillTable(m, TableId::FrameDistLoads, {ids, std::vector<std::string>(n, "P"), std::vector<std::string>(n, "GLOBAL"),
                                           std::vector<std::string>(n, "Gravity"), std::vector<std::string>(n, " "),
                                           std::vector<std::string>(n, " "), ids, ids});
    FillTable(m, TableId::FrameAssigns, {ids, std::vector<std::string>(n, "S"), std::vector<std::string>(n, "M")});
    const Links links = Link(m, nullptr, LinkOptions{});
    MemoryHistory history;
    StringSink out;
    StaadContext c{m, links, out, history, nullptr};
    WriteLoadingBlock(c);
    WritePropertiesBlock(c);
    WriteMaterialsBlock(c);
    const auto lines = CrlfLines(out.text);
    EXPECT_EQ(lines[2], "1   UNI GY -1    ");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 TO 200000  PRIS YD 1 ZD 1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MATERIAL M MEMB 1 TO 200000 "), lines.end());
    EXPECT_GT(lines.size(), n);
}
