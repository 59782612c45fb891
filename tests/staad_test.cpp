// The STAAD.Pro writer blocks.
#include "TestSupport.h"
#include "staad/Blocks.h"

#include <gtest/gtest.h>


using namespace corvane;
using V = std::vector<std::string>;

TEST(SupportCondition, PinnedFixedAndFreeWords) {
    const auto condition = [](std::string_view ux, std::string_view uy, std::string_view uz, std::string_view rx,
                              std::string_view ry, std::string_view rz) {
        const std::string_view flags[6] = {ux, uy, uz, rx, ry, rz};
        return SupportCondition(flags);
    };
    EXPECT_EQ(condition("Yes", "Yes", "Yes", "No", "No", "No"), "PINNED");
    EXPECT_EQ(condition("Yes", "Yes", "Yes", "Yes", "Yes", "Yes"), "FIXED");
    EXPECT_EQ(condition("Yes", "Yes", "Yes", "Yes", "Yes", "No"), "FIXED BUT      MY");
    EXPECT_EQ(condition("Yes", "Yes", "No", "Yes", "Yes", "Yes"), "FIXED BUT   FY   ");
    EXPECT_EQ(condition("Yes", "No", "Yes", "Yes", "Yes", "Yes"), "FIXED BUT  FZ    ");
    EXPECT_EQ(condition("No", "No", "No", "No", "No", "No"), "FIXED BUT FX FZ FY MX MZ MY");
    EXPECT_EQ(condition("Yes", "Yes", "Yes", "NULL", "No", "No"), "FIXED BUT    MX MZ MY");
    EXPECT_EQ(condition("yes", "Yes", "Yes", "Yes", "Yes", "Yes"), "FIXED BUT FX     ");
}

namespace {

// Runs one block on the model and returns its lines and history.
struct Block {
    Model model;
    MemoryHistory history;
    V operator()(void (*block)(StaadContext&)) {
        const Links links = Link(model, nullptr, LinkOptions{});
        StringSink out;
        StaadContext c{model, links, out, history, nullptr};
        block(c);
        return test::CrlfLines(out.text);
    }
    void Fill(TableId id, const std::vector<V>& columns) { test::FillTable(model, id, columns); }
};

}  // namespace

TEST(GeometryBlocks, AxesAndShellNumbers) {
    Block b;
    b.Fill(TableId::Joints, {{"3", "4", "5"}, {"0", "1.5E+02", "NULL"}, {"120", "-12.5", "0.00001"}, {"240", "0", "NULL"}});
    // A joint without coordinates has no line.
    EXPECT_EQ(b(WriteJointsBlock), (V{"JOINT COORDINATES", "3 0 240 -120", "4 1.5E+02 0 12.5"}));
    b.Fill(TableId::Areas, {{"5", "8", "7.5", "9"},
                            {"4", "3", "4", "4.0"},
                            {"1", "1", "1", "1"},
                            {"2", "2", "2", "2"},
                            {"6", "6", "3", "3"},
                            {"5", "NULL", "4", "4"}});
    // Area 7.5 is no number STAAD.Pro takes: it follows the largest, 9.
    EXPECT_EQ(b(WriteShellsBlock), (V{"ELEMENT INCIDENCES SHELL", "100005 1 2 6 5", "100008 1 2 6", "100010 1 2 3 4"}));
    EXPECT_EQ(b.history.lines, (V{"Writing Joint Coordinates..........", ".......... Done ", "Writing Shell Elements..........",
                                  ".......... Done "}));
}

TEST(MaterialsBlock, TheWorkedExample) {
    Block b;
    b.Fill(TableId::Materials, {{"CONC", "M"}, {"23.56", "1"}, {"24855578", "2"}, {"0.2", ""}});
    b.Fill(TableId::FrameAssigns,
           {{"1", "2", "3", "9", "5", "4"}, {"S", "S", "S", "X", "S", "Y"}, {"CONC", "CONC", "CONC", "", "CONC", "M"}});
    b.Fill(TableId::AreaSections, {{"SLAB1"}, {"CONC"}, {"0.2"}});
    b.Fill(TableId::AreaAssigns, {{"1", "2"}, {"SLAB1", "SLAB1"}});
    EXPECT_EQ(b(WriteMaterialsBlock),
              (V{"DEFINE MATERIAL START", "ISOTROPIC CONC", "E 24855578", "POISSON 0.2", "DENSITY 23.56", "ISOTROPIC M", "E 2",
                 "POISSON 0.2", "DENSITY 1", "END DEFINE MATERIAL", "CONSTANTS", "MATERIAL CONC MEMB 1 TO 3 5 ", "MATERIAL M MEMB 4 ",
                 "MATERIAL CONC MEMB 100001 TO 100002 "}));
    EXPECT_EQ(b.history.lines, (V{"Writing Material Data..........", "Writing Frame Material Assignments..........",
                                  ".......... Done ", "Writing Shell Material Assignments..........", ".......... Done "}));
}

