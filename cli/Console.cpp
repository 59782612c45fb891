#include "cli/Console.h"


#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <unistd.h>

namespace corvane {

namespace {

std::mutex g_lock;
int g_stdoutError = 0;
// The input that owns the progress line, and whether its bar is on it.
const void* g_barOwner = nullptr;
bool g_barShown = false;

void ClearBarLocked() {
    if (!g_barShown) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    g_barShown = false;
}

// Standard output is flushed after each write, so that a line is seen the
// moment it is written and lands before the messages that follow it on
// standard error. A progress bar on the terminal is cleared first.
bool WriteLocked(Stream stream, std::string_view bytes) {
    ClearBarLocked();
    if (stream == Stream::Err) {
        std::fwrite(bytes.data(), 1, bytes.size(), stderr);
        return true;
    }
    if (g_stdoutError) return false;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
        g_stdoutError = errno ? errno : EIO;
        return false;
    }
    return true;
}

}  // namespace

bool ConsoleWrite(Stream stream, std::string_view bytes) {
    std::lock_guard<std::mutex> lock(g_lock);
    return WriteLocked(stream, bytes);
}

int StdoutError() {
    std::lock_guard<std::mutex> lock(g_lock);
    return g_stdoutError;
}

bool ProgressLineAvailable() {
    static const bool terminal = ::isatty(STDERR_FILENO) == 1;
    return terminal;
}

void DrawProgressLine(const void* owner, const std::string& text) {
    std::lock_guard<std::mutex> lock(g_lock);
    if (g_barOwner && g_barOwner != owner) return;
    if (text.empty()) {
        ClearBarLocked();
        g_barOwner = nullptr;
        return;
    }
    g_barOwner = owner;
    std::fputs(("\r" + text + "\033[K").c_str(), stderr);
    std::fflush(stderr);
    g_barShown = true;
}

void JobConsole::Put(Stream stream, std::string_view text) {
    std::string line(text);
    line += '\n';
    if (held_) lines_.emplace_back(stream, std::move(line));
    else ConsoleWrite(stream, line);
}

void JobConsole::History(std::string_view line) {
    if (style_.verbose()) Put(style_.history, line);
}

void JobConsole::Message(std::string_view text) { Put(Stream::Err, text); }

void JobConsole::Note(std::string_view text) {
    if (!style_.quiet()) Put(Stream::Err, text);
}

void JobConsole::Summary(std::string_view text) {
    // The summary comes with its own line ends.
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    Note(text);
}

void JobConsole::Header(std::string_view line) {
    if (style_.verbose()) Put(style_.history, line);
}

void JobConsole::Flush() {
    if (lines_.empty()) return;
    std::lock_guard<std::mutex> lock(g_lock);
    for (const auto& [stream, line] : lines_) WriteLocked(stream, line);
    lines_.clear();
}

namespace {

// The core's messages that end in their path (or name two), and the reason
// each gives with its path first: the text after the prefix is split at the
// last `split` (none: all of it is the path), and what follows goes after
// the reason.
struct MessageForm {
    std::string_view prefix, split, reason;
};
constexpr MessageForm kForms[] = {
    {"Not a SAP2000 table export (no TABLE: line): ", "", "not a SAP2000 table export (no TABLE: line)"},
    {"No shell elements, no Abaqus deck written: ", "", "no shell elements, no Abaqus deck written"},
    {"Output file is the input file: ", "", "is the input file, which is never written over"},
    {"Two outputs are one file: ", " and ", "the same file as "},
    {"Cannot write ", ": ", "cannot write: "},
    {"Cannot read ", ": ", "cannot read: "},
    {"Out of memory while reading ", " (", "out of memory while reading ("},
};

// The text with its path first, or "" when it has none of the forms.
std::string Turned(const std::string& text) {
    for (const MessageForm& f : kForms) {
        if (text.compare(0, f.prefix.size(), f.prefix) != 0) continue;
        const std::string rest = text.substr(f.prefix.size());
        if (f.split.empty()) return rest + ": " + std::string(f.reason);
        const std::size_t at = rest.rfind(f.split);
        if (at == std::string::npos || at == 0) continue;
        return rest.substr(0, at) + ": " + std::string(f.reason) + rest.substr(at + f.split.size());
    }
    return {};
}

}  // namespace

std::string PathFirst(const std::string& text) {
    std::string turned = Turned(text);
    return turned.empty() ? text : turned;
}

void ConsoleMessages::Show(const std::string& text, const std::string&, bool) {
    shown.push_back(text);
    // A failure the core tells with its path first is told at once.
    if (!input_.empty() && text.rfind(input_ + ": ", 0) == 0) {
        console_.Message(text);
        return;
    }
    if (std::string turned = Turned(text); !turned.empty()) {
        console_.Message(turned);
        return;
    }
    if (std::find(waiting_.begin(), waiting_.end(), text) == waiting_.end()) waiting_.push_back(text);
}

bool ConsoleMessages::WasShown(const std::string& text) const {
    return std::find(shown.begin(), shown.end(), text) != shown.end();
}

void ConsoleMessages::Warnings() {
    for (const std::string& text : waiting_) console_.Note(input_ + ": " + text);
    waiting_.clear();
}

}  // namespace corvane
