// The commands: each runs on the worker with a session of its own, and the
// window shows what it produced once it has ended.
#include "app/PathText.h"
#include "app/CommandRunner.h"
#include "app/ModelView.h"
#include "app/ReportTree.h"
#include "app/ResultPanel.h"
#include "app/TableModel.h"
#include "app/TablePages.h"
#include "app/frmCorvaneMain.h"
#include "driver/Files.h"
#include "driver/Lookups.h"
#include "driver/OutputFile.h"
#include "driver/Preprocessor.h"
#include "driver/ReportOutput.h"
#include "driver/Summary.h"
#include "picture/BuildPicture.h"
#include "text/NumberList.h"
#include "text/NumberText.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

// Why an input cannot be read, naming it; "" when it can.
std::string UnreadableReason(const std::string& path) {
    if (path.empty()) return "No SAP2000 file chosen: pick one with File > Open SAP2000 file (Ctrl+O).";
    struct stat st {};
    int error = 0;
    if (::stat(path.c_str(), &st) != 0) error = errno;
    else if (S_ISDIR(st.st_mode)) error = EISDIR;
    else if (const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC); fd < 0) error = errno;
    else ::close(fd);
    return error ? "Cannot read " + DescribeFileError(path, error) : std::string();
}

const char* const kOpenFilter = "SAP2000 text export (*.s2k *.S2K *.$2k *.$2K);;All files (*)";

}  // namespace

bool frmCorvaneMain::busy() const { return runner_ && runner_->busy(); }

ConvertOptions frmCorvaneMain::Options() const {
    ConvertOptions o;
    o.allSections = chkAllSections_->isChecked();
    o.renumber = chkRenumber_->isChecked();
    o.full = chkFull_->isChecked();
    return o;
}

std::shared_ptr<Session> frmCorvaneMain::NewSession() const {
    auto s = std::make_shared<Session>();
    // An input without units keeps those of the model before.
    s->model.units = session_.model.units;
    s->inputPath = inputPath();
    s->outputPath = outputPath();
    s->options = Options();
    return s;
}

bool frmCorvaneMain::RunOnSession(const QString& name, std::shared_ptr<Session> s, SessionCommand command, bool takeModel,
                                  std::function<void(bool ok)> after, std::shared_ptr<const UnitNames> knownUnits) {
    struct Result {
        bool ok = false;
        std::shared_ptr<const PictureModel> picture;
        UnitNames units;
    };
    auto result = std::make_shared<Result>();
    auto job = [s, command = std::move(command), result, takeModel, knownUnits](CommandRunner::Services& services) {
        result->ok = command(*s, services.history, services.messages, services.progress);
        // The picture and the names of the units are made here too, from
        // the finished model and its input.
        if (!takeModel) return;
        result->picture = std::make_shared<const PictureModel>(BuildPicture(s->model));
        result->units = knownUnits ? *knownUnits : ReadUnitNames(s->inputPath);
    };
    auto done = [this, name, s, result, takeModel, after = std::move(after)](const CommandRunner::Outcome& outcome) {
        const bool ok = result->ok && !outcome.failed;
        // A command that stopped before reading anything (and reported
        // nothing) leaves the model on screen as it was.
        bool read = ok || !s->report.Empty();
        for (TableId id : kTableOrder) read = read || s->model[id].found();
        if (takeModel && !outcome.failed && read) TakeModel(std::move(*s), result->picture, result->units);
        if (!ok && !outcome.messageShown && !outcome.failed) {
            // A failure the core told only in the history: say what and why.
            std::string why = s->failure.empty() ? UnreadableReason(s->inputPath) : s->failure;
            if (why.empty()) why = name.toStdString() + " did not complete for " + s->inputPath;
            messages_->Show(why, "", true);
        }
        if (after) after(ok);
        lblStatus_->setText(name + (ok ? " done" : " failed"));
        emit commandFinished(ok);
        if (closeWhenDone_) close();
    };
    if (!runner_->start(name, s->inputPath, std::move(job), std::move(done))) {
        lblStatus_->setText("Wait for " + runner_->current() + " to end");
        return false;
    }
    return true;
}

