// Qt implementations of the services the core and the window use. They are
// called on the GUI thread; commands on a worker reach them through the
// CommandRunner.
#pragma once

#include "app/Services.h"
#include "model/History.h"

class QListWidget;
class QWidget;

namespace corvane {

// Whether a message box may wait for the user. Not on the offscreen and
// minimal platforms, nor in a screenshot run: there messages go to
// standard error, so that nothing waits for a click that cannot come.
bool MessageBoxesMayBlock();
void SetScreenshotRun(bool on);

// The history list: every appended line becomes the selected, visible one.
class ListHistory : public HistoryLog {
public:
    explicit ListHistory(QListWidget* list) : list_(list) {}
    void Clear() override;
    void Append(const std::string& line) override;

private:
    QListWidget* list_;
};

class QtMessages : public MessageSink {
public:
    explicit QtMessages(QWidget* parent) : parent_(parent) {}
    void Show(const std::string& text, const std::string& title, bool critical) override;

private:
    QWidget* parent_;
};

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> Open(const std::string& title, const std::string& folder, const std::string& filter) override;
    std::optional<std::string> Save(const std::string& title, const std::string& folder, const std::string& filter) override;
    // Where messages go to standard error, the folder is named there.
    bool ShowFolder(const std::string& folder) override;

private:
    QWidget* parent_;
};

}  // namespace corvane
