// The faults an attack found in what the converter accepted without a word:
// number lists beyond a double's precision, numbers that are no numbers,
// names that stand twice, line ends converted twice.
#include "TestSupport.h"
#include "text/NumberList.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;
using namespace corvane::test;
using V = std::vector<std::string>;

namespace {

V Kinds(const Conversion& c) {
    V kinds;
    for (const auto& e : c.session.report.entries) kinds.push_back(std::string(KindId(e.kind)) + " " + e.name);
    return kinds;
}


}  // namespace

TEST(NumberLists, RunsAreExactAndOnlyOfNumbersStaadTakes) {
    const auto fold = [](const V& labels) { return JoinItems(FoldRuns(labels)); };
    // Beyond a double's precision no two labels are "consecutive".
    EXPECT_EQ(fold({"1000000000000000", "1000000000000001"}), "1000000000000000 1000000000000001 ");
    EXPECT_EQ(fold({"9223372036854775807", "9223372036854775808"}), "9223372036854775807 9223372036854775808 ");
    // Above 999999, or not a whole number: never part of a run.
    EXPECT_EQ(fold({"999998", "999999", "1000000", "1000001"}), "999998 TO 999999 1000000 1000001 ");
    EXPECT_EQ(fold({"1.0", "2", "3"}), "1.0 2 TO 3 ");
    EXPECT_EQ(fold({"1_0m", "2_3.8m", "3_7.6m"}), "1_0m 2_3.8m 3_7.6m ");
    EXPECT_EQ(fold({"-1", "0", "1"}), "-1 0 TO 1 ");
    EXPECT_EQ(fold({"0011", "0012"}), "0011 TO 12 ");
}

TEST(Numbers, TextsThatAreNoNumbersAreReported) {
    const std::string joints = TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=nan", "Joint=2   GlobalX=inf   GlobalY=1e400   GlobalZ=0",
                                                               "Joint=3   GlobalX=0x10   GlobalY=1.2.3   GlobalZ=", "Joint=4   GlobalX=1   GlobalY=2   GlobalZ=3"});
    const Conversion c = Convert(joints + TableText("LOAD PATTERN DEFINITIONS", {"LoadPat=D"}) +
                                 TableText("JOINT LOADS - FORCE", {"Joint=4   LoadPat=D   F1=nan", "Joint=4   LoadPat=D   F1=1   F2=1e400",
                                                                   "Joint=1   LoadPat=D   F3=-2"}) +
                                 TableText("FRAME LOADS - POINT", {"Frame=1   LoadPat=D   Dir=Gravity   AbsDist=1   Force=1e400"}));
    ASSERT_TRUE(c.ok);
    const V lines = CrlfLines(c.staad);
    // A joint with any coordinate that is no finite number has no line:
    // its Y is computed, and no 0 stands in for a number that is none.
    const auto block = std::find(lines.begin(), lines.end(), "JOINT COORDINATES");
    ASSERT_NE(block, lines.end());
    EXPECT_EQ(V(block, block + 3), (V{"JOINT COORDINATES", "4 1 3 -2", "MEMBER INCIDENCES"}));
    for (const auto& l : lines) {
        EXPECT_EQ(l.find("INF "), std::string::npos) << l;
        EXPECT_EQ(l.find(" CON "), std::string::npos) << l;
        EXPECT_EQ(l.find(" FZ "), std::string::npos) << l;
    }
    EXPECT_TRUE(Has(lines, "1   FY -2"));
    const V kinds = Kinds(c);
    EXPECT_EQ(std::count_if(kinds.begin(), kinds.end(), [](const std::string& k) { return k.rfind("number-invalid", 0) == 0; }), 9);
    // A joint load of "nan" is no load of 0.
    EXPECT_EQ(std::count_if(kinds.begin(), kinds.end(), [](const std::string& k) { return k.rfind("joint-load-zero", 0) == 0; }), 0);
    const auto entry = std::find_if(c.session.report.entries.begin(), c.session.report.entries.end(),
                                    [](const ReportEntry& e) { return KindId(e.kind) == "number-invalid"; });
    ASSERT_NE(entry, c.session.report.entries.end());
    EXPECT_EQ(Sentence(*entry), "The GlobalX of 2 is \"inf\", which is no finite decimal number.");
}

TEST(Names, NamesThatStandTwiceAreReportedAndWritten) {
    const Conversion c = Convert(TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0",
                                                                 "Joint=1   GlobalX=5   GlobalY=0   GlobalZ=0"}) +
                                 TableText("CONNECTIVITY - FRAME", {"Frame=7   JointI=1   JointJ=2", "Frame=7   JointI=2   JointJ=1"}));
    ASSERT_TRUE(c.ok);
    // The later rows are written under new numbers after the largest.
    const V lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "3 5 0 0"));
    EXPECT_TRUE(Has(lines, "8 2 1"));
    const V kinds = Kinds(c);
    EXPECT_TRUE(Has(kinds, "duplicate-name 1"));
    EXPECT_TRUE(Has(kinds, "duplicate-name 7"));
}

TEST(LineEnds, LineEndsConvertedTwiceAreOneLineEnd) {
    std::string doubled = TableText("JOINT COORDINATES", {"Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0", "Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0"}) +
                          TableText("CONNECTIVITY - FRAME", {"Frame=7   JointI=1   JointJ=2"});
    std::string twice;
    for (char ch : doubled) {
        if (ch == '\n') twice += '\r';
        twice += ch;
    }
    Conversion c = Convert(twice);
    ASSERT_TRUE(c.ok);
    V lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "2 1 0 0"));
    EXPECT_TRUE(Has(lines, "7 1 2"));
    EXPECT_TRUE(Has(Kinds(c), "line-ends-doubled "));
    // In a file with other line ends too, CRs followed by one LF are still
    // one line end (only the report entry is about the whole file).
    c = Convert(twice + "x\n");
    lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "2 1 0 0"));
    EXPECT_FALSE(Has(Kinds(c), "line-ends-doubled "));
}

TEST(LineEnds, AnyRunOfReturnsBeforeALineFeedIsOneLineEnd) {
    // CR CR CR LF: one line end, so the table goes on past the first record
    // and the units line holds only its units.
    const std::string text = "TABLE:  \"PROGRAM CONTROL\"\r\r\r\n   ProgramName=SAP2000   CurrUnits=\"KN, m, C\"\r\r\r\n\r\r\r\n"
                             "TABLE:  \"JOINT COORDINATES\"\r\r\r\n   Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0\r\r\r\n"
                             "   Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0\r\r\r\n\r\r\r\n";
    const Conversion c = Convert(text);
    ASSERT_TRUE(c.ok);
    const V lines = CrlfLines(c.staad);
    EXPECT_TRUE(Has(lines, "UNIT METER KN"));
    EXPECT_TRUE(Has(lines, "1 0 0 0"));
    EXPECT_TRUE(Has(lines, "2 1 0 0"));
    // CRs that no LF follows end a line each: an empty line ends the table.
    const Conversion alone = Convert("TABLE:  \"JOINT COORDINATES\"\r   Joint=1   GlobalX=0   GlobalY=0   GlobalZ=0\r\r"
                                     "   Joint=2   GlobalX=1   GlobalY=0   GlobalZ=0\r\r");
    EXPECT_TRUE(Has(CrlfLines(alone.staad), "1 0 0 0"));
    EXPECT_FALSE(Has(CrlfLines(alone.staad), "2 1 0 0"));
}