void frmCorvaneMain::TakeModel(Session&& s, std::shared_ptr<const PictureModel> picture, const UnitNames& names) {
    // A filter belongs to the model it was typed for.
    if (s.inputPath != shownInput_) report_->clearFilter();
    shownInput_ = s.inputPath;
    const bool unitsChanged = s.model.units.force != session_.model.units.force || s.model.units.length != session_.model.units.length;
    tables_->beginChange();
    session_.model = std::move(s.model);
    tables_->endChange();
    report_->setReport(nullptr);
    session_.report = std::move(s.report);
    report_->setReport(&session_.report);
    tabs_->setTabText(tabs_->indexOf(report_), QString("Report (%1)").arg(session_.report.entries.size()));
    // Units the input does not name keep the names of the model before.
    if (!names.force.empty() || !names.length.empty()) unitNames_ = names;
    else if (unitsChanged) unitNames_ = {};
    ShowUnits();
    ++modelTicket_;
    objectsPicture_ = picture && picture->JointCount() > 0 ? std::move(picture) : nullptr;
    meshPicture_.reset();
    ShowPicture(true);
}

void frmCorvaneMain::ShowUnits() {
    const auto shown = [](const std::string& name, const std::string& text) {
        return name.empty() ? ShowText(text).trimmed() : ShowText(name);
    };
    txtForce_->setText(shown(unitNames_.force, session_.model.units.force));
    txtLength_->setText(shown(unitNames_.length, session_.model.units.length));
}

void frmCorvaneMain::ClearModel() {
    Session empty;
    empty.model.units = session_.model.units;
    TakeModel(std::move(empty), nullptr, {});
    tables_->clearLookup();
    result_->clear();
    report_->clearFilter();
    lastSectionFrames_.clear();
    lastSectionAreas_.clear();
}

void frmCorvaneMain::ShowOutcome(const std::vector<std::string>& files, const std::string& staadFile,
                                 std::optional<ModelCounts> sap2000, std::optional<ModelCounts> staad) {
    CommandOutcome outcome;
    outcome.files = files;
    outcome.staadFile = staadFile;
    outcome.severities = CountBySeverity(session_.report);
    outcome.sap2000 = sap2000;
    outcome.staad = staad;
    result_->showOutcome(outcome);
}

void frmCorvaneMain::setInputPath(const std::string& path) {
    input_->set(path);
    output_->set(path.empty() ? std::string() : ReplaceExtension(path, ".std"));
    const QString name = ShowPath(path).section('/', -1);
    setWindowTitle(name.isEmpty() ? QString("Corvane Converter") : name + " \u2014 Corvane Converter");
}

bool frmCorvaneMain::openModel(const std::string& path) {
    if (busy()) {
        lblStatus_->setText("Wait for " + runner_->current() + " to end");
        return false;
    }
    setInputPath(path);
    ClearModel();
    RunReadAll();
    return true;
}

void frmCorvaneMain::RunReadAll() {
    const std::string input = inputPath();
    auto units = std::make_shared<UnitNames>();
    // A file that is no table export says so at once and stays off the
    // recent list.
    RunOnSession(
        "Reading the tables", NewSession(),
        [units](Session& s, HistoryLog& history, MessageSink&, Progress&) {
            history.Clear();
            return OpenModelTables(s, history, units.get());
        },
        true,
        [this, input](bool ok) {
            if (ok) AddRecent(input);
        },
        units);
}

void frmCorvaneMain::AddRecent(const std::string& path) {
    recent_.Add(path);
    ShowRecentFiles();
}

void frmCorvaneMain::ChooseInput() {
    const auto file = dialogs_->Open("Open SAP2000 File", FolderOf(inputPath()), kOpenFilter);
    if (file) openModel(*file);
}

