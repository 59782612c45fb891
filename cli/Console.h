// The console of the command line. Each input's lines go to standard output
// and standard error through a JobConsole: line by line as they come, or,
// when several inputs are converted at once, held until the batch writes
// them in the order of the inputs. Every write to standard output is
// checked; the first failure is kept for the exit status.
//
// What is shown: by default, per input, the line of what was written and
// the report summary, and messages; with --verbose the history lines too;
// with --quiet the messages of failures alone. Every message names its path
// first ("m.s2k: file not found").
#pragma once

#include "model/History.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

enum class Stream { Out, Err };

// Writes the bytes to one stream under the console's lock. False when a
// write to standard output failed (remembered for StdoutError).
bool ConsoleWrite(Stream stream, std::string_view bytes);
// The errno of the first write to standard output that failed, or 0.
int StdoutError();

// The progress bar's line on standard error, when standard error is a
// terminal: one input at a time owns it; any other write clears it first.
bool ProgressLineAvailable();
void DrawProgressLine(const void* owner, const std::string& text);

enum class Verbosity { Quiet, Normal, Verbose };

struct ConsoleStyle {
    Verbosity verbosity = Verbosity::Normal;
    Stream history = Stream::Out;  // standard error when standard output carries an output
    bool quiet() const { return verbosity == Verbosity::Quiet; }
    bool verbose() const { return verbosity == Verbosity::Verbose; }
};

class JobConsole {
public:
    // `held`: keep every line until Flush.
    JobConsole(ConsoleStyle style, bool held) : style_(style), held_(held) {}
    ~JobConsole() { Flush(); }
    JobConsole(const JobConsole&) = delete;
    JobConsole& operator=(const JobConsole&) = delete;

    // A history line: with --verbose only.
    void History(std::string_view line);
    // A failure: always shown, on standard error.
    void Message(std::string_view text);
    // A warning, or what was written where: standard error, not when quiet.
    void Note(std::string_view text);
    // The report summary: standard error, not when quiet.
    void Summary(std::string_view text);
    // The line that names an input among several: with --verbose, before
    // its history.
    void Header(std::string_view line);
    void Flush();

    const ConsoleStyle& Style() const { return style_; }

private:
    void Put(Stream stream, std::string_view text);

    ConsoleStyle style_;
    bool held_;
    std::vector<std::pair<Stream, std::string>> lines_;
};

// The history of a command on a JobConsole; with `keep`, its lines are also
// kept (the JSON listing of `tables` holds them).
class ConsoleHistory : public HistoryLog {
public:
    explicit ConsoleHistory(JobConsole& console, bool keep = false) : console_(console), keep_(keep) {}
    void Clear() override {}
    void Append(const std::string& line) override {
        if (keep_) lines.push_back(line);
        console_.History(line);
    }
    std::vector<std::string> lines;

private:
    JobConsole& console_;
    bool keep_;
};

// The messages of the core's commands as console lines that name their path
// first. The core's own texts that end in a path ("Cannot write P: why")
// are turned round; the message boxes of the window, which name no path,
// wait for the end of the command: a warning ("No Area Information Found",
// shown once per area section in the window) is told once with the input's
// path when the command succeeds (Warnings), a failure's box gives way to
// the failure the command records.
class ConsoleMessages : public MessageSink {
public:
    ConsoleMessages(JobConsole& console, std::string input) : console_(console), input_(std::move(input)) {}
    void Show(const std::string& text, const std::string& title = "", bool critical = false) override;
    // Whether this text of the core was told already.
    bool WasShown(const std::string& text) const;
    // Tells the warnings that waited, each once, with the input's path.
    void Warnings();
    std::vector<std::string> shown;

private:
    JobConsole& console_;
    std::string input_;
    std::vector<std::string> waiting_;
};

// A message of the core with its path first: "Cannot write P: why" gives
// "P: cannot write: why"; a text that starts with its path stays as it is.
std::string PathFirst(const std::string& text);

}  // namespace corvane
