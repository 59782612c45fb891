// The preprocessor and the recent-file list.
#include "TestSupport.h"
#include "driver/Preprocessor.h"
#include "reader/Readers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace corvane;
using namespace corvane::test;
using V = std::vector<std::string>;

TEST(Preprocessor, OneItemPerLineCommasBecomeFullStops) {
    TempDir dir;
    const std::string source =
        "TABLE:  \"PROGRAM CONTROL\"\r\n"
        "   ProgramName=SAP2000   CurrUnits=\"KN, m, C\"   X=1\r\n"
        "1,5\r\n"
        "\"a, b\" rest\r\n"
        "   \r\n"
        "plain \"quoted\" line\r\n";
    const std::string input = dir.Write("m.s2k", source);
    MemoryHistory history;
    MemoryMessages messages;
    history.Append("old");
    ASSERT_TRUE(Preprocess(input, history, messages));
    EXPECT_EQ(history.lines, (V{"Preprocessing ....", ".... Done"}));
    EXPECT_EQ(CrlfLines(ReadFile(input + ".tmp")),
              (V{"TABLE:  \"PROGRAM CONTROL\"", "ProgramName=SAP2000   CurrUnits=\"KN", "m", "C\"   X=1", "1", "5", "a. b", "",
                 "plain \"quoted\" line"}));
    EXPECT_EQ(ReadFile(input), source);

    // The copy gives the same units as the source.
    const InputText copy = InputText::FromBytes(ReadFile(input + ".tmp"));
    Model model;
    ReadContext c{copy, model, history};
    ReadUnits(c);
    EXPECT_EQ(model.units.force, "KN");
    EXPECT_EQ(model.units.length, "m");
}

TEST(Preprocessor, EmptyMissingAndUnwritable) {
    TempDir dir;
    MemoryHistory history;
    MemoryMessages messages;
    const std::string empty = dir.Write("e.s2k", "");
    ASSERT_TRUE(Preprocess(empty, history, messages));
    EXPECT_EQ(ReadFile(empty + ".tmp"), "");
    EXPECT_EQ(history.lines.size(), 2u);

    history.Append("kept");
    EXPECT_FALSE(Preprocess(dir.Path("none.s2k"), history, messages));
    EXPECT_EQ(history.lines, (V{"Preprocessing ....", ".... Done", "kept", "...INPUT FILE NOT FOUND..."}));

    // A copy that cannot be written: a message naming it, no success, history kept.
    const std::string input = dir.Write("m.s2k", "x\r\n");
    ::mkdir((input + ".tmp").c_str(), 0755);
    history.lines = {"kept"};
    EXPECT_FALSE(Preprocess(input, history, messages));
    EXPECT_EQ(history.lines, V{"kept"});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("Cannot write " + input + ".tmp: ", 0), 0u);
}
