// The opt-in general-property mode: sections of every shape carry their
// computed properties; without the option nothing changes.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

using namespace corvane;
using namespace corvane::test;

namespace {

// Members that have a property line, and members that have a material line,
// read back from the STAAD.Pro text (lists expanded, TO runs included).
struct Coverage {
    std::set<long> property, material;
};

// The members of a list, up to the first word after it (PRIS, ...).
std::set<long> Expand(const std::string& list) {
    std::vector<long> numbers;
    ListNumbers(list, &numbers);
    return std::set<long>(numbers.begin(), numbers.end());
}

Coverage Covered(const std::string& staad) {
    Coverage c;
    const auto lines = StaadLines(staad);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].rfind("MEMBER PROPERTY", 0) == 0) c.property.merge(Expand(lines[i + 1]));
        if (lines[i].rfind("MATERIAL ", 0) == 0) {
            const auto memb = lines[i].find(" MEMB ");
            if (memb != std::string::npos) c.material.merge(Expand(lines[i].substr(memb + 6)));
        }
    }
    return c;
}

}  // namespace

TEST(AllSections, SharedCorpusBoxPipeAndSectionDesignerMembersGetPropertyAndMaterial) {
    if (!SharedCorpusPresent()) GTEST_SKIP() << "../shared/corpus is missing";
    const struct {
        const char* file;
        const char* line;     // one property line expected with the option
        bool numberedFrames;  // the chimney names its frames with words
    } cases[] = {
        {"sap2000_v14_Nmm_frames_shells_jointloads_MODEL1.s2k", "  PRIS AX 6624 IX 31536864 IY 21183552 IZ 21183552 AY 3600 AZ 3600\r\n", true},
        {"sap2000_v25_kNm_chimney_combos_jointloads.$2k", "  PRIS AX 156.576977854915 IX 49686.5723827002 IY 24843.2861913501 IZ 24843.2861913501 AY 78.3691639142074 AZ 78.3691639142074\r\n", false},
        {"sap2000_v22_kipin_tower_combos_sdsections_Tower1.$2k", "  PRIS AX 0.03515625 IX 0.000174128973166325 IY 0.000102996826171875 IZ 0.000102996826171875 AY 0.0292970199506683 AZ 0.0292970199506683\r\n", true},
    };
    for (const auto& c : cases) {
        const std::string file = CorpusFile(c.file);
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(Exists(file));
        const Conversion all = Convert(ReadFile(file), true);
        ASSERT_TRUE(all.ok);
        const auto lines = StaadLines(all.staad);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return (l + "\r\n").find(c.line) != std::string::npos; }));
        const Coverage cov = Covered(all.staad);
        for (const auto& frame : c.numberedFrames ? ColumnTexts(all.session.model[TableId::Frames], FrameCol::Frame) : std::vector<std::string>{}) {
            const long id = std::strtol(frame.c_str(), nullptr, 10);
            EXPECT_TRUE(cov.property.count(id)) << "member " << frame << " has no property";
            EXPECT_TRUE(cov.material.count(id)) << "member " << frame << " has no material";
        }
        EXPECT_EQ(std::count_if(all.session.report.entries.begin(), all.session.report.entries.end(),
                                [](const ReportEntry& e) { return e.kind == ReportKind::MemberWithoutProperty; }),
                  0);
    }
}

namespace {

// Without the option no member gets a general property and every export
// converts to its golden file, byte for byte.
void ExpectOptionOffChangesNothing(const std::vector<std::string>& files) {
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        const Conversion off = Convert(ReadFile(file), false);
        EXPECT_EQ(off.staad.find(" PRIS AX "), std::string::npos);
        if (file.find("legacy_format") != std::string::npos) continue;  // no table export, no file
        const std::string golden = std::string(CORVANE_SOURCE_DIR) + "/tests/golden/corpus/" +
                                   file.substr(file.rfind('/') + 1) + ".std";
        ASSERT_TRUE(Exists(golden)) << golden;
        EXPECT_TRUE(off.staad == ReadFile(golden)) << "differs from " << golden;
    }
}

}  // namespace

TEST(AllSections, OptionOffChangesNothing) { ExpectOptionOffChangesNothing(CorpusExports(CorpusPlace::Repository)); }

TEST(AllSections, OptionOffChangesNothingOnTheSharedCorpus) {
    if (!SharedCorpusPresent()) GTEST_SKIP() << "../shared/corpus is missing";
    ExpectOptionOffChangesNothing(CorpusExports(CorpusPlace::Shared));
}

TEST(AllSections, CommandLineOptionForConvertAndTables) {
    const std::string model = std::string(CORVANE_SOURCE_DIR) + "/examples/building.s2k";
    TempDir dir;
    const CliRun r = RunCli({"convert", model, "-o", dir.Path("b.std"), "--all-sections"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(ReadFile(dir.Path("b.std")).find("MEMBER PROPERTY\r\n15 19  PRIS AX 0.0076 IX 4.7E-05 IY 4.4E-05 IZ 4.4E-05 AY 0.004 AZ 0.004\r\n"),
              std::string::npos);
    EXPECT_NE(ReadFile(dir.Path("b.std")).find("MATERIAL S355 MEMB 13 TO 20 \r\n"), std::string::npos);
    const CliRun t = RunCli({"tables", model, "--all-sections"});
    EXPECT_NE(t.out.find("== FrameSectionTable (5 rows)"), std::string::npos);
    EXPECT_NE(t.out.find("BOX200\tS355\tAX 0.0076 IX 4.7E-05 IY 4.4E-05 IZ 4.4E-05 AY 0.004 AZ 0.004\t-\tBox/Tube"), std::string::npos);
}
