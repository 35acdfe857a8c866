#include "HistoryThread.h"

#include "Reporter.h"

#include <QThread>

#include <chrono>
#include <exception>
#include <utility>

namespace {

// How long a job that found the database locked waits before it tries again, on top of the
// database's own wait for the lock.
constexpr std::chrono::milliseconds kRetryPause{250};

// The database's reports, shown on the window's thread by the program's report window.
class WindowReporter final : public Reporter {
public:
    WindowReporter(HistoryThread& thread, Reporter& target) : thread_(thread), target_(target) {}

    void ReportError(const std::string& message) override {
        thread_.Deliver([&target = target_, message] { target.ReportError(message); });
    }
    void ReportInfo(const std::string& message) override {
        thread_.Deliver([&target = target_, message] { target.ReportInfo(message); });
    }
    void ReportInfoUtf8(const std::string& message) override {
        thread_.Deliver([&target = target_, message] { target.ReportInfoUtf8(message); });
    }
    void ReportErrorWithHelp(const std::string& message, const std::string& topic,
                             const std::string& title) override {
        thread_.Deliver([&target = target_, message, topic, title] {
            target.ReportErrorWithHelp(message, topic, title);
        });
    }

private:
    HistoryThread& thread_;
    Reporter& target_;
};

} // namespace

HistoryThread::HistoryThread(DatabaseMaker makeDatabase, Reporter& reporter)
    : makeDatabase_(std::move(makeDatabase)), reporter_(reporter) {}

HistoryThread::~HistoryThread() {
    if (!thread_) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_->wait();
}

void HistoryThread::Record(const HistoryRecord& record) {
    try {
        Enqueue(true, [record](HistoryDatabase& database) { database.Record(record); });
    } catch (const std::exception&) {
        // Out of memory: the text goes unrecorded, the typing goes on.
    }
}

void HistoryThread::RecordCopyTest(const CopyTestRecord& record) {
    try {
        Enqueue(true, [record](HistoryDatabase& database) { database.RecordCopyTest(record); });
    } catch (const std::exception&) {
        // Out of memory: the test goes unrecorded; its sheet is still shown.
    }
}

void HistoryThread::RecordKeys(const KeyDayRecord& record) {
    try {
        Enqueue(true, [record](HistoryDatabase& database) { database.RecordKeys(record); });
    } catch (const std::exception&) {
        // Out of memory: the exercise goes unrecorded, the typing goes on.
    }
}

void HistoryThread::Deliver(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void HistoryThread::Enqueue(bool write, std::function<void(HistoryDatabase&)> run) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back({write, std::move(run)});
    }
    if (!thread_) {
        thread_.reset(QThread::create([this] { Work(); }));
        thread_->setObjectName(QStringLiteral("KlaptosHistory"));
        thread_->start();
    }
    wake_.notify_one();
}

void HistoryThread::Work() {
    WindowReporter reporter(*this, reporter_);
    std::unique_ptr<HistoryDatabase> database = makeDatabase_(reporter);
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) {
                break;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
            // At the end nobody waits for an answer any more; texts are still written.
            if (stopping_ && !job.write) {
                continue;
            }
        }
        RunJob(*database, job);
    }
    database.reset(); // the connection closes on the thread that opened it
}

bool HistoryThread::RunJob(HistoryDatabase& database, const Job& job) {
    for (;;) {
        try {
            job.run(database);
            return true;
        } catch (const HistoryFailure& failure) {
            if (!failure.Locked()) {
                database.Fail(failure);
                return false;
            }
        } catch (const std::exception& error) {
            database.TellUnexpected(error.what());
            return false;
        }
        database.TellLocked();
        std::unique_lock lock(mutex_);
        if (stopping_) {
            return false;
        }
        wake_.wait_for(lock, kRetryPause, [this] { return stopping_; });
    }
}
