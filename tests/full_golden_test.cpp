// The full conversion of every corpus export, byte for byte against its
// golden STAAD.Pro file and number map (tests/golden/full/). The files
// change only on purpose: with CORVANE_UPDATE_GOLDEN=1 the test writes them
// anew instead of comparing.
#include "TestSupport.h"

#include "driver/Session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace corvane;
using namespace corvane::test;

namespace {

void Check(const std::string& produced, const std::string& golden, bool update) {
    if (update) {
        std::ofstream(golden, std::ios::binary) << produced;
        return;
    }
    ASSERT_TRUE(Exists(golden)) << golden << " is missing";
    EXPECT_TRUE(produced == ReadFile(golden)) << "differs from " << golden;
}

}  // namespace

TEST(FullGolden, EveryCorpusExportWritesItsGoldenFileAndNumberMap) {
    // The exports kept in the repository, and those of the shared corpus
    // where it is beside the project.
    std::vector<std::string> files = CorpusExports(CorpusPlace::Repository);
    if (SharedCorpusPresent())
        for (const std::string& file : CorpusExports(CorpusPlace::Shared)) files.push_back(file);
    ASSERT_FALSE(files.empty());
    const bool update = std::getenv("CORVANE_UPDATE_GOLDEN") != nullptr;
    const std::string dir = std::string(CORVANE_SOURCE_DIR) + "/tests/golden/full/";
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        TempDir out;
        Session s;
        s.inputPath = file;
        s.outputPath = out.Path("model.std");
        s.options.full = true;
        MemoryHistory history;
        MemoryMessages messages;
        const bool ok = MakeStaad(s, history, messages);
        const std::string name = dir + file.substr(file.rfind('/') + 1);
        if (!ok) {
            // The export that is no table export fails and writes nothing.
            EXPECT_FALSE(Exists(s.outputPath));
            continue;
        }
        Check(ReadFile(s.outputPath), name + ".std", update);
        Check(ReadFile(out.Path("model.numbers.csv")), name + ".numbers.csv", update);
    }
}
