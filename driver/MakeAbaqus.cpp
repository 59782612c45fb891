#include "abaqus/AbaqusDeck.h"
#include "driver/Files.h"
#include "driver/ModelChecks.h"
#include "driver/Session.h"
#include "reader/Readers.h"

namespace corvane {

bool MakeAbaqus(Session& s, const std::string& deckPath, HistoryLog& history, MessageSink& messages,
                const std::function<void()>& pause) {
    if (!BeginCommand(s, deckPath, history, messages)) return false;
    const std::string input = s.inputPath;
    int error = 0;
    auto text = InputText::Load(input, &error);
    if (!text) {
        s.failure = DescribeFileError(input, error);
        messages.show("Cannot read " + s.failure);
        return false;
    }
    ReadContext rc{*text, s.tables, s.units, history, &s.report, s.allSections};
    void (*const readers[])(ReadContext&) = {
        ReadUnits, ReadJoints, ReadFrames, ReadRestraints, ReadLoadPatterns, ReadFrameDistLoads, ReadJointLoads,
        ReadAreas, ReadFramePointLoads, ReadMaterials, ReadFrameSections, ReadAreaSections, ReadCombinations, ReadAreaLoads,
    };
    for (auto reader : readers) {
        reader(rc);
        if (pause) pause();
    }
    CheckModel(*text, s.tables, s.report, false);

    FileSink out;
    SectionAreaLookup areas(*text, messages);
    if (out.Open(deckPath)) WriteAbaqusDeck(s.tables, areas, out);
    if (!out.Close()) {
        s.failure = DescribeFileError(deckPath, out.Error());
        messages.show("Cannot write " + s.failure);
        return false;
    }
    return true;
}

}  // namespace corvane
