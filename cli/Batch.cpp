// convert, abaqus and preprocess: any number of inputs, each converted in
// turn or several at once, each output at its default name, in an output
// folder, at -o, or on standard output.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "driver/Files.h"
#include "driver/OutputFile.h"
#include "driver/Preprocessor.h"
#include "driver/ReportOutput.h"
#include "text/NumberText.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace corvane {

namespace {

namespace fs = std::filesystem;

struct Job {
    std::string input;
    std::string output;  // "-": standard output
    bool named = false;  // one of several inputs: its history starts with its name
};

bool ToStdout(const Job& job) { return job.output == "-"; }

std::string FileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The output of an input by default: beside it, or in the output folder,
// with its extension replaced (the preprocessed copy keeps it and adds .tmp).
std::string DefaultOutput(BatchCommand command, const std::string& input, const std::string& outputDir) {
    std::string base = input;
    if (!outputDir.empty()) base = outputDir + (outputDir.back() == '/' ? "" : "/") + FileName(input);
    switch (command) {
        case BatchCommand::Convert: return ReplaceExtension(base, ".std");
        case BatchCommand::Abaqus: return ReplaceExtension(base, ".inp");
        case BatchCommand::Preprocess: return base + ".tmp";
    }
    return base;
}

// Every key under which a path's file is known: the resolved spelling (the
// existing part of the path resolved, the rest as written), and the device
// and inode when the file exists. Two paths with a key in common are one
// file.
std::vector<std::string> IdentityKeys(const std::string& path) {
    std::vector<std::string> keys{"s:" + ResolvedSpelling(path)};
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        keys.push_back("i:" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino));
    return keys;
}

// Two inputs whose outputs are one file, or an output that is another
// input: the message naming both, or "". Each input's own outputs are
// checked by the driver when it comes to that input. Linear in the number
// of inputs: every path's keys go into one table.
std::string FindClash(BatchCommand command, const std::vector<Job>& jobs, bool numberMaps) {
    struct Seen {
        std::size_t job;
        bool input;
        std::string path;
    };
    std::unordered_map<std::string, Seen> seen;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (IsExistingFile(jobs[i].input))
            for (const std::string& key : IdentityKeys(jobs[i].input)) seen.try_emplace(key, Seen{i, true, jobs[i].input});
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        // An input that is no file fails on its own without writing.
        if (!IsExistingFile(jobs[i].input)) continue;
        std::vector<std::string> outputs{jobs[i].output};
        if (command == BatchCommand::Convert && numberMaps) outputs.push_back(NumberMapPath(jobs[i].output));
        for (const std::string& output : outputs)
            for (const std::string& key : IdentityKeys(output)) {
                const auto [at, added] = seen.try_emplace(key, Seen{i, false, output});
                const Seen& other = at->second;
                if (added || other.job == i) continue;
                if (other.input)
                    return "Output file is an input file: " + output + " (from " + jobs[i].input + ") is the input " + other.path;
                return "Two outputs are one file: " + other.path + " (from " + jobs[other.job].input + ") and " + output +
                       " (from " + jobs[i].input + ")";
            }
    }
    return {};
}

// The report file, opened before the conversion so that a report that
// cannot be written stops the command before anything is written.
class ReportFile {
public:
    bool Open(const std::string& path, JobConsole& console) {
        path_ = path;
        if (path_.empty() || file_.Open(path_)) return true;
        console.Message(path_ + ": cannot write: " + std::strerror(file_.Error()));
        return false;
    }
    // The summary on the console, every entry in the file (a header row
    // and tab-separated rows, or JSON); the status of a command that
    // succeeded.
    int Finish(const Report& report, bool strict, JobConsole& console) {
        console.Summary(ReportSummary(report));
        if (!path_.empty()) {
            const bool json = path_.size() >= 5 && path_.compare(path_.size() - 5, 5, ".json") == 0;
            file_.Write(json ? ReportJson(report) : ReportTsv(report));
            if (!file_.Commit()) {
                console.Message(path_ + ": cannot write: " + std::strerror(file_.Error()));
                return kFailed;
            }
        }
        return strict && !report.Empty() ? kReportNotEmpty : kDone;
    }

private:
    std::string path_;
    OutputFile file_;
};

