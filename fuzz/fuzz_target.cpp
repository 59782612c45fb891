// libFuzzer target: the fuzzer's bytes are an input held in memory, and
// every command of the core runs on it with a fresh model: reading all
// tables, the STAAD.Pro conversion (classic, with every section shape, and
// full), the Abaqus deck (classic and full) and the preprocessor.
#include "driver/Preprocessor.h"
#include "driver/Session.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const InputText input = InputText::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    MemoryHistory history;
    MemoryMessages messages;
    {
        Model model;
        Report report;
        ReadTablesOf(input, model, {}, history, report);
    }
    for (int mode = 0; mode < 3; ++mode) {
        Model model;
        Report report;
        StringSink out;
        ConvertOptions options;
        options.allSections = mode == 1;
        options.full = mode == 2;
        ConvertInput(input, model, options, out, history, messages, report);
    }
    for (bool full : {false, true}) {
        Model model;
        Report report;
        StringSink out;
        ConvertOptions options;
        options.full = full;
        AbaqusForInput(input, model, options, out, history, messages, report);
    }
    StringSink copy;
    PreprocessInput(input, copy);
    return 0;
}
