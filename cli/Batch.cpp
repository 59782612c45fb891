// convert, abaqus and preprocess: any number of inputs, each converted in
// turn or several at once, each output at its default name, in an output
// folder, at -o, or on standard output.
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/ProgressBar.h"
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
#include <memory>
#include <mutex>
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

// Two inputs whose outputs are one file, an output that is another input,
// or a report file that is any of them: the message naming them, or "".
// An input's output that is its own input is refused by the driver when it
// comes to that input. Linear in the number of inputs: every path's keys go into one
// table.
std::string FindClash(BatchCommand command, const std::vector<Job>& jobs, const std::string& reportFile) {
    struct Seen {
        std::size_t job;  // jobs.size(): the report file
        bool input;
        std::string path;
    };
    std::unordered_map<std::string, Seen> seen;
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (IsExistingFile(jobs[i].input))
            for (const std::string& key : IdentityKeys(jobs[i].input)) seen.try_emplace(key, Seen{i, true, jobs[i].input});
    const auto clash = [&](std::size_t i, const std::string& output) -> std::string {
        for (const std::string& key : IdentityKeys(output)) {
            const auto [at, added] = seen.try_emplace(key, Seen{i, false, output});
            const Seen& other = at->second;
            if (added || other.job == i) continue;
            const std::string what = i == jobs.size() ? "the report file" : "the output of " + jobs[i].input;
            if (other.input) return output + ": " + what + " is the input " + other.path + "; nothing was written";
            return output + ": " + what + " is also the output of " + jobs[other.job].input +
                   (other.path == output ? "" : " (" + other.path + ")") + "; nothing was written";
        }
        return {};
    };
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        // An input that is no file fails on its own without writing.
        if (!IsExistingFile(jobs[i].input)) continue;
        std::vector<std::string> outputs{jobs[i].output};
        // Any conversion may write a number map: asked for, or because its
        // labels need one.
        if (command == BatchCommand::Convert) outputs.push_back(NumberMapPath(jobs[i].output));
        for (const std::string& output : outputs)
            if (std::string message = clash(i, output); !message.empty()) return message;
    }
    return reportFile.empty() ? std::string() : clash(jobs.size(), reportFile);
}

// What became of one input: its status, whether its output was written,
// and its report (its part of the report file, and whether it has entries).
struct JobResult {
    int status = kFailed;
    bool written = false;
    bool reported = false;
    std::string reportPart;
};


// The end of an input whose output was written: the line of what was
// written, the warnings, the report summary, the input's part of the
// report file; the status (3 under --strict with a report that is not
// empty).
int Finish(const Job& job, const CliSettings& o, const std::string& counts, const std::string& written, const Report& report,
           ConsoleMessages& messages, JobConsole& console, JobResult& result) {
    result.written = true;
    result.reported = !report.Empty();
    console.Note(job.input + ": " + counts + " -> " + written);
    messages.Warnings();
    console.Summary(ReportSummary(report));
    // One input's report is the window's; several inputs' start with the input.
    if (o.reportFile.empty()) {
    } else if (o.inputs.size() == 1) {
        result.reportPart = IsJsonName(o.reportFile) ? ReportJson(report) : ReportTsv(report);
    } else if (IsJsonName(o.reportFile)) {
        AppendReportJsonObjects(result.reportPart, report, job.input);
    } else {
        AppendReportTsvRows(result.reportPart, report, job.input);
    }
    return o.strict && !report.Empty() ? kReportNotEmpty : kDone;
}