TEST(PropertiesBlock, TheEightLinesExample) {
    Block b;
    b.Fill(TableId::FrameSections, {{"R1", "W14X22", "PG1", "UB305", "EMPTY", "C1", "BOX"},
                                    V(7, "S"),
                                    {"0.6", "-", "1.2 0.01 1.2 0.3 0.02 0.3 0.02", "-", "1", "0.5", "AX 1 IX 2 IY 3 IZ 4"},
                                    {"0.3", "-", "-", "-", "1", "-", "-"},
                                    {"Rectangular", "I/Wide$", "I/Wide$", "I/Wide$", "Rectangular", "Circle", "Box/Tube"}});
    b.Fill(TableId::FrameAssigns,
           {{"1", "2", "3", "5", "6", "7", "8", "9", "10"}, {"R1", "R1", "R1", "W14X22", "W14X22", "PG1", "UB305", "C1", "BOX"}});
    b.Fill(TableId::AreaSections, {{"SLAB1"}, {"C"}, {"0.2"}});
    b.Fill(TableId::AreaAssigns, {{"1", "2", "3", "4"}, V(4, "SLAB1")});
    EXPECT_EQ(b(WritePropertiesBlock),
              (V{"MEMBER PROPERTY", "1 TO 3  PRIS YD 0.6 ZD 0.3", "MEMBER PROPERTY AMERICAN", "5 TO 6  TABLE ST W14X22", "MEMBER PROPERTY",
                 "7  TAPERED 1.2 0.01 1.2 0.3 0.02 0.3 0.02", "MEMBER PROPERTY BRITISH", "8  TABLE ST UB305", "MEMBER PROPERTY",
                 "9  PRIS YD 0.5", "MEMBER PROPERTY", "10  PRIS AX 1 IX 2 IY 3 IZ 4", "ELEMENT PROPERTY", "100001 TO 100004  THICKNESS 0.2"}));
}

TEST(SupportsAndReleases, GroupedInOrderOfFirstAppearance) {
    Block b;
    b.Fill(TableId::Restraints, {{"4", "1", "2", "3", "5", "7"},
                                 V(6, "Yes"),
                                 {"Yes", "Yes", "Yes", "Yes", "Yes", "No"},
                                 V(6, "Yes"),
                                 {"Yes", "No", "No", "No", "Yes", "Yes"},
                                 {"Yes", "No", "No", "No", "Yes", "Yes"},
                                 {"Yes", "No", "No", "No", "Yes", "Yes"}});
    EXPECT_EQ(b(WriteSupportsBlock), (V{"SUPPORTS", "4 TO 5  FIXED", "1 TO 3  PINNED", "7  FIXED BUT  FZ    "}));
    b.Fill(TableId::Releases, {{"5", "6", "7", "8", "9"},
                               {"Yes", "No", "No", "yes", "No"},
                               {"No", "Yes", "Yes", "No", "No"},
                               {"No", "No", "Yes", "No", "NULL"},
                               {"No", "No", "No", "No", "Yes"}});
    // Each end frees only the moments SAP2000 frees there.
    EXPECT_EQ(b(WriteReleasesBlock), (V{"MEMBER RELEASE", "5  START MY", "6 TO 7  START MZ", "7  END MY", "9  END MZ"}));
    Block empty;
    EXPECT_EQ(empty(WriteSupportsBlock), V{"SUPPORTS"});
    EXPECT_EQ(empty(WriteReleasesBlock), V{"MEMBER RELEASE"});
}