void frmCorvaneMain::ChooseOutput() {
    const std::string current = outputPath().empty() ? inputPath() : outputPath();
    const auto file = dialogs_->Save("Save StaadPro File", FolderOf(current), "STAAD.Pro input file (*.std);;All files (*)");
    if (file) output_->set(*file);
}

void frmCorvaneMain::RunMakeStaad() {
    const std::string input = inputPath();
    result_->clear();
    struct Written {
        std::vector<std::string> files;
        std::string staad;
        ModelCounts sap2000;
        std::optional<ModelCounts> inFile;
    };
    auto written = std::make_shared<Written>();
    RunOnSession(
        "Make Staad", NewSession(),
        [written](Session& s, HistoryLog& history, MessageSink& messages, Progress& progress) {
            if (!MakeStaad(s, history, messages, &progress)) return false;
            // The counts of the model and of the file it became, read back.
            written->staad = s.outputPath;
            written->files = {s.outputPath};
            if (!s.numberMap.empty()) written->files.push_back(s.numberMap);
            written->sap2000 = CountModel(s.model);
            int error = 0;
            written->inFile = CountStaadFile(s.outputPath, &error);
            return true;
        },
        true, [this, input, written](bool ok) {
            if (!ok) return;
            AddRecent(input);
            ShowOutcome(written->files, written->staad, written->sap2000, written->inFile);
        });
}

void frmCorvaneMain::RunMakeAbaqus() {
    result_->clear();
    const std::string deck = ReplaceExtension(inputPath(), ".inp");
    RunOnSession(
        "Make ABAQUS", NewSession(),
        [](Session& s, HistoryLog& history, MessageSink& messages, Progress& progress) {
            return MakeAbaqus(s, ReplaceExtension(s.inputPath, ".inp"), history, messages, &progress);
        },
        true, [this, deck](bool ok) {
            if (ok) ShowOutcome({deck}, "", std::nullopt, std::nullopt);
        });
}

void frmCorvaneMain::RunPreprocessor() {
    RunOnSession(
        "Preprocessor", NewSession(),
        [](Session& s, HistoryLog& history, MessageSink& messages, Progress&) { return Preprocess(s.inputPath, history, messages); },
        false);
}

void frmCorvaneMain::RunReader(const ReaderStep& step) {
    // The reader replaces its own table in a copy of the model on screen,
    // so readers that look into other tables see what the window shows.
    auto s = NewSession();
    s->model = session_.model;
    s->report = session_.report;
    auto read = step.read;
    RunOnSession(
        QString::fromUtf8(step.name.data(), static_cast<qsizetype>(step.name.size())), s,
        [read](Session& session, HistoryLog& history, MessageSink&, Progress&) { return ReadOneTable(session, read, history); },
        true);
}

void frmCorvaneMain::SaveReport() {
    if (session_.report.Empty()) return;
    const auto chosen = dialogs_->Save("Save report", FolderOf(inputPath()), "Tab-separated text (*.tsv *.txt);;JSON (*.json)");
    if (!chosen) return;
    const std::string& path = *chosen;
    if (PathsClash(path, inputPath())) {
        messages_->Show("Output file is the input file: " + path, "", true);
        return;
    }
    if (PathsClash(path, outputPath())) {
        messages_->Show("Two outputs are one file: " + outputPath() + " and " + path, "", true);
        return;
    }
    int error = 0;
    const std::string text = IsJsonName(path) ? ReportJson(session_.report) : ReportTsv(session_.report);
    if (!WriteFileAtomically(path, text, &error)) {
        messages_->Show("Cannot write the report " + DescribeFileError(path, error), "", true);
        return;
    }
    lblStatus_->setText("Report saved to " + ShowPath(path));
}

bool frmCorvaneMain::saveRecentFiles() {
    std::string reason;
    if (recent_.Save(&reason)) return true;
    messages_->Show("Cannot save the recent files: " + reason);
    return false;
}