// "1 joint", "2 joints".
std::string Counted(std::size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

// The counts of the model as read, for the line of what was written.
std::string Counts(BatchCommand command, const Model& m, bool full) {
    struct Count {
        TableId table;
        const char* what;
        bool staadOnly;
    };
    static constexpr Count kCounts[] = {{TableId::Joints, "joint", false},      {TableId::Frames, "frame", true},
                                        {TableId::Areas, "area", false},        {TableId::Restraints, "restraint", true},
                                        {TableId::LoadPatterns, "load pattern", true}};
    const bool staad = command == BatchCommand::Convert;
    std::string text;
    for (const Count& c : kCounts)
        if (staad || !c.staadOnly) text += (text.empty() ? "" : ", ") + Counted(m[c.table].rows(), c.what);
    if (staad) text += ", " + Counted(m.combinationStarts.size(), "combination");
    if (full) text += ", " + Counted(m[TableId::Solids].rows(), "solid");
    return text;
}

// Says why a command of the driver failed when it has not said so with the
// path: an input that is no file, or the failure it recorded.
void ExplainFailure(const Session& s, ConsoleMessages& messages, JobConsole& console) {
    if (const std::string problem = InputProblem(s.inputPath); !problem.empty()) console.Message(problem);
    else if (!s.failure.empty() && !messages.WasShown(s.failure)) console.Message(PathFirst(s.failure));
}

// The progress bar of one input, on a terminal and when the console is not
// quiet; nothing otherwise.
std::unique_ptr<ProgressBar> BarFor(const Job& job, const JobConsole& console) {
    if (console.Style().quiet() || !ProgressLineAvailable()) return nullptr;
    const void* owner = &job;
    return std::make_unique<ProgressBar>(job.input, [owner](const std::string& text) { DrawProgressLine(owner, text); });
}

int ConvertToFile(const Job& job, const CliSettings& o, const ConvertOptions& options, JobConsole& console, JobResult& result) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console, job.input);
    Session s;
    s.inputPath = job.input;
    s.outputPath = job.output;
    s.options = options;
    if (!o.reportFile.empty()) s.otherOutputs.push_back(o.reportFile);
    bool made = false;
    {
        const std::unique_ptr<ProgressBar> bar = BarFor(job, console);
        made = MakeStaad(s, history, messages, bar.get());
    }
    if (!made) {
        ExplainFailure(s, messages, console);
        return kFailed;
    }
    const std::string written = s.numberMap.empty() ? s.outputPath : s.outputPath + " (numbers in " + s.numberMap + ")";
    return Finish(job, o, Counts(BatchCommand::Convert, s.model, options.full), written, s.report, messages, console, result);
}

int AbaqusToFile(const Job& job, const CliSettings& o, const ConvertOptions& options, JobConsole& console, JobResult& result) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console, job.input);
    Session s;
    s.inputPath = job.input;
    s.options = options;
    if (!o.reportFile.empty()) s.otherOutputs.push_back(o.reportFile);
    bool made = false;
    {
        const std::unique_ptr<ProgressBar> bar = BarFor(job, console);
        made = MakeAbaqus(s, job.output, history, messages, bar.get());
    }
    if (!made) {
        ExplainFailure(s, messages, console);
        return kFailed;
    }
    return Finish(job, o, Counts(BatchCommand::Abaqus, s.model, options.full), job.output, s.report, messages, console, result);
}

int PreprocessToFile(const Job& job, JobConsole& console, JobResult& result) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console, job.input);
    if (!Preprocess(job.input, job.output, history, messages)) {
        if (const std::string problem = InputProblem(job.input); !problem.empty()) console.Message(problem);
        return kFailed;
    }
    result.written = true;
    console.Note(job.input + ": cleaned copy -> " + job.output);
    return kDone;
}

