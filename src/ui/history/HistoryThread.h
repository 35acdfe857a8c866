#pragma once
// The history as the window sees it: its database lives on a thread of its own, made with the
// first use, so that neither start-up, nor the end of a text, nor a window that shows the
// history ever waits for the disk or for another program's lock. Writes are queued and kept in
// order; a question is answered on the window's thread when its answer is ready. While
// another program holds the lock, the thread tries again until it is free.

#include "HistoryDatabase.h"
#include "HistoryFailure.h"
#include "HistoryStore.h"
#include "KeyDays.h"

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QThread;
class Reporter;

class HistoryThread final : public QObject, public HistoryStore {
    Q_OBJECT

public:
    // Makes the database on the history's thread; its reports reach `reporter` on this one.
    using DatabaseMaker = std::function<std::unique_ptr<HistoryDatabase>(Reporter& reporter)>;

    HistoryThread(DatabaseMaker makeDatabase, Reporter& reporter);
    // Writes what is still queued, each text waiting for a lock once at most, then ends the
    // thread.
    ~HistoryThread() override;
    HistoryThread(const HistoryThread&) = delete;
    HistoryThread& operator=(const HistoryThread&) = delete;

    // Queues the text and returns at once.
    void Record(const HistoryRecord& record) override;
    void RecordCopyTest(const CopyTestRecord& record) override;
    // Queues a training exercise's keys for the day's summary and returns at once.
    void RecordKeys(const KeyDayRecord& record);

    // Runs `query` on the history's thread after everything queued before it, and hands its
    // answer to `done` on this thread, unless `receiver` is gone by then. A history that cannot
    // be read answers with an empty Result.
    template <typename Result>
    void Ask(QObject* receiver, std::function<Result(const HistoryQueries&)> query,
             std::function<void(Result)> done) {
        Enqueue(false, [this, guard = QPointer<QObject>(receiver), query = std::move(query),
                        done = std::move(done)](HistoryDatabase& database) {
            Result answer{};
            if (const HistoryQueries* queries = database.Queries()) {
                answer = Answer(database, [&] { return query(*queries); });
            }
            Deliver([guard, done, answer = std::move(answer)]() mutable {
                if (guard) {
                    done(std::move(answer));
                }
            });
        });
    }

    // Runs `job` on the history's thread after everything queued before it, with the
    // database. For what does not fit Ask, such as a long export.
    void Run(std::function<void(HistoryDatabase&)> job) { Enqueue(false, std::move(job)); }

    // Hands `call` to this thread's event loop.
    void Deliver(std::function<void()> call);

private:
    struct Job {
        bool write = false;
        std::function<void(HistoryDatabase&)> run;
    };

    // A failed query is told once and answers with nothing; a lock is passed on to be tried
    // again.
    template <typename Query> static auto Answer(HistoryDatabase& database, Query query) {
        try {
            return query();
        } catch (const HistoryFailure& failure) {
            if (failure.Locked()) {
                throw;
            }
            database.Fail(failure);
        }
        return decltype(query()){};
    }

    void Enqueue(bool write, std::function<void(HistoryDatabase&)> run);
    void Work();
    // Runs one job until no lock stands in its way; false when it was given up at the end.
    bool RunJob(HistoryDatabase& database, const Job& job);

    DatabaseMaker makeDatabase_;
    Reporter& reporter_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::unique_ptr<QThread> thread_;
};
