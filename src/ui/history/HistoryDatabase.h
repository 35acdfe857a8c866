#pragma once
// The history's SQLite file in the pupil's data folder, through Qt SQL: opened when first
// needed, written one text per transaction, read through HistoryQueries. A file that may not
// be written is opened for reading only; a damaged one is moved aside and a new history begins;
// a version this program does not know is left alone. Each problem is told to the pupil once.
// Used on one thread only (HistoryThread's): Qt SQL ties a connection to its thread.

#include "HistoryMessage.h"
#include "HistoryQueries.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

class HistoryFailure;
class QSqlDatabase;
class Reporter;
struct CopyTestRecord;
struct HistoryRecord;
struct KeyDayRecord;

class HistoryDatabase {
public:
    static constexpr const char* kFileName = "historie.sqlite";

    // Bytes that may still be written in a folder; tells a full disk behind a failed write.
    using FreeSpace = std::function<int64_t(const QString& folder)>;

    enum class Access { None, ReadOnly, ReadWrite };

    // `dataDir`: the per-user data folder, made when missing. Problems go to `reporter`, each
    // kind once. `busyTimeoutMs`: how long a statement waits for another program's lock.
    HistoryDatabase(std::string dataDir, Reporter& reporter, FreeSpace freeSpace = {},
                    int busyTimeoutMs = 1000);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    // Opens the file when it is not open yet; None while the history cannot be read (told).
    // Throws HistoryFailure while another program holds the lock: ask again later.
    Access Open();
    // Keeps one text in a transaction of its own, or tells why not; nothing is written to a
    // history open for reading only. Throws HistoryFailure while another program holds the
    // lock, having written nothing.
    void Record(const HistoryRecord& record);
    // Keeps one timed copy, as Record keeps a text.
    void RecordCopyTest(const CopyTestRecord& record);
    // Adds a training exercise's keys to the day's summary, as Record keeps a text.
    void RecordKeys(const KeyDayRecord& record);
    // The open history's queries; nullptr while it cannot be read. Throws as Open.
    [[nodiscard]] const HistoryQueries* Queries();

    // A statement that failed other than for a lock: the pupil is told what it means.
    void Fail(const HistoryFailure& failure);
    // Another program has held the lock for a while: the pupil is told that results wait.
    void TellLocked();
    // Something else went wrong (`what` in the program's words).
    void TellUnexpected(const std::string& what);

    [[nodiscard]] QString Path() const;

private:
    // Runs `write` in a transaction of its own on a history open for writing; a failure other
    // than a lock is told.
    void Write(const std::function<void(const QSqlDatabase& db)>& write);
    Access OpenReadWrite();
    Access OpenReadOnly();
    // Opens the connection; the database's version, or nullopt after telling why not.
    std::optional<int> Connect(const QString& name, const QString& options);
    int ReadVersion();
    void Close();
    // Moves a damaged file (and its journal) aside; returns the name it now has.
    QString MoveAside();
    void Tell(HistoryProblem problem, const QString& detail = {});
    [[nodiscard]] bool DiskFull() const;

    QString dataDir_;
    Reporter& reporter_;
    FreeSpace freeSpace_;
    int busyTimeoutMs_;
    QString connection_;
    Access access_ = Access::None;
    std::optional<HistoryQueries> queries_;
    std::set<HistoryProblem> told_;
    bool movedAside_ = false;
};
