// The head and tail of a STAAD.Pro file, its units line and its input
// width.
#include "staad/Blocks.h"
#include "staad/StaadText.h"

namespace corvane {

std::string UnitsLine(const UnitsInfo& units) {
    // The first matching row gives the STAAD.Pro word; other texts are
    // written unchanged.
    static constexpr struct {
        std::string_view text, word;
    } kLengthWords[] = {{"m", "METER"}, {"M", "METER"}, {"mm", "MMS"}, {"MM", "MMS"},
                        {"FT", "FEET"}, {"ft", "FEET"}, {"IN", "INCHES"}, {"in", "INCHES"}},
      kForceWords[] = {{"ki", "KIP"}, {"Ki", "KIP"}, {"n", "NEWTONS"}, {"N", "NEWTONS"},
                       {"LB", "POUNDS"}, {"lb", "POUNDS"}, {"To", "MTON"}};
    std::string length = units.length, force = units.force;
    for (const auto& w : kLengthWords)
        if (length == w.text) { length = std::string(w.word); break; }
    for (const auto& w : kForceWords)
        if (force == w.text) { force = std::string(w.word); break; }
    return "UNIT " + length + " " + force;
}

void WrappedLines::Line(std::string_view line) {
    constexpr std::size_t kWidth = 79, kLast = kWidth - 2;
    if (line.size() <= kWidth || line.substr(0, 5) == "LOAD ") {
        out_.Line(line);
        return;
    }
    while (line.size() > kWidth) {
        const std::size_t p = line.find_last_of(' ', kLast);
        if (p == std::string_view::npos || p == 0) break;
        piece_.assign(line.substr(0, p));
        piece_ += " -";
        out_.Line(piece_);
        line.remove_prefix(p + 1);
    }
    out_.Line(line);
}

void WriteStaadFile(StaadContext& file) {
    WrappedLines wrapped(file.out);
    StaadContext c{file.model, file.links, wrapped, file.history, file.report, file.stepDone};
    c.history.Append("Start Writing Staad File .......");
    c.out.Line("STAAD SPACE");
    c.out.Line("START JOB INFORMATION");
    c.out.Line("END JOB INFORMATION");
    c.out.Line(UnitsLine(c.model.units));
    void (*const blocks[kStaadBlockCount])(StaadContext&) = {
        WriteJointsBlock,  WriteMembersBlock,  WriteShellsBlock,  WriteMaterialsBlock,    WriteSupportsBlock,
        WritePropertiesBlock, WriteReleasesBlock, WriteLoadingBlock, WriteCombinationsBlock,
    };
    for (auto block : blocks) {
        block(c);
        if (c.stepDone) c.stepDone();
    }
    c.out.Line("PERFORM ANALYSIS");
    c.out.Line("FINISH");
}

}  // namespace corvane
