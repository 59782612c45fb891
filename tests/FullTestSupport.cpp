#include "FullTestSupport.h"

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

}  // namespace corvane::test
