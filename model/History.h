// Services the conversion logic needs from whatever front end runs it: the
// history list, message boxes and progress. The window, the console and the
// tests each implement them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace corvane {

// The progress list. Readers and writers only append; the newest line is
// the one the user sees.
class HistoryLog {
public:
    virtual ~HistoryLog() = default;
    virtual void Clear() = 0;
    virtual void Append(const std::string& line) = 0;
};

// A message box: text, optional title, optional critical icon, OK button.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(const std::string& text, const std::string& title = "", bool critical = false) = 0;
};

// How far a command has come: `done` of `total` steps (readers, then blocks).
class Progress {
public:
    virtual ~Progress() = default;
    virtual void Step(std::size_t done, std::size_t total) = 0;
};

// Keeps the lines in memory; used by tests and by front ends that print
// the history at the end.
class MemoryHistory : public HistoryLog {
public:
    void Clear() override { lines.clear(); }
    void Append(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

struct ShownMessage {
    std::string text, title;
    bool critical = false;
};

class MemoryMessages : public MessageSink {
public:
    void Show(const std::string& text, const std::string& title, bool critical) override {
        shown.push_back({text, title, critical});
    }
    std::vector<ShownMessage> shown;
};

}  // namespace corvane