TEST(LoadingBlock, CasesDirectionsSignsAndGroups) {
    Block b;
    b.Fill(TableId::LoadPatterns, {{"DEAD", "EQX", "W", "NULL"}, {"DEAD", "QUAKE", "WIND", "NULL"}, {"1", "0.5", "0", "NULL"}});
    b.Fill(TableId::FrameDistLoads,
           {{"1", "2", "3", "5", "4", "6", "7", "8", "9", "10"},
            {"DEAD", "DEAD", "DEAD", "DEAD", "EQX", "W", "W", "W", "W", "OTHER"},
            {"GLOBAL", "GLOBAL", "GLOBAL", "GLOBAL", "GLOBAL", "GLOBAL", "Local", "GLOBAL", "GLOBAL", "GLOBAL"},
            {"Gravity", "Gravity", "Gravity", "Gravity", "X", "Y", "2", "Z_Proj", "Y_Proj", "Z"},
            {" ", " ", " ", " ", "0", " ", " ", " ", "1", " "},
            {" ", " ", " ", " ", "120", " ", " ", " ", "2", " "},
            {"2.5", "2.5", "2.5", "2.5", "3", "1", "1", "-2", "4", "1"},
            {"2.5", "2.5", "2.5", "2.5", "3", "1", "1", "-2", "6", "1"}});
    b.Fill(TableId::FramePointLoads, {{"12", "13", "14"},
                                      {"DEAD", "DEAD", "DEAD"},
                                      {"GLOBAL", "GLOBAL", "Local"},
                                      {"Gravity", "X$", "3"},
                                      {"4.5", "1", "2"},
                                      {"10", "1", "-3"}});
    b.Fill(TableId::AreaLoads, {{"1", "2", "3", "4", "5", "6", "7"},
                                V(7, "DEAD"),
                                {"GLOBAL", "GLOBAL", "GLOBAL", "GLOBAL", "Local", "Local", "Other"},
                                {"Gravity", "Gravity", "Gravity", "Gravity", "3", "Y", "Gravity"},
                                {"5", "5", "5", "5", "-2", "1", "1"}});
    b.Fill(TableId::JointLoads, {{"1", "2", "3", "9"},
                                 {"W", "W", "W", "W"},
                                 {"0.0", "10.0", "10.0", "0"},
                                 {"0", "10.0", "10.0", "5"},
                                 {"0", "0", "0", "-10"},
                                 {"0", "0", "0", "0"},
                                 {"0", "-2", "-2", "0"},
                                 {"0", "0", "0", "0"}});
    EXPECT_EQ(b(WriteLoadingBlock), (V{
                                        "LOAD 1 LOADTYPE DEAD TITLE DEAD",
                                        " SELFWEIGHT Y -1",
                                        "MEMBER LOAD",
                                        "1 TO 3 5   UNI GY -2.5    ",
                                        "12 CON GY -10 4.5",
                                        "14 CON Z -3 2",
                                        "ELEMENT LOAD",
                                        "100001 TO 100004   PR GY  -5",
                                        "100005   PR   -2",
                                        "100006   PR   -1",
                                        "JOINT LOAD",
                                        "LOAD 2 LOADTYPE  Seismic  TITLE EQX",
                                        " SELFWEIGHT Y -0.5",
                                        "MEMBER LOAD",
                                        "4   UNI GX 3 0 120",
                                        "ELEMENT LOAD",
                                        "JOINT LOAD",
                                        "LOAD 3 LOADTYPE WIND TITLE W",
                                        "MEMBER LOAD",
                                        "6   UNI GZ -1    ",
                                        "7   UNI Y 1    ",
                                        "8   UNI PY -2    ",
                                        "9   TRAP PZ -4 -6 1 2",
                                        "ELEMENT LOAD",
                                        "JOINT LOAD",
                                        "2 TO 3   FX 10.0 FZ -10 MZ 2",
                                        "9   FZ -5 FY -10",
                                        "LOAD 4 LOADTYPE NULL TITLE NULL",
                                        "MEMBER LOAD",
                                        "ELEMENT LOAD",
                                        "JOINT LOAD",
                                    }));
    EXPECT_EQ(b.history.lines, (V{"Writing Loading Data (Frame, Joint and Shell)..........", ".......... Done "}));
}

TEST(CombinationsBlock, NumberedAfterThePrimaryLoads) {
    Block b;
    b.Fill(TableId::LoadPatterns, {{"DEAD", "LIVE", "W"}});
    b.Fill(TableId::Combinations,
           {{"COMB1", "COMB1", "B", "COMB1"}, {"DEAD", "LIVE", "W", "DEAD"}, {"1.4", "1.6", "1", "1"}, {"1", "2", "3", "1"}});
    b.model.combinationStarts = {0, 2, 3};
    EXPECT_EQ(b(WriteCombinationsBlock), (V{"LOAD COMB 4 COMB1", "1 1.4 2 1.6 1 1 ", "LOAD COMB 5 B", "3 1 ", "LOAD COMB 6 COMB1",
                                            "1 1.4 2 1.6 1 1 "}));
    Block none;
    EXPECT_TRUE(none(WriteCombinationsBlock).empty());
    EXPECT_TRUE(none.history.lines.empty());
}

TEST(UnitsLine, WordTable) {
    EXPECT_EQ(UnitsLine({"Ki", "in"}), "UNIT INCHES KIP");
    EXPECT_EQ(UnitsLine({"KN", "m"}), "UNIT METER KN");
    EXPECT_EQ(UnitsLine({"N", "mm"}), "UNIT MMS NEWTONS");
    EXPECT_EQ(UnitsLine({"lb", "ft"}), "UNIT FEET POUNDS");
    EXPECT_EQ(UnitsLine({"KN", "cm"}), "UNIT cm KN");
    EXPECT_EQ(UnitsLine({"To", "m"}), "UNIT METER MTON");
    EXPECT_EQ(UnitsLine({}), "UNIT    ");
}
