// libFuzzer target: the fuzzer's bytes become an input file, and every
// command of the core runs on it with a fresh state: reading all tables, the
// STAAD.Pro conversion, the Abaqus deck and the preprocessor.
#include "app/Preprocessor.h"
#include "driver/Session.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& WorkDir() {
    static const std::string dir = [] {
        std::string tmpl = "/tmp/corvane-fuzz-XXXXXX";
        const char* made = ::mkdtemp(tmpl.data());
        if (!made) std::abort();
        return std::string(made);
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = WorkDir() + "/model.s2k";
    std::FILE* f = std::fopen(input.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    corvane::MemoryHistory history;
    corvane::MemoryMessages messages;
    {
        corvane::Session s;
        s.inputPath = input;
        corvane::ReadAllTables(s, history);
    }
    {
        corvane::Session s;
        s.inputPath = input;
        s.outputPath = WorkDir() + "/model.std";
        corvane::MakeStaad(s, history, messages);
    }
    {
        corvane::Session s;
        s.inputPath = input;
        s.allSections = true;
        s.outputPath = WorkDir() + "/model-all.std";
        corvane::MakeStaad(s, history, messages);
    }
    {
        corvane::Session s;
        s.inputPath = input;
        corvane::MakeAbaqus(s, WorkDir() + "/model.inp", history, messages);
    }
    corvane::Preprocess(input, history, messages);
    return 0;
}
