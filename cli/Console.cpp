#include "cli/Console.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>

namespace corvane {

namespace {

std::mutex g_lock;
int g_stdoutError = 0;

// Standard output is flushed after each write, so that a history line is
// seen the moment it is written and lands before the messages that follow
// it on standard error.
bool WriteLocked(Stream stream, std::string_view bytes) {
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

void JobConsole::Put(Stream stream, std::string_view text) {
    std::string line(text);
    line += '\n';
    if (held_) lines_.emplace_back(stream, std::move(line));
    else ConsoleWrite(stream, line);
}

void JobConsole::History(std::string_view line) {
    if (!style_.quiet) Put(style_.history, line);
}

void JobConsole::Message(std::string_view text) { Put(Stream::Err, text); }

void JobConsole::Note(std::string_view text) {
    if (!style_.quiet) Put(Stream::Err, text);
}

void JobConsole::Summary(std::string_view text) {
    // The summary comes with its own line ends.
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    Put(Stream::Err, text);
}

void JobConsole::Header(std::string_view line) { Put(style_.quiet ? Stream::Err : style_.history, line); }

void JobConsole::Flush() {
    if (lines_.empty()) return;
    std::lock_guard<std::mutex> lock(g_lock);
    for (const auto& [stream, line] : lines_) WriteLocked(stream, line);
    lines_.clear();
}

bool ConsoleMessages::WasShown(const std::string& text) const {
    return std::find(shown.begin(), shown.end(), text) != shown.end();
}

}  // namespace corvane
