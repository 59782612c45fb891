#include "driver/Files.h"
#include "driver/ModelChecks.h"
#include "driver/Session.h"
#include "reader/Readers.h"
#include "staad/Blocks.h"
#include "staad/NumberText.h"

#include <cerrno>

namespace corvane {

namespace {

bool Fail(Session& s, MessageSink& messages, int error, FileRole role, const std::string& path) {
    s.failure = DescribeFileError(path, error);
    ShowConversionFileError(messages, error, role, s.outputPath);
    return false;
}

}  // namespace

bool MakeStaad(Session& s, HistoryLog& history, MessageSink& messages) {
    const std::string input = s.inputPath;
    const std::string output = s.outputPath;
    if (!BeginCommand(s, output, history, messages)) return false;
    {
        // The output is created empty before anything is read.
        FileSink create;
        if (!create.Open(output) || !create.Close()) return Fail(s, messages, create.Error(), FileRole::Output, output);
    }
    int error = 0;
    auto text = InputText::Load(input, &error);
    if (!text) return Fail(s, messages, error, FileRole::Input, input);

    ReadContext rc{*text, s.tables, s.units, history, &s.report, s.allSections};
    ReadModelForStaad(rc);
    CheckModel(*text, s.tables, s.report, true);

    FileSink out;
    if (!out.Open(output)) return Fail(s, messages, out.Error(), FileRole::Output, output);
    history.append("Start Writing Staad File .......");
    out.Line("STAAD SPACE");
    out.Line("START JOB INFORMATION");
    out.Line("END JOB INFORMATION");
    out.Line(UnitsLine(s.units));

    SectionAreaLookup areas(*text, messages);
    WriteContext wc{s.tables, out, history, s.runList, areas, &s.report};
    WriteJointsBlock(wc);
    WriteMembersBlock(wc);
    WriteShellsBlock(wc);
    WriteMaterialsBlock(wc);
    WriteSupportsBlock(wc);
    WritePropertiesBlock(wc);
    WriteReleasesBlock(wc);
    WriteLoadingBlock(wc);
    WriteCombinationsBlock(wc);
    out.Line("PERFORM ANALYSIS");
    out.Line("FINISH");
    if (!out.Close()) return Fail(s, messages, out.Error(), FileRole::Output, output);

    history.append(" ** SAP2000 to STAAD Export Completed Successfully **");
    history.append(" ** SAP2000 File Size : " + FormatKilobytes(FileSize(input)) + " KB");
    history.append(" ** StaadPro File Size : " + FormatKilobytes(FileSize(output)) + " KB");
    return true;
}

bool ReadAllTables(Session& s, HistoryLog& history) {
    s.report.Clear();
    int error = 0;
    auto text = IsExistingFile(s.inputPath) ? InputText::Load(s.inputPath, &error) : std::nullopt;
    if (!text) {
        history.append(kInputNotFound);
        return false;
    }
    ReadContext rc{*text, s.tables, s.units, history, &s.report, s.allSections};
    ReadModelForStaad(rc);
    ReadAreaSectionAssigns(rc);
    return true;
}

}  // namespace corvane
