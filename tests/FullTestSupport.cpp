#include "FullTestSupport.h"

#include <gtest/gtest.h>

#include "text/LineSink.h"
#include "text/NumberText.h"

#include <algorithm>

namespace corvane::test {

namespace {

FullRun Run(const std::string& s2k, bool full, bool abaqus) {
    const InputText input = InputText::FromBytes(s2k);
    Model model;
    ConvertOptions options;
    options.full = full;
    StringSink out;
    MemoryHistory history;
    MemoryMessages messages;
    FullRun r;
    if (abaqus) AbaqusForInput(input, model, options, out, history, messages, r.report);
    else ConvertInput(input, model, options, out, history, messages, r.report);
    r.text = out.text;
    r.lines = StaadLines(out.text);
    return r;
}

}  // namespace

FullRun RunFull(const std::string& s2k) { return Run(s2k, true, false); }
ClassicRun RunClassic(const std::string& s2k) { return Run(s2k, false, false); }
std::string Classic(const std::string& s2k) { return Run(s2k, false, false).text; }
FullRun RunFullAbaqus(const std::string& s2k) { return Run(s2k, true, true); }
FullRun RunClassicAbaqus(const std::string& s2k) { return Run(s2k, false, true); }

bool HasEntry(const Report& report, const std::string& kind, const std::string& name, const std::string& table, const std::string& a) {
    for (const ReportEntry& e : report.entries) {
        if (KindId(e.kind) != kind) continue;
        if (!name.empty() && e.name != name) continue;
        if (!table.empty() && e.table != table) continue;
        if (!a.empty() && e.a != a) continue;
        return true;
    }
    return false;
}

std::string NumberText(double value) { return NumberToText(value); }

std::string TestModel(const std::string& name) { return ReadFile(std::string(CORVANE_SOURCE_DIR) + "/tests/models/" + name); }

std::vector<std::string> LoadLines(const FullRun& r, const std::string& title) {
    std::vector<std::string> out;
    bool in = false;
    for (const std::string& line : r.lines) {
        if (line.rfind("LOAD ", 0) == 0 || line == "PERFORM ANALYSIS") in = line.size() > title.size() && line.substr(line.size() - title.size()) == title;
        else if (in) out.push_back(line);
    }
    return out;
}

std::string FullNumberMap(const std::string& s2k) {
    TempDir dir;
    const std::string input = dir.Write("m.s2k", s2k);
    const CliRun run = RunCli({"convert", input, "--full", "-q", "-o", dir.Path("m.std")});
    EXPECT_EQ(run.status, 0) << run.err;
    return ReadFile(dir.Path("m.numbers.csv"));
}

}  // namespace corvane::test