// Says why a command of the driver failed when it has not said so with the
// path: an input that is no file, or the failure it recorded.
void ExplainFailure(const Session& s, const ConsoleMessages& messages, JobConsole& console) {
    if (const std::string problem = InputProblem(s.inputPath); !problem.empty()) console.Message(problem);
    else if (!s.failure.empty() && !messages.WasShown(s.failure)) console.Message(s.failure);
}

int ConvertToFile(const Job& job, const CliSettings& o, const ConvertOptions& options, JobConsole& console) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console);
    Session s;
    s.inputPath = job.input;
    s.outputPath = job.output;
    s.options = options;
    if (!o.reportFile.empty()) s.otherOutputs.push_back(o.reportFile);
    ReportFile report;
    if (!report.Open(o.reportFile, console)) return kFailed;
    if (!MakeStaad(s, history, messages)) {
        ExplainFailure(s, messages, console);
        return kFailed;
    }
    console.Note("Output: " + s.outputPath);
    if (!s.numberMap.empty()) console.Note("Number map: " + s.numberMap);
    return report.Finish(s.report, o.strict, console);
}

int AbaqusToFile(const Job& job, const CliSettings& o, const ConvertOptions& options, JobConsole& console) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console);
    Session s;
    s.inputPath = job.input;
    s.options = options;
    if (!o.reportFile.empty()) s.otherOutputs.push_back(o.reportFile);
    ReportFile report;
    if (!report.Open(o.reportFile, console)) return kFailed;
    if (!MakeAbaqus(s, job.output, history, messages)) {
        ExplainFailure(s, messages, console);
        return kFailed;
    }
    console.Note("Output: " + job.output);
    return report.Finish(s.report, o.strict, console);
}

int PreprocessToFile(const Job& job, JobConsole& console) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console);
    if (!Preprocess(job.input, job.output, history, messages)) {
        if (const std::string problem = InputProblem(job.input); !problem.empty()) console.Message(problem);
        return kFailed;
    }
    console.Note("Output: " + job.output);
    return kDone;
}

// -o -: the whole output is made in memory and written to standard output
// only when complete, so that a failure leaves nothing half written there.
// The history goes to standard error; the steps and checks are those of
// the driver's commands that write files.
int ToStandardOutput(BatchCommand command, const Job& job, const CliSettings& o, const ConvertOptions& options,
                     JobConsole& console) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console);
    if (const std::string problem = InputProblem(job.input); !problem.empty()) {
        history.Append(kInputNotFound);
        console.Message(problem);
        return kFailed;
    }
    if (!o.reportFile.empty() && PathsClash(job.input, o.reportFile)) {
        console.Message("Output file is the input file: " + o.reportFile);
        return kFailed;
    }
    ReportFile reportFile;
    if (!reportFile.Open(o.reportFile, console)) return kFailed;
    int error = 0;
    const auto text = InputText::Load(job.input, &error);
    if (!text) {
        console.Message("Cannot read " + DescribeFileError(job.input, error));
        return kFailed;
    }
    Model model;
    Report report;
    StringSink out;
    const std::string notTabular = "Not a SAP2000 table export (no TABLE: line): " + job.input;
    switch (command) {
        case BatchCommand::Convert:
            ConvertInput(*text, model, options, out, history, messages, report);
            if (!text->HasTableItem()) return console.Message(notTabular), kFailed;
            break;
        case BatchCommand::Abaqus:
            AbaqusForInput(*text, model, options, out, history, messages, report);
            if (!text->HasTableItem()) return console.Message(notTabular), kFailed;
            if (!HasDeckElements(model, options)) {
                report.Add(ReportKind::NoShells, "CONNECTIVITY - AREA");
                console.Message("No shell elements in " + job.input + ", no Abaqus deck written");
                return kFailed;
            }
            break;
        case BatchCommand::Preprocess:
            history.Append("Preprocessing ....");
            PreprocessInput(*text, out);
            break;
    }
    // Standard output's failure is told once, by main, for every command.
    if (!ConsoleWrite(Stream::Out, out.text)) return kFailed;
    switch (command) {
        case BatchCommand::Convert:
            history.Append(" ** SAP2000 to STAAD Export Completed Successfully **");
            history.Append(" ** SAP2000 File Size : " + FormatKilobytes(FileSize(job.input)) + " KB");
            history.Append(" ** StaadPro File Size : " + FormatKilobytes(out.text.size()) + " KB");
            break;
        case BatchCommand::Abaqus: break;
        case BatchCommand::Preprocess: history.Append(".... Done"); return kDone;
    }
    return reportFile.Finish(report, o.strict, console);
}

