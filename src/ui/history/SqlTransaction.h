#pragma once
// One write transaction on a database: begun at once, rolled back unless committed, so that
// no failure, exception included, leaves the database locked for other programs.

#include "HistoryFailure.h"

#include <QSqlDatabase>
#include <QSqlQuery>

class SqlTransaction {
public:
    // Takes the write lock now (BEGIN IMMEDIATE): a lock held elsewhere fails here, before
    // anything was written. Throws HistoryFailure.
    explicit SqlTransaction(const QSqlDatabase& db) : db_(db) {
        QSqlQuery query(db_);
        HistoryFailure::Exec(query, QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~SqlTransaction() {
        if (!done_) {
            QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        }
    }
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    void Commit() {
        QSqlQuery query(db_);
        HistoryFailure::Exec(query, QStringLiteral("COMMIT"));
        done_ = true;
    }

private:
    QSqlDatabase db_;
    bool done_ = false;
};
