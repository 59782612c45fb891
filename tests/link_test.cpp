// The link pass's tools: finding rows by name (as small numbers and by
// hash) and grouping rows, and the references it resolves.
#include "TestSupport.h"
#include "link/Link.h"

#include <gtest/gtest.h>

#include <unordered_map>

using namespace corvane;
using namespace corvane::test;
using V = std::vector<std::string>;

namespace {

Table Names(const V& names) {
    Model m;
    FillTable(m, TableId::Joints, {names});
    return m[TableId::Joints];
}

}  // namespace

TEST(NameIndex, SmallNumbersAndOtherNamesFindTheirFirstRow) {
    for (const V& names : {V{"3", "1", "2", "1", "7"}, V{"3", "1", "2", "1", "7", "J8"}}) {
        const Table t = Names(names);
        const NameIndex index(t, 0);
        EXPECT_EQ(index.Find("1"), 1);  // the first of two rows
        EXPECT_EQ(index.Find("7"), 4);
        EXPECT_EQ(index.Find("4"), NameIndex::kNone);
        EXPECT_EQ(index.Find("01"), NameIndex::kNone);  // texts, not values, are compared
        EXPECT_EQ(index.Find(""), NameIndex::kNone);
        EXPECT_EQ(index.repeats(), std::vector<std::uint32_t>{3});
        EXPECT_EQ(index.Find(t, 3, 0), 1);
    }
    // Numbers far beyond the row count are found by hash all the same.
    // (An index refers to its table, which must outlive it.)
    const Table sparseNames = Names({"5", "999999999"});
    const NameIndex sparse(sparseNames, 0);
    EXPECT_EQ(sparse.Find("999999999"), 1);
}

TEST(NameIndex, CellsAreComparedAsShown) {
    Model m;
    FillTable(m, TableId::FrameSections, {{"A$", "B"}});
    Table& quoted = m[TableId::FrameAssigns];
    quoted.SetFound(true);
    quoted.AppendRow()[FrameAssignCol::AnalSect] = quoted.TextCell("A", true);  // shown "A$"
    quoted.AppendRow();                                                          // absent: shown "NULL"
    const NameIndex index(m[TableId::FrameSections], FrameSectionCol::SectionName);
    EXPECT_EQ(index.Find(quoted, 0, FrameAssignCol::AnalSect), 0);
    EXPECT_EQ(index.Find(quoted, 1, FrameAssignCol::AnalSect), NameIndex::kNone);
    EXPECT_EQ(ShownHash(quoted, 0, FrameAssignCol::AnalSect), ShownHash("A$"));
    EXPECT_TRUE(ShownEqual(quoted, 0, FrameAssignCol::AnalSect, m[TableId::FrameSections], 0, 0));
    EXPECT_FALSE(ShownEqual(quoted, 0, FrameAssignCol::AnalSect, m[TableId::FrameSections], 1, 0));
}

TEST(NameIndex, TwoNamesWithTheSameHashStayApart) {
    // Find two names whose hashes agree in the bits the index keeps.
    std::unordered_map<std::uint32_t, std::string> seen;
    std::string a, b;
    for (int i = 0; a.empty() && i < 2000000; ++i) {
        std::string name = "n" + std::to_string(i);
        const auto [it, inserted] = seen.emplace(static_cast<std::uint32_t>(ShownHash(name)), name);
        if (!inserted) {
            a = it->second;
            b = name;
        }
    }
    ASSERT_FALSE(a.empty());
    const Table t = Names({a});
    const NameIndex index(t, 0);
    EXPECT_EQ(index.Find(a), 0);
    EXPECT_EQ(index.Find(b), NameIndex::kNone);
    const Table other = Names({b});
    EXPECT_EQ(index.Find(other, 0, 0), NameIndex::kNone);
    const Table bothNames = Names({a, b});
    const NameIndex both(bothNames, 0);
    EXPECT_TRUE(both.repeats().empty());
    EXPECT_EQ(both.Find(b), 1);
}

TEST(Grouping, RowsInOrderTextsInOrderOfFirstAppearance) {
    const Groups g(3, {2, -1, 0, 2, 0});
    EXPECT_EQ(std::vector<std::uint32_t>(g[0].begin(), g[0].end()), (std::vector<std::uint32_t>{2, 4}));
    EXPECT_TRUE(g[1].empty());
    EXPECT_EQ(std::vector<std::uint32_t>(g[2].begin(), g[2].end()), (std::vector<std::uint32_t>{0, 3}));
    EXPECT_TRUE(g[-1].empty());

    TextGroups t;
    for (int round = 0; round < 2; ++round) {  // cleared and used again
        t.Clear();
        for (std::uint32_t r = 0; r < 200; ++r) t.Add(r, r % 3 == 0 ? "three" : "T" + std::to_string(r % 50));
        t.Finish();
        ASSERT_EQ(t.size(), 51u);  // "three" and T0 to T49
        EXPECT_EQ(t.Text(0), "three");
        EXPECT_EQ(t.Text(1), "T1");
        EXPECT_EQ(t.Rows(0).size(), 67u);
        EXPECT_EQ(*t.Rows(1).begin(), 1u);
    }
}

TEST(Link, ReferencesThatLeadNowhereAreReported) {
    Model m;
    FillTable(m, TableId::Joints, {{"1", "2", "J3"}, {"0", "0", "0"}, {"0", "0", "0"}, {"0", "0", "0"}});
    FillTable(m, TableId::Frames, {{"1", "2"}, {"1", "2"}, {"2", "9"}});
    FillTable(m, TableId::FrameSections, {{"R"}, {"STEEL"}, {"1"}, {"1"}, {"Rectangular"}});
    FillTable(m, TableId::FrameAssigns, {{"1", "2"}, {"R", "BOX"}, {"STEEL", ""}});
    FillTable(m, TableId::LoadPatterns, {{"D"}});
    FillTable(m, TableId::JointLoads, {{"1", "2"}, {"D", "W"}});
    Report report;
    const Links links = Link(m, &report, LinkOptions{});
    V kinds;
    for (const auto& e : report.entries) kinds.push_back(std::string(KindId(e.kind)) + " " + e.name);
    EXPECT_EQ(kinds, (V{"labels-renumbered 1", "missing-joint 2", "member-without-material 1", "member-without-material 2",
                        "member-without-property 2", "load-pattern-unknown 2"}));
    EXPECT_EQ(links.membersOfSection[0].size(), 1u);
    EXPECT_EQ(links.loadsOfPattern[3][0].size(), 1u);
}