// One input from start to end; never throws.
int RunJob(BatchCommand command, const Job& job, const CliSettings& o, const ConvertOptions& options, JobConsole& console) {
    return RunGuarded(job.input, console, [&]() -> int {
        if (job.named) console.Header("Input: " + job.input);
        if (ToStdout(job)) return ToStandardOutput(command, job, o, options, console);
        switch (command) {
            case BatchCommand::Convert: return ConvertToFile(job, o, options, console);
            case BatchCommand::Abaqus: return AbaqusToFile(job, o, options, console);
            case BatchCommand::Preprocess: return PreprocessToFile(job, console);
        }
        return kFailed;
    });
}

bool MakeOutputFolder(const std::string& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!ec && fs::is_directory(dir, ec)) return true;
    ConsoleWrite(Stream::Err, dir + ": cannot make the output folder: " + (ec ? ec.message() : std::strerror(ENOTDIR)) + "\n");
    return false;
}

}  // namespace

void CheckBatchUsage(BatchCommand command, const CliSettings& o) {
    if (o.inputs.size() > 1 && !o.output.empty())
        throw UsageError("-o names the output of one INPUT; give --output-dir DIR for several");
    if (o.inputs.size() > 1 && !o.reportFile.empty())
        throw UsageError("--report names the report of one INPUT; convert the inputs one by one for their reports");
    if (o.reportFile == "-") throw UsageError("--report needs a file name; the report cannot go to standard output");
    if (command == BatchCommand::Convert && o.output == "-" && (o.convert.renumber || o.convert.full))
        throw UsageError("-o - writes no number map: --renumber and --full need an output file");
}

int RunBatch(BatchCommand command, const CliSettings& o) {
    std::vector<Job> jobs;
    jobs.reserve(o.inputs.size());
    for (const std::string& input : o.inputs)
        jobs.push_back({input, o.output.empty() ? DefaultOutput(command, input, o.outputDir) : o.output, o.inputs.size() > 1});
    const bool numberMaps = o.convert.renumber || o.convert.full;
    if (jobs.size() > 1)
        if (const std::string clash = FindClash(command, jobs, numberMaps); !clash.empty()) {
            ConsoleWrite(Stream::Err, clash + "\n");
            return kFailed;
        }
    if (!o.outputDir.empty() && !MakeOutputFolder(o.outputDir)) return kFailed;

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers = static_cast<unsigned>(std::min<std::size_t>(jobs.size(), o.jobs ? o.jobs : cores));
    ConvertOptions options = o.convert;
    // Inputs converted at once each read with one thread.
    if (workers > 1) options.threads = 1;
    ConsoleStyle style;
    style.quiet = o.quiet;
    style.history = o.output == "-" ? Stream::Err : Stream::Out;

    std::vector<int> status(jobs.size(), kFailed);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < jobs.size();) {
            try {
                JobConsole console(style, workers > 1);
                status[i] = RunJob(command, jobs[i], o, options, console);
            } catch (...) {
                status[i] = kFailed;
            }
        }
    };
    std::vector<std::thread> threads;
    try {
        for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked for: those that started share the work.
    }
    work();
    for (std::thread& t : threads) t.join();
    int worst = kDone;
    for (int s : status) worst = WorseStatus(worst, s);
    return worst;
}

}  // namespace corvane
