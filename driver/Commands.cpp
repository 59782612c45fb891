// The commands that read a whole model: the STAAD.Pro conversion, the
// Abaqus deck, and reading the tables alone.
#include "abaqus/AbaqusDeck.h"
#include "driver/FileSink.h"
#include "driver/Files.h"
#include "driver/Lookups.h"
#include "driver/Session.h"
#include "link/Link.h"
#include "staad/Blocks.h"
#include "text/NumberText.h"

namespace corvane {

namespace {

bool Fail(Session& s, MessageSink& messages, int error, FileRole role, const std::string& path) {
    s.failure = DescribeFileError(path, error);
    ShowConversionFileError(messages, error, role, s.outputPath);
    return false;
}

ReadOptions ReadOptionsOf(const ConvertOptions& o) {
    ReadOptions r;
    r.allSections = o.allSections;
    return r;
}

// Reads the model for a command, notes an input that is no table export,
// and links the model.
Links ReadAndLink(const InputText& input, Model& model, const ConvertOptions& options, ModelCommand command,
                  HistoryLog& history, MessageSink& messages, Report& report) {
    ReadContext rc{input, model, history, &report, ReadOptionsOf(options)};
    ReadModel(rc, command);
    if (!input.HasAnyTable()) report.Add(ReportKind::NotTabular, "");
    Links links = Link(model, &report, command == ModelCommand::Convert);
    // Each area section looks for its elements twice (materials and
    // properties, or the two element sets of the deck); without any area
    // section assignments, each look tells the user so.
    if (!links.areaAssignmentsFound)
        for (std::size_t i = 0; i < 2 * model[TableId::AreaSections].rows(); ++i) messages.Show(kNoAreaInformation);
    return links;
}

}  // namespace

void ConvertInput(const InputText& input, Model& model, const ConvertOptions& options, LineSink& out, HistoryLog& history,
                  MessageSink& messages, Report& report) {
    const Links links = ReadAndLink(input, model, options, ModelCommand::Convert, history, messages, report);
    StaadContext c{model, links, out, history, &report};
    WriteStaadFile(c);
}

void AbaqusForInput(const InputText& input, Model& model, const ConvertOptions& options, LineSink& out, HistoryLog& history,
                    MessageSink& messages, Report& report) {
    const Links links = ReadAndLink(input, model, options, ModelCommand::Abaqus, history, messages, report);
    WriteAbaqusDeck(model, links, out);
}

void ReadTablesOf(const InputText& input, Model& model, const ConvertOptions& options, HistoryLog& history, Report& report) {
    ReadContext rc{input, model, history, &report, ReadOptionsOf(options)};
    ReadModel(rc, ModelCommand::Tables);
}

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

    const Links links = ReadAndLink(*text, s.model, s.options, ModelCommand::Convert, history, messages, s.report);
    FileSink out;
    if (!out.Open(output)) return Fail(s, messages, out.Error(), FileRole::Output, output);
    StaadContext c{s.model, links, out, history, &s.report};
    WriteStaadFile(c);
    if (!out.Close()) return Fail(s, messages, out.Error(), FileRole::Output, output);

    history.Append(" ** SAP2000 to STAAD Export Completed Successfully **");
    history.Append(" ** SAP2000 File Size : " + FormatKilobytes(FileSize(input)) + " KB");
    history.Append(" ** StaadPro File Size : " + FormatKilobytes(FileSize(output)) + " KB");
    return true;
}

bool MakeAbaqus(Session& s, const std::string& deckPath, HistoryLog& history, MessageSink& messages) {
    if (!BeginCommand(s, deckPath, history, messages)) return false;
    const std::string input = s.inputPath;
    int error = 0;
    auto text = InputText::Load(input, &error);
    if (!text) {
        s.failure = DescribeFileError(input, error);
        messages.Show("Cannot read " + s.failure);
        return false;
    }
    FileSink out;
    if (out.Open(deckPath)) AbaqusForInput(*text, s.model, s.options, out, history, messages, s.report);
    if (!out.Close()) {
        s.failure = DescribeFileError(deckPath, out.Error());
        messages.Show("Cannot write " + s.failure);
        return false;
    }
    return true;
}

bool ReadAllTables(Session& s, HistoryLog& history) {
    s.report.Clear();
    int error = 0;
    auto text = IsExistingFile(s.inputPath) ? InputText::Load(s.inputPath, &error) : std::nullopt;
    if (!text) {
        history.Append(kInputNotFound);
        return false;
    }
    ReadTablesOf(*text, s.model, s.options, history, s.report);
    return true;
}

bool ReadOneTable(Session& s, void (*reader)(ReadContext&), HistoryLog& history) {
    int error = 0;
    auto text = IsExistingFile(s.inputPath) ? InputText::Load(s.inputPath, &error) : std::nullopt;
    if (!text) {
        history.Append(kInputNotFound);
        return false;
    }
    ReadContext rc{*text, s.model, history, nullptr, ReadOptionsOf(s.options)};
    reader(rc);
    return true;
}

}  // namespace corvane
