// The item reader, the table search and the field functions.
#include "reader/Fields.h"
#include "reader/InputText.h"
#include "reader/ItemReader.h"
#include "reader/TableCursor.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

std::vector<std::string> Items(const std::string& text) {
    InputText input(text);
    ItemReader r(input.bytes(), input.start());
    std::vector<std::string> items;
    while (!r.AtEnd()) items.emplace_back(r.ReadItem());
    return items;
}

}  // namespace

TEST(ItemReader, CommasQuotesBlanksAndLineEnds) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Items("A=1, B=2\r\n"), (V{"A=1", "B=2"}));
    // The units field splits into three items; the quote stays in the first.
    EXPECT_EQ(Items("   X=1   CurrUnits=\"KN, m, C\"   Y=2\r\n"), (V{"X=1   CurrUnits=\"KN", "m", "C\"   Y=2"}));
    // A quoted item is the text between the quotes; the rest of the piece is passed over.
    EXPECT_EQ(Items("\"a, b\" tail, next\r\n"), (V{"a, b", "next"}));
    EXPECT_EQ(Items("\"unclosed, rest\r\nB\r\n"), (V{"unclosed, rest", "B"}));
    // CR LF, lone LF and lone CR all end an item; trailing blanks are dropped.
    EXPECT_EQ(Items("a  \rb\nc\r\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(Items("a\r\n   \r\nb\r\n"), (V{"a", "", "b"}));
    // A byte-order mark at the start is skipped.
    EXPECT_EQ(Items("\xEF\xBB\xBFTABLE:  \"X\"\r\n"), (V{"TABLE:  \"X\""}));
}

TEST(FindTable, ExactHeaderOnly) {
    const std::string body = "   A=1\r\n \r\n";
    EXPECT_TRUE(InputText("TABLE:  \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    EXPECT_TRUE(InputText("    TABLE:  \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    EXPECT_FALSE(InputText("TABLE: \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    EXPECT_FALSE(InputText("table:  \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    EXPECT_FALSE(InputText("TABLE:  \"JOINT  COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    // A header that is the very last item is not found, with or without a line end.
    EXPECT_FALSE(InputText("x\r\nTABLE:  \"JOINT COORDINATES\"\r\n").FindTable("JOINT COORDINATES"));
    EXPECT_FALSE(InputText("x\r\nTABLE:  \"JOINT COORDINATES\"").FindTable("JOINT COORDINATES"));
    // A header after a comma on a line is an item like any other.
    EXPECT_TRUE(InputText("x, TABLE:  \"A\"\r\n \r\n").FindTable("A"));
}

TEST(FindTable, FirstOfTwoNamesAndFirstOfTwoTables) {
    InputText input("TABLE:  \"B\"\r\n   N=1\r\n \r\nTABLE:  \"A\"\r\n   N=2\r\n \r\nTABLE:  \"B\"\r\n   N=3\r\n \r\n");
    const auto a = input.FindTable("A");
    const auto b = input.FindTable("B");
    ASSERT_TRUE(a && b);
    EXPECT_LT(*b, *a);
    EXPECT_EQ(*input.FindTable("A", "B"), *b);
    EXPECT_EQ(*input.FindTable("B", "A"), *b);
}

TEST(Fields, AfterEAndBeforeE) {
    EXPECT_EQ(AfterE("Joint=12"), "12");
    EXPECT_EQ(AfterE("Shape=\"I/Wide"), "I/Wide$");
    EXPECT_EQ(AfterE("Shape=\"Circle\""), "Circle\"$");
    EXPECT_EQ(AfterE("Key="), "");
    EXPECT_EQ(AfterE("Key=\""), "$");
    EXPECT_EQ(AfterE("Flange\""), "NULL");
    EXPECT_EQ(BeforeE("Shape=\"I/Wide"), "Shape");
    EXPECT_EQ(BeforeE("Flange\""), "NULL");
    EXPECT_EQ(BeforeE("=x"), "");
    EXPECT_EQ(FindEqual("ab=c"), 3);
    EXPECT_EQ(FindEqual(""), -1);
    EXPECT_EQ(FindInvCom("a\"b"), 2);
}

TEST(Fields, PositionsJoinsAndStaleSlots) {
    TokenStore t;
    t.SplitTokens("Material=\"A992 Fy50\"   Joint=1   Joint=2   Solo");
    EXPECT_EQ(t.Count(), 5);
    EXPECT_EQ(FieldPosition(t, "Joint"), 4);  // the last token carrying the key
    EXPECT_EQ(FieldPosition(t, "Solo"), -1);  // a token without "=" carries no key
    EXPECT_EQ(JoinQuotedValue(t, 1), "A992_Fy50");
    // A shorter record keeps the longer record's tokens above its count.
    t.SplitTokens("Section=\"SL");
    EXPECT_EQ(t.Count(), 1);
    EXPECT_EQ(t[2], "Fy50\"");
    EXPECT_EQ(JoinQuotedValue(t, 1), "SL_Fy50");
    EXPECT_EQ(t[0], "");
    EXPECT_EQ(MidFrom("Joint=12", 7), "12");
    EXPECT_EQ(MidFrom("Node=12", 7), "2");
    EXPECT_EQ(MidFrom("ab", 7), "");
}

TEST(TableCursor, ContinuationEmptyItemAndEndOfFile) {
    InputText input("TABLE:  \"T\"\r\n   A=1 _\r\n      B=2 _\r\n      C=3\r\n   D=4\r\n \r\n   E=5\r\n");
    TableCursor cursor(input, *input.FindTable("T"));
    TokenStore t;
    std::vector<std::string> firsts;
    while (cursor.NextRecord(t)) {
        firsts.emplace_back(t[1]);
        cursor.SkipContinuation(t);
    }
    EXPECT_EQ(firsts, (std::vector<std::string>{"A=1", "D=4"}));
    EXPECT_FALSE(cursor.Cut());

    // A table that runs to the end of the file keeps its last record, line end or not.
    for (const char* tail : {"   B=2\r\n", "   B=2"}) {
        InputText cut(std::string("TABLE:  \"T\"\r\n   A=1\r\n") + tail);
        TableCursor c(cut, *cut.FindTable("T"));
        int n = 0;
        while (c.NextRecord(t)) ++n;
        EXPECT_EQ(n, 2);
        EXPECT_TRUE(c.Cut());
    }
    // Continuation that meets the end of the file stops there.
    InputText open("TABLE:  \"T\"\r\n   A=1 _\r\n   B=2 _");
    TableCursor c(open, *open.FindTable("T"));
    ASSERT_TRUE(c.NextRecord(t));
    c.SkipContinuation(t);
    EXPECT_FALSE(c.NextRecord(t));
}
