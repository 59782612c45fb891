#include "app/CommandRunner.h"

#include "driver/Files.h"

#include <exception>
#include <new>

namespace corvane {

// The services a job sees on the worker.
class CommandRunner::Relay : public HistoryLog, public MessageSink, public Progress {
public:
    explicit Relay(CommandRunner* runner) : runner_(runner) {}

    void Clear() override {
        QMetaObject::invokeMethod(runner_, [r = runner_] { r->history_.Clear(); }, Qt::QueuedConnection);
    }
    void Append(const std::string& line) override {
        QMetaObject::invokeMethod(runner_, [r = runner_, line] { r->history_.Append(line); }, Qt::QueuedConnection);
    }
    void Step(std::size_t done, std::size_t total) override {
        QMetaObject::invokeMethod(
            runner_, [r = runner_, d = static_cast<int>(done), t = static_cast<int>(total)] { emit r->progressed(d, t); },
            Qt::QueuedConnection);
    }
    void Show(const std::string& text, const std::string& title, bool critical) override {
        shown = true;
        std::unique_lock<std::mutex> lock(runner_->mutex_);
        if (runner_->closing_) return;
        const std::uint64_t ticket = ++runner_->asked_;
        QMetaObject::invokeMethod(
            runner_, [r = runner_, text, title, critical] { r->showOnGui(text, title, critical); }, Qt::QueuedConnection);
        runner_->answered_.wait(lock, [&] { return runner_->closing_ || runner_->shown_ >= ticket; });
    }

    bool shown = false;

private:
    CommandRunner* runner_;
};

CommandRunner::CommandRunner(HistoryLog& history, MessageSink& messages, QObject* parent)
    : QObject(parent), history_(history), messages_(messages) {}

CommandRunner::~CommandRunner() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    answered_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void CommandRunner::showOnGui(const std::string& text, const std::string& title, bool critical) {
    messages_.Show(text, title, critical);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++shown_;
    }
    answered_.notify_all();
}

bool CommandRunner::start(const QString& name, const std::string& inputPath, Job job, Done done) {
    if (busy_) return false;
    if (thread_.joinable()) thread_.join();  // the last job has ended: its done has run
    busy_ = true;
    name_ = name;
    emit busyChanged(true);
    emit progressed(0, 0);
    thread_ = std::thread([this, inputPath, job = std::move(job), done = std::move(done)]() mutable {
        Relay relay(this);
        Services services{relay, relay, relay};
        Outcome outcome;
        try {
            job(services);
        } catch (const std::bad_alloc&) {
            outcome.failed = true;
            relay.Show(OutOfMemoryMessage(inputPath), "", true);
        } catch (const std::exception& e) {
            outcome.failed = true;
            relay.Show(std::string("The command stopped: ") + e.what(), "", true);
        }
        job = nullptr;  // let go of what the job holds before the window takes over
        outcome.messageShown = relay.shown;
        QMetaObject::invokeMethod(
            this,
            [this, outcome, done = std::move(done)] {
                busy_ = false;
                name_.clear();
                if (done) done(outcome);
                emit busyChanged(false);
            },
            Qt::QueuedConnection);
    });
    return true;
}

}  // namespace corvane
