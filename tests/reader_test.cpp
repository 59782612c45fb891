// The item reader, the table search and the field functions.
#include "TestSupport.h"
#include "reader/Fields.h"
#include "reader/InputText.h"
#include "reader/ItemReader.h"
#include "reader/TableCursor.h"
#include "model/Table.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <thread>

using namespace corvane;

namespace {

std::vector<std::string> Items(const std::string& text) {
    const InputText input = InputText::FromBytes(text);
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

TEST(FindTable, HeaderWithAnyBlanksBeforeTheName) {
    const std::string body = "   A=1\r\n \r\n";
    EXPECT_TRUE(InputText::FromBytes("TABLE:  \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    EXPECT_TRUE(InputText::FromBytes("    TABLE:  \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    // One blank, a tab, none, or a mix of both between the word and the name.
    for (const char* gap : {" ", "\t", "", " \t  \t"})
        EXPECT_TRUE(InputText::FromBytes(std::string("TABLE:") + gap + "\"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"))
            << "gap of " << std::string(gap).size();
    EXPECT_EQ(InputText::FromBytes("TABLE:\t\"A\"\t\r\n" + body).Tables().size(), 1u);
    EXPECT_FALSE(InputText::FromBytes("TABLE: x \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    EXPECT_FALSE(InputText::FromBytes("table:  \"JOINT COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    EXPECT_FALSE(InputText::FromBytes("TABLE:  \"JOINT  COORDINATES\"\r\n" + body).FindTable("JOINT COORDINATES"));
    // A header that is the very last item is not found, with or without a line end.
    EXPECT_FALSE(InputText::FromBytes("x\r\nTABLE:  \"JOINT COORDINATES\"\r\n").FindTable("JOINT COORDINATES"));
    EXPECT_FALSE(InputText::FromBytes("x\r\nTABLE:  \"JOINT COORDINATES\"").FindTable("JOINT COORDINATES"));
    // A header after a comma on a line is an item like any other.
    EXPECT_TRUE(InputText::FromBytes("x, TABLE:  \"A\"\r\n \r\n").FindTable("A"));
}

TEST(FindTable, FirstOfTwoNamesAndFirstOfTwoTables) {
    const InputText input = InputText::FromBytes("TABLE:  \"B\"\r\n   N=1\r\n \r\nTABLE:  \"A\"\r\n   N=2\r\n \r\nTABLE:  \"B\"\r\n   N=3\r\n \r\n");
    const auto a = input.FindTable("A");
    const auto b = input.FindTable("B");
    ASSERT_TRUE(a && b);
    EXPECT_LT(*b, *a);
    EXPECT_EQ(*input.FindTable("A", "B"), *b);
    EXPECT_EQ(*input.FindTable("B", "A"), *b);
}

namespace {
// The value of a single token, as the readers store it.
std::string Value(const char* token) {
    TokenStore t;
    t.Split(token);
    return ValueText(t, 1);
}
}  // namespace

TEST(Fields, ValuesMarkersAndKeys) {
    EXPECT_EQ(Value("Joint=12"), "12");
    EXPECT_EQ(Value("Shape=\"I/Wide"), "I/Wide$");
    EXPECT_EQ(Value("Shape=\"Circle\""), "Circle\"$");
    EXPECT_EQ(Value("Key="), "");
    EXPECT_EQ(Value("Key=\""), "$");
    EXPECT_EQ(Value("Flange\""), "NULL");
    TokenStore t;
    t.Split("=x Shape=\"I/Wide");
    std::string_view key;
    ASSERT_TRUE(t.Key(1, &key));
    EXPECT_EQ(key, "");
    ASSERT_TRUE(t.Key(2, &key));
    EXPECT_EQ(key, "Shape");
    EXPECT_FALSE(t.Key(3, &key));
}

TEST(Fields, PositionsJoinsAndStaleSlots) {
    TokenStore t;
    const KeySet keys{{"Joint", 0}, {"Material", 1}, {"Solo", 2}};
    int pos[KeySet::kMaxSlots];
    t.Split("Material=\"A992 Fy50\"   Joint=1   Joint=2   Solo", &keys, pos);
    EXPECT_EQ(t.Count(), 5);
    EXPECT_EQ(pos[0], 4);   // the last token carrying the key
    EXPECT_EQ(pos[2], -1);  // a token without "=" carries no key
    EXPECT_EQ(t.Position("Joint"), 4);
    EXPECT_EQ(JoinedText(t, pos[1]), "A992_Fy50");
    // A shorter record keeps the longer record's tokens above its count.
    t.Split("Section=\"SL", &keys, pos);
    EXPECT_EQ(t.Count(), 1);
    EXPECT_EQ(pos[0], -1);
    EXPECT_EQ(t[2], "Fy50\"");
    EXPECT_EQ(JoinedText(t, 1), "SL_Fy50");
    EXPECT_EQ(t[0], "");
    // An unquoted value that ends in "$" is joined like a quoted one.
    t.Split("Name=Col$ next\"");
    EXPECT_EQ(JoinedText(t, 1), "Col_next");
}

TEST(Fields, CellsKeepMarkersApartFromTheirBytes) {
    const InputText input = InputText::FromBytes("Joint=12 Node=12 ab Shape=\"I/Wide Flange\"");
    TokenStore t;
    t.Split(input.bytes());
    Table table(TableId::FrameSections);
    table.SetSource(input.source());
    Cell* row = table.AppendRow();
    row[0] = CharsFromCell(table, t[1], 7);
    row[1] = CharsFromCell(table, t[2], 7);
    row[2] = CharsFromCell(table, t[3], 7);
    row[3] = ValueCell(table, t, 4);
    row[4] = JoinedCell(table, t, 4);
    EXPECT_EQ(table.Text(0, 0), "12");
    EXPECT_EQ(table.Text(0, 1), "2");
    EXPECT_EQ(table.Text(0, 2), "");
    EXPECT_EQ(table.View(0, 3), "I/Wide");  // the bytes point into the input...
    EXPECT_TRUE(table.Quoted(0, 3));
    EXPECT_EQ(table.Text(0, 3), "I/Wide$");  // ...and are shown with their marker
    EXPECT_TRUE(table.Is(0, 3, "I/Wide$"));
    EXPECT_FALSE(table.Is(0, 3, "I/Wide"));
    EXPECT_EQ(table.Text(0, 4), "I/Wide_Flange");
    EXPECT_GE(table.View(0, 0).data(), input.bytes().data());
    // A missing field shows its column's absent text.
    row = table.AppendRow();
    EXPECT_TRUE(table.Absent(1, FrameSectionCol::Shape));
    EXPECT_EQ(table.Text(1, FrameSectionCol::Shape), "NULL");
    EXPECT_EQ(table.Text(1, FrameSectionCol::Dim1), "");
    // Texts too long for a cell's length field live in the arena.
    const std::string longText(Cell::kLongLength + 5, 'x');
    table.at(1, 0) = table.TextCell(longText, true);
    EXPECT_EQ(table.View(1, 0), longText);
    EXPECT_EQ(table.Text(1, 0), longText + "$");
}

TEST(TableCursor, ContinuationEmptyItemAndEndOfFile) {
    const InputText input = InputText::FromBytes("TABLE:  \"T\"\r\n   A=1 _\r\n      B=2 _\r\n      C=3\r\n   D=4\r\n \r\n   E=5\r\n");
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
        const InputText cut = InputText::FromBytes(std::string("TABLE:  \"T\"\r\n   A=1\r\n") + tail);
        TableCursor c(cut, *cut.FindTable("T"));
        int n = 0;
        while (c.NextRecord(t)) ++n;
        EXPECT_EQ(n, 2);
        EXPECT_TRUE(c.Cut());
    }
    // Continuation that meets the end of the file stops there.
    const InputText open = InputText::FromBytes("TABLE:  \"T\"\r\n   A=1 _\r\n   B=2 _");
    TableCursor c(open, *open.FindTable("T"));
    ASSERT_TRUE(c.NextRecord(t));
    c.SkipContinuation(t);
    EXPECT_FALSE(c.NextRecord(t));
}

TEST(InputText, FilesThatCannotBeMappedAreReadToTheirEnd) {
    // A pipe is read in pieces; every byte arrives, in order.
    std::string text = "TABLE:  \"JOINT COORDINATES\"\r\n";
    for (int i = 0; i < 20000; ++i) text += "   Joint=" + std::to_string(i) + "   GlobalX=0   GlobalY=0   GlobalZ=0\r\n";
    test::TempDir dir;
    const std::string fifo = dir.Path("pipe.s2k");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        std::FILE* f = std::fopen(fifo.c_str(), "wb");
        if (!f) return;
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    });
    int error = 0;
    const auto input = InputText::Load(fifo, &error);
    writer.join();
    ASSERT_TRUE(input.has_value()) << error;
    EXPECT_TRUE(input->bytes() == text);
    EXPECT_TRUE(input->FindTable("JOINT COORDINATES"));
    // A mapped file gives the same bytes.
    const auto mapped = InputText::Load(dir.Write("file.s2k", text), &error);
    ASSERT_TRUE(mapped.has_value());
    EXPECT_TRUE(mapped->bytes() == text);
    EXPECT_FALSE(InputText::Load(dir.Path("missing.s2k"), &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(InputText::Load(dir.Path(""), &error));
    EXPECT_EQ(error, EISDIR);
}
