// Runs the window's commands on a worker thread, one at a time.
//
// A job gets a history, message sink and progress of its own that hand
// every call over to the GUI thread in order: history lines and progress
// are queued, a message waits until the window's own sink has shown it (a
// message box waits for the user, as it would on the GUI thread). When the
// job has ended, its `done` runs on the GUI thread after everything it sent.
#pragma once

#include "model/History.h"

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace corvane {

class CommandRunner : public QObject {
    Q_OBJECT
public:
    struct Services {
        HistoryLog& history;
        MessageSink& messages;
        Progress& progress;
    };
    // How the job ended beyond what it tells itself.
    struct Outcome {
        bool messageShown = false;  // the job showed at least one message
        bool failed = false;        // it ended by an exception (told in a message)
    };
    using Job = std::function<void(Services&)>;
    using Done = std::function<void(const Outcome&)>;

    // The window's own services, used on the GUI thread.
    CommandRunner(HistoryLog& history, MessageSink& messages, QObject* parent = nullptr);
    // Waits for a running job; a message it is waiting on is given up.
    ~CommandRunner() override;

    // Starts `job`; false (and nothing runs) while another job runs. Should
    // it run out of memory, "Out of memory while reading INPUT" is shown for
    // `inputPath`; any other exception is shown with its text.
    bool start(const QString& name, const std::string& inputPath, Job job, Done done);
    bool busy() const { return busy_; }
    QString current() const { return name_; }

signals:
    void busyChanged(bool busy);
    // done of total steps; total 0 when the job tells no steps.
    void progressed(int done, int total);

private:
    class Relay;
    void showOnGui(const std::string& text, const std::string& title, bool critical);

    HistoryLog& history_;
    MessageSink& messages_;
    std::thread thread_;
    bool busy_ = false;
    QString name_;

    // A message the worker waits on: answered on the GUI thread, or given
    // up when the runner goes away.
    std::mutex mutex_;
    std::condition_variable answered_;
    std::uint64_t asked_ = 0, shown_ = 0;
    bool closing_ = false;
};

}  // namespace corvane