// -o -: the driver's command makes the whole output in memory and hands it
// over only when complete, so that a failure leaves nothing half written
// on standard output. The history goes to standard error.
int ToStandardOutput(BatchCommand command, const Job& job, const CliSettings& o, const ConvertOptions& options,
                     JobConsole& console, JobResult& result) {
    ConsoleHistory history(console);
    ConsoleMessages messages(console, job.input);
    if (command == BatchCommand::Preprocess) {
        if (const std::string problem = InputProblem(job.input); !problem.empty()) {
            history.Append(kInputNotFound);
            console.Message(problem);
            return kFailed;
        }
        int error = 0;
        const auto text = InputText::Load(job.input, &error);
        if (!text) {
            console.Message(PathFirst("Cannot read " + DescribeFileError(job.input, error)));
            return kFailed;
        }
        StringSink out;
        history.Append("Preprocessing ....");
        PreprocessInput(*text, out);
        if (text->Changed()) return console.Message(InputChangedMessage(job.input)), kFailed;
        // Standard output's failure is told once, by main, for every command.
        if (!ConsoleWrite(Stream::Out, out.text)) return kFailed;
        history.Append(".... Done");
        result.written = true;
        return kDone;
    }
    Session s;
    s.inputPath = job.input;
    s.options = options;
    if (!o.reportFile.empty()) s.otherOutputs.push_back(o.reportFile);
    // Standard output's failure is told once, by main, for every command.
    s.toStream = [](const std::string& text) { return ConsoleWrite(Stream::Out, text); };
    bool made = false;
    {
        const std::unique_ptr<ProgressBar> bar = BarFor(job, console);
        made = command == BatchCommand::Convert ? MakeStaad(s, history, messages, bar.get()) : MakeAbaqus(s, "-", history, messages, bar.get());
    }
    if (!made) {
        ExplainFailure(s, messages, console);
        return kFailed;
    }
    return Finish(job, o, Counts(command, s.model, options.full), "standard output", s.report, messages, console, result);
}

