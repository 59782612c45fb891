// The commands that read a whole model: the STAAD.Pro conversion, the
// Abaqus deck, and reading the tables alone.
#include "abaqus/AbaqusDeck.h"
#include "driver/AnalysisModel.h"
#include "driver/FileSink.h"
#include "driver/Files.h"
#include "driver/Lookups.h"
#include "driver/Session.h"
#include "link/Link.h"
#include "staad/Blocks.h"
#include "staad/FullStaad.h"
#include "structure/Build.h"
#include "text/NumberText.h"

#include <cmath>
#include <new>

namespace corvane {

namespace {

bool Fail(Session& s, MessageSink& messages, int error, FileRole role, const std::string& path) {
    s.failure = DescribeFileError(path, error);
    ShowConversionFileError(messages, error, role, s.outputPath);
    return false;
}

// A failure that is told in a message of its own.
bool FailWith(Session& s, MessageSink& messages, std::string message) {
    s.failure = std::move(message);
    messages.Show(s.failure);
    return false;
}

// Memory ran out: the command ends, and its outputs, abandoned on the way
// out, leave every earlier file as it was.
bool OutOfMemory(Session& s, MessageSink& messages) {
    return FailWith(s, messages, OutOfMemoryMessage(s.inputPath));
}

ReadOptions ReadOptionsOf(const ConvertOptions& options) {
    const ConvertOptions o = Resolved(options);
    ReadOptions r;
    r.allSections = o.allSections;
    r.full = o.full;
    r.threads = o.threads;
    return r;
}

// The pipeline a command runs, picked here once: the classic tables
// straight to the classic writers, or the full conversion's tables through
// the structural model to the full writers.
enum class Pipeline { Classic, Full };
Pipeline PipelineOf(const ConvertOptions& o) { return o.full ? Pipeline::Full : Pipeline::Classic; }

// Counts a command's steps (readers, then blocks) for its progress.
class Steps {
public:
    Steps(Progress* progress, std::size_t total) : progress_(progress), total_(total) {}
    std::function<void()> Callback() {
        if (!progress_) return {};
        return [this] { progress_->Step(++done_, total_); };
    }

private:
    Progress* progress_;
    std::size_t total_;
    std::size_t done_ = 0;
};

// Reads the model for a command, notes an input that is no table export,
// and links the model.
Links ReadAndLink(const InputText& input, Model& model, const ConvertOptions& options, ModelCommand command,
                  HistoryLog& history, MessageSink& messages, Report& report, const std::function<void()>& stepDone,
                  const std::string& numberMap = {}) {
    ReadContext rc{input, model, history, &report, ReadOptionsOf(options), stepDone};
    ReadModel(rc, command);
    if (!input.HasTableItem()) report.Add(ReportKind::NotTabular, "");
    if (input.doubledLineEnds()) report.Add(ReportKind::LineEndsDoubled, "");
    if ((command == ModelCommand::Convert || options.full) && input.HasTableItem()) ReportUnread(input, command, options.full, report);
    const ConvertOptions o = Resolved(options);
    LinkOptions lo;
    // The full pipeline checks and numbers the whole model for either file.
    lo.staad = command == ModelCommand::Convert || PipelineOf(o) == Pipeline::Full;
    lo.renumber = lo.staad && o.renumber;
    lo.numberMap = numberMap;
    Links links = Link(model, &report, lo);
    // Each area section looks for its elements twice (materials and
    // properties, or the two element sets of the deck); without any area
    // section assignments, each look tells the user so.
    if (!links.areaAssignmentsFound)
        for (std::size_t i = 0; i < 2 * model[TableId::AreaSections].rows(); ++i) messages.Show(kNoAreaInformation);
    return links;
}

// The STAAD.Pro file, and the number map when one is asked for, by the
// options' pipeline.
void WriteStaad(const Model& model, const Links& links, const ConvertOptions& options, LineSink& out, LineSink* map, HistoryLog& history,
                Report& report, const std::function<void()>& stepDone) {
    if (PipelineOf(options) == Pipeline::Full) {
        const Structure structure = BuildStructure(model, links, &report);
        WriteFullStaadFile(structure, out, history, &report, stepDone);
        if (map) WriteFullNumberMap(structure, *map);
        return;
    }
    StaadContext c{model, links, out, history, &report, stepDone};
    WriteStaadFile(c);
    if (map) WriteNumberMap(model, links, *map);
}

void WriteAbaqus(const Model& model, const Links& links, const ConvertOptions& options, LineSink& out, Report& report) {
    if (PipelineOf(options) == Pipeline::Full) WriteFullAbaqusDeck(BuildStructure(model, links, &report), out, &report);
    else WriteAbaqusDeck(model, links, out);
}

const char* const kNotTabular = "Not a SAP2000 table export (no TABLE: line): ";

}  // namespace

bool HasDeckElements(const Model& model, const ConvertOptions& options) {
    return !model[TableId::Areas].empty() ||
           (PipelineOf(options) == Pipeline::Full && (!model[TableId::Solids].empty() || !model[TableId::Frames].empty()));
}

std::string NumberMapPath(const std::string& staadPath) { return ReplaceExtension(staadPath, ".numbers.csv"); }

void ConvertInput(const InputText& input, Model& model, const ConvertOptions& options, LineSink& out, HistoryLog& history,
                  MessageSink& messages, Report& report) {
    const Links links = ReadAndLink(input, model, options, ModelCommand::Convert, history, messages, report, {});
    WriteStaad(model, links, options, out, nullptr, history, report, {});
}

void AbaqusForInput(const InputText& input, Model& model, const ConvertOptions& options, LineSink& out, HistoryLog& history,
                    MessageSink& messages, Report& report) {
    const Links links = ReadAndLink(input, model, options, ModelCommand::Abaqus, history, messages, report, {});
    WriteAbaqus(model, links, options, out, report);
}

Structure StructureOf(const InputText& input, Report& report) {
    ConvertOptions options;
    options.full = true;
    Model model;
    MemoryHistory history;
    MemoryMessages messages;
    const Links links = ReadAndLink(input, model, options, ModelCommand::Convert, history, messages, report, {});
    return BuildStructure(model, links, &report);
}

void ReadTablesOf(const InputText& input, Model& model, const ConvertOptions& options, HistoryLog& history, Report& report) {
    ReadContext rc{input, model, history, &report, ReadOptionsOf(options)};
    ReadModel(rc, ModelCommand::Tables);
}

bool MakeStaad(Session& s, HistoryLog& history, MessageSink& messages, Progress* progress) {
    const std::string input = s.inputPath;
    const bool stream = static_cast<bool>(s.toStream);
    const std::string output = stream ? std::string() : s.outputPath;
    // Renumbering asked for: the map is checked and made with the output.
    // Otherwise the conversion may renumber by itself, and the map is
    // checked and made once the links say so. A stream has no place beside
    // it for a map.
    const bool renumber = Resolved(s.options).renumber;
    const std::string map = stream ? std::string() : NumberMapPath(output);
    s.numberMap.clear();
    std::vector<std::string> outputs;
    if (!stream) outputs.push_back(output);
    if (renumber && !stream) outputs.push_back(map);
    outputs.insert(outputs.end(), s.otherOutputs.begin(), s.otherOutputs.end());
    if (!BeginCommand(s, outputs, history, messages)) return false;
    std::size_t written = 0;
    try {
        // The new files are made first, so that an output that cannot be
        // written stops the command before the input is read; the earlier
        // files stay as they are until the new ones are complete.
        FileSink file, mapOut;
        StringSink memory;
        LineSink& out = stream ? static_cast<LineSink&>(memory) : file;
        if (!stream && !file.Open(output)) return Fail(s, messages, file.Error(), FileRole::Output, output);
        if (renumber && !stream && !mapOut.Open(map)) return Fail(s, messages, mapOut.Error(), FileRole::Output, map);
        int error = 0;
        auto text = InputText::Load(input, &error);
        if (!text) return Fail(s, messages, error, FileRole::Input, input);

        Steps steps(progress, ReaderCount(ModelCommand::Convert, s.options.full) + kStaadBlockCount);
        static_assert(kStaadBlockCount == kFullStaadBlockCount, "both files are written in as many steps");
        const auto stepDone = steps.Callback();
        const Links links = ReadAndLink(*text, s.model, s.options, ModelCommand::Convert, history, messages, s.report, stepDone, map);
        if (!text->HasTableItem()) return FailWith(s, messages, kNotTabular + input);
        if (links.renumbered && stream)
            return FailWith(s, messages, input + ": its labels need new numbers, and -o - writes no number map; give an output file");
        if (links.renumbered && !renumber) {
            outputs.insert(outputs.begin() + 1, map);
            if (!CheckOutputPaths(s, outputs, messages)) return false;
            if (!mapOut.Open(map)) return Fail(s, messages, mapOut.Error(), FileRole::Output, map);
        }
        WriteStaad(s.model, links, s.options, out, links.renumbered ? &mapOut : nullptr, history, s.report, stepDone);
        if (text->Changed()) return FailWith(s, messages, InputChangedMessage(input));
        if (stream) {
            if (!s.toStream(memory.text)) return false;
            written = memory.text.size();
        } else {
            if (!file.Finish()) return Fail(s, messages, file.Error(), FileRole::Output, output);
            if (links.renumbered && !mapOut.Finish()) return Fail(s, messages, mapOut.Error(), FileRole::Output, map);
            if (!file.Publish()) return Fail(s, messages, file.Error(), FileRole::Output, output);
            if (links.renumbered && !mapOut.Publish()) return Fail(s, messages, mapOut.Error(), FileRole::Output, map);
            if (links.renumbered) s.numberMap = map;
            written = FileSize(output);
        }
    } catch (const std::bad_alloc&) {
        return OutOfMemory(s, messages);
    }

    history.Append(" ** SAP2000 to STAAD Export Completed Successfully **");
    history.Append(" ** SAP2000 File Size : " + FormatKilobytes(FileSize(input)) + " KB");
    history.Append(" ** StaadPro File Size : " + FormatKilobytes(written) + " KB");
    return true;
}

bool MakeAbaqus(Session& s, const std::string& deckPath, HistoryLog& history, MessageSink& messages, Progress* progress) {
    const bool stream = static_cast<bool>(s.toStream);
    std::vector<std::string> outputs;
    if (!stream) outputs.push_back(deckPath);
    outputs.insert(outputs.end(), s.otherOutputs.begin(), s.otherOutputs.end());
    if (!BeginCommand(s, outputs, history, messages)) return false;
    const std::string input = s.inputPath;
    try {
        FileSink file;
        StringSink memory;
        LineSink& out = stream ? static_cast<LineSink&>(memory) : file;
        if (!stream && !file.Open(deckPath)) return FailWith(s, messages, "Cannot write " + DescribeFileError(deckPath, file.Error()));
        int error = 0;
        auto text = InputText::Load(input, &error);
        if (!text) return FailWith(s, messages, "Cannot read " + DescribeFileError(input, error));
        Steps steps(progress, ReaderCount(ModelCommand::Abaqus, s.options.full) + 1);
        const auto stepDone = steps.Callback();
        const Links links = ReadAndLink(*text, s.model, s.options, ModelCommand::Abaqus, history, messages, s.report, stepDone);
        if (!text->HasTableItem()) return FailWith(s, messages, kNotTabular + input);
        if (!HasDeckElements(s.model, s.options)) {
            s.report.Add(ReportKind::NoShells, "CONNECTIVITY - AREA");
            return FailWith(s, messages, "No shell elements, no Abaqus deck written: " + (stream ? input : deckPath));
        }
        WriteAbaqus(s.model, links, s.options, out, s.report);
        if (stepDone) stepDone();
        if (text->Changed()) return FailWith(s, messages, InputChangedMessage(input));
        if (stream) return s.toStream(memory.text);
        if (!file.Commit()) return FailWith(s, messages, "Cannot write " + DescribeFileError(deckPath, file.Error()));
    } catch (const std::bad_alloc&) {
        return OutOfMemory(s, messages);
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