void frmCorvaneMain::closeEvent(QCloseEvent* event) {
    if (busy()) {
        // The command cannot be stopped halfway; the window closes after it.
        closeWhenDone_ = true;
        lblStatus_->setText("Closing once " + runner_->current() + " has ended\u2026");
        event->ignore();
        return;
    }
    if (!saved_) saveRecentFiles();
    saved_ = true;
    event->accept();
}

void frmCorvaneMain::LookUpRow(TableId table, std::size_t row) {
    if (table == TableId::Combinations) {
        const std::size_t combination = CombinationOfRow(session_.model, row);
        if (combination < session_.model.combinationStarts.size()) ShowCombination(combination);
        return;
    }
    if (table != TableId::FrameSections && table != TableId::AreaSections) return;
    const Table& sections = session_.model[table];
    if (row >= sections.rows()) return;
    if (!IsExistingFile(inputPath())) {
        history_->Append(kInputNotFound);
        messages_->Show(UnreadableReason(inputPath()), "", true);
        return;
    }
    const bool frames = table == TableId::FrameSections;
    const std::string section = sections.Text(row, frames ? int(FrameSectionCol::SectionName) : int(AreaSectionCol::Section));
    auto found = std::make_shared<std::vector<std::string>>();
    RunOnSession(
        "Lookup", NewSession(),
        [frames, section, found](Session& s, HistoryLog&, MessageSink& messages, Progress&) {
            *found = frames ? SectionFrames(s.inputPath, section, messages) : SectionElements(s.inputPath, section, messages);
            return true;
        },
        false, [this, frames, found, section](bool ok) {
            if (!ok) return;
            (frames ? lastSectionFrames_ : lastSectionAreas_) = *found;
            std::vector<QStringList> rows;
            rows.reserve(found->size());
            for (const auto& item : *found) rows.push_back({ShowText(item)});
            const QString caption = QString("%1 section %2: %3 %4")
                                        .arg(frames ? "Frame" : "Area", ShowText(section))
                                        .arg(found->size())
                                        .arg(frames ? (found->size() == 1 ? "member" : "members")
                                                    : (found->size() == 1 ? "element" : "elements"));
            tables_->showLookup(caption, {frames ? "Member" : "Element"}, rows);
        });
}

void frmCorvaneMain::ShowCombination(std::size_t combination) {
    const auto& starts = session_.model.combinationStarts;
    if (combination >= starts.size()) return;
    runList_ = CombinationCases(session_.model, starts[combination]);
    // The cases by name with their factors, as the combination table has them.
    const Table& k = session_.model[TableId::Combinations];
    const std::string name = k.Text(starts[combination], CombinationCol::ComboName);
    std::vector<QStringList> rows;
    for (std::size_t r = 0; r < k.rows(); ++r)
        if (k.Is(r, CombinationCol::ComboName, name))
            rows.push_back({ShowText(k.Text(r, CombinationCol::CaseName)), ShowText(k.Text(r, CombinationCol::ScaleFactor))});
    const QString caption =
        QString("Combination %1: %2 %3").arg(ShowText(name)).arg(rows.size()).arg(rows.size() == 1 ? "case" : "cases");
    tables_->showLookup(caption, {"Case", "Factor"}, rows);
}

void frmCorvaneMain::MakeStaadToSap2000() { runList_ = FoldRuns(lastSectionFrames_); }

void frmCorvaneMain::Command19() {
    runList_.clear();
    lblPrinted_->setText(QString::number(runList_.size()));
}

void frmCorvaneMain::Command22() {
    RunReader(*ReaderOf(TableId::Restraints));
    auto& runs = runList_;
    runs.clear();
    const auto& list = lastSectionAreas_;
    const std::string first = list.empty() ? std::string() : list.front();
    runs.push_back(first);
    lblPrinted_->setText(ShowText(first));
    std::string kept = first;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (TextToNumber(list[i]) != TextToNumber(kept) + 1) {
            runs.emplace_back("TO");
            runs.push_back(kept);
        } else {
            kept = list[i];
        }
        runs.push_back(list[i]);
    }
}

void frmCorvaneMain::Command26() { messages_->Show("10"); }

}  // namespace corvane
