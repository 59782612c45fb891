// The head and tail of a STAAD.Pro file and its units line.
#include "staad/Blocks.h"

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

void WriteStaadFile(StaadContext& c) {
    c.history.Append("Start Writing Staad File .......");
    c.out.Line("STAAD SPACE");
    c.out.Line("START JOB INFORMATION");
    c.out.Line("END JOB INFORMATION");
    c.out.Line(UnitsLine(c.model.units));
    WriteJointsBlock(c);
    WriteMembersBlock(c);
    WriteShellsBlock(c);
    WriteMaterialsBlock(c);
    WriteSupportsBlock(c);
    WritePropertiesBlock(c);
    WriteReleasesBlock(c);
    WriteLoadingBlock(c);
    WriteCombinationsBlock(c);
    c.out.Line("PERFORM ANALYSIS");
    c.out.Line("FINISH");
}

}  // namespace corvane
