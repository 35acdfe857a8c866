#pragma once
// A statement on the history's database that failed, with SQLite's result code. Thrown on the
// history's own thread only, and caught there: a lock held by another program means "try
// again later", anything else is told to the pupil once.

#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <stdexcept>

class HistoryFailure final : public std::runtime_error {
public:
    explicit HistoryFailure(const QSqlError& error)
        : std::runtime_error(error.text().toStdString()), code_(error.nativeErrorCode().toInt()),
          words_(error.databaseText()) {}

    // SQLite's extended result code; 0 when the driver gave none.
    [[nodiscard]] int Code() const { return code_; }
    // SQLite's own words ("disk I/O error").
    [[nodiscard]] const QString& Words() const { return words_; }
    // SQLITE_BUSY or SQLITE_LOCKED: another connection holds the lock.
    [[nodiscard]] bool Locked() const { return (code_ & 0xff) == 5 || (code_ & 0xff) == 6; }
    // SQLITE_CORRUPT or SQLITE_NOTADB.
    [[nodiscard]] bool Damaged() const { return (code_ & 0xff) == 11 || (code_ & 0xff) == 26; }

    // Runs a statement, or a prepared query when `statement` is empty; throws when it fails.
    static void Exec(QSqlQuery& query, const QString& statement = {}) {
        if (!(statement.isEmpty() ? query.exec() : query.exec(statement))) {
            throw HistoryFailure(query.lastError());
        }
    }

    // Prepares a statement; throws when it cannot be.
    static void Prepare(QSqlQuery& query, const QString& statement) {
        if (!query.prepare(statement)) {
            throw HistoryFailure(query.lastError());
        }
    }

private:
    int code_;
    QString words_;
};