// One input from start to end; never throws. An input that is there but is
// no file (a folder) is told so, and no command runs on it.
JobResult RunJob(BatchCommand command, const Job& job, const CliSettings& o, const ConvertOptions& options, JobConsole& console) {
    JobResult result;
    result.status = RunGuarded(job.input, console, [&]() -> int {
        if (job.named) console.Header("Input: " + job.input);
        struct stat st {};
        if (::stat(job.input.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            console.Message(InputProblem(job.input));
            return kFailed;
        }
        if (ToStdout(job)) return ToStandardOutput(command, job, o, options, console, result);
        switch (command) {
            case BatchCommand::Convert: return ConvertToFile(job, o, options, console, result);
            case BatchCommand::Abaqus: return AbaqusToFile(job, o, options, console, result);
            case BatchCommand::Preprocess: return PreprocessToFile(job, console, result);
        }
        return kFailed;
    });
    if (result.status == kFailed) result.written = false;
    return result;
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
    if (o.reportFile == "-") throw UsageError("--report needs a file name; the report cannot go to standard output");
    if (command == BatchCommand::Convert && o.output == "-" && Resolved(o.convert).renumber)
        throw UsageError("-o - writes no number map: --renumber and --full need an output file");
    if (command == BatchCommand::Convert && !o.output.empty() && Resolved(o.convert).renumber &&
        IsStreamOutput(o.output))
        throw UsageError("-o " + o.output + " is no file, so no number map goes beside it: --renumber and --full need an output file");
}

namespace {

// The report file of the whole batch: made before any input is converted,
// so that one that cannot be written stops the command before anything is
// written; it takes every input's entries in the order of the inputs, each
// row (each JSON object) starting with its input when there are several.
class BatchReport {
public:
    explicit BatchReport(std::string path) : path_(std::move(path)) {}
    bool Open() {
        if (path_.empty() || file_.Open(path_)) return true;
        ConsoleWrite(Stream::Err, path_ + ": cannot write: " + std::strerror(file_.Error()) + "\n");
        return false;
    }
    // Written when some input was converted; otherwise the earlier file
    // stays as it was.
    bool Write(std::vector<JobResult>& results) {
        if (path_.empty() || std::none_of(results.begin(), results.end(), [](const JobResult& r) { return r.written; })) return true;
        std::vector<std::string> parts;
        for (JobResult& r : results) parts.push_back(std::move(r.reportPart));
        if (parts.size() == 1) {
            file_.Write(parts[0]);
        } else if (IsJsonName(path_)) {
            file_.Write(ReportJsonOfInputs(parts));
        } else {
            file_.Write(kReportTsvInputHeader);
            for (const std::string& part : parts) file_.Write(part);
        }
        if (file_.Commit()) return true;
        ConsoleWrite(Stream::Err, path_ + ": cannot write: " + std::strerror(file_.Error()) + "\n");
        return false;
    }

private:
    std::string path_;
    OutputFile file_;
};

// Consoles of inputs converted at once: each holds its lines, written in
// the order of the inputs as soon as every earlier input is done.
class OrderedConsoles {
public:
    OrderedConsoles(std::size_t count, ConsoleStyle style) : done_(count, false) {
        consoles_.reserve(count);
        for (std::size_t i = 0; i < count; ++i) consoles_.push_back(std::make_unique<JobConsole>(style, true));
    }
    JobConsole& operator[](std::size_t i) { return *consoles_[i]; }
    void Done(std::size_t i) {
        std::lock_guard<std::mutex> lock(lock_);
        done_[i] = true;
        for (; next_ < done_.size() && done_[next_]; ++next_) consoles_[next_]->Flush();
    }

private:
    std::vector<std::unique_ptr<JobConsole>> consoles_;
    std::vector<bool> done_;
    std::size_t next_ = 0;
    std::mutex lock_;
};

}  // namespace

int RunBatch(BatchCommand command, const CliSettings& o) {
    std::vector<Job> jobs;
    jobs.reserve(o.inputs.size());
    for (const std::string& input : o.inputs)
        jobs.push_back({input, o.output.empty() ? DefaultOutput(command, input, o.outputDir) : o.output, o.inputs.size() > 1});
    if (const std::string clash = FindClash(command, jobs, o.reportFile); !clash.empty()) {
        ConsoleWrite(Stream::Err, clash + "\n");
        return kFailed;
    }
    if (!o.outputDir.empty() && !MakeOutputFolder(o.outputDir)) return kFailed;
    BatchReport report(o.reportFile);
    if (!report.Open()) return kFailed;

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers = static_cast<unsigned>(std::min<std::size_t>(jobs.size(), o.jobs ? o.jobs : cores));
    ConvertOptions options = o.convert;
    // Inputs converted at once each read with one thread.
    if (workers > 1) options.threads = 1;
    ConsoleStyle style;
    style.verbosity = o.quiet ? Verbosity::Quiet : o.verbose ? Verbosity::Verbose : Verbosity::Normal;
    // An output on standard output (-, /dev/stdout) sends the history to standard error.
    style.history = o.output == "-" || OutputDescriptor(o.output) == 1 ? Stream::Err : Stream::Out;

    std::vector<JobResult> results(jobs.size());
    std::unique_ptr<OrderedConsoles> held;
    if (workers > 1) held = std::make_unique<OrderedConsoles>(jobs.size(), style);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < jobs.size();) {
            try {
                if (held) {
                    results[i] = RunJob(command, jobs[i], o, options, (*held)[i]);
                } else {
                    JobConsole console(style, false);
                    results[i] = RunJob(command, jobs[i], o, options, console);
                }
            } catch (...) {
                results[i] = JobResult{};
            }
            if (held) held->Done(i);
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
    std::size_t written = 0, reported = 0;
    for (const JobResult& r : results) {
        worst = WorseStatus(worst, r.status);
        written += r.written;
        reported += r.written && r.reported;
    }
    if (!report.Write(results)) worst = WorseStatus(worst, kFailed);
    if (jobs.size() > 1 && !style.quiet())
        ConsoleWrite(Stream::Err, std::to_string(jobs.size()) + " inputs: " + std::to_string(written) + " written, " +
                                      std::to_string(jobs.size() - written) + " failed, " + std::to_string(reported) +
                                      " with reports\n");
    return worst;
}

}  // namespace corvane
