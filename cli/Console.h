// The console of the command line. Each input's history lines, messages and
// notes go to standard output and standard error through a JobConsole: line
// by line as they come, or, when several inputs are converted at once, held
// and written together when the input is done, so that one input's lines
// stay together. Every write to standard output is checked; the first
// failure is kept for the exit status.
#pragma once

#include "model/History.h"

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

struct ConsoleStyle {
    bool quiet = false;            // no history lines and no notes
    Stream history = Stream::Out;  // standard error when standard output carries an output
};

class JobConsole {
public:
    // `held`: keep every line until Flush.
    JobConsole(ConsoleStyle style, bool held) : style_(style), held_(held) {}
    ~JobConsole() { Flush(); }
    JobConsole(const JobConsole&) = delete;
    JobConsole& operator=(const JobConsole&) = delete;

    void History(std::string_view line);
    // A failure or warning: always shown, on standard error.
    void Message(std::string_view text);
    // What was written where ("Output: ..."): standard error, not when quiet.
    void Note(std::string_view text);
    // The report summary: standard error, also when quiet.
    void Summary(std::string_view text);
    // The line that names an input among several: in the history, or on
    // standard error when the history is not shown.
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

// Message boxes as lines on standard error; the texts shown are kept so
// that a failure already told is not told twice.
class ConsoleMessages : public MessageSink {
public:
    explicit ConsoleMessages(JobConsole& console) : console_(console) {}
    void Show(const std::string& text, const std::string&, bool) override {
        console_.Message(text);
        shown.push_back(text);
    }
    bool WasShown(const std::string& text) const;
    std::vector<std::string> shown;

private:
    JobConsole& console_;
};

}  // namespace corvane
