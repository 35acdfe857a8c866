#pragma once
// The history's table of timed copies: one row per finished test with the figures its sheet
// showed. Used on the history's thread, inside the caller's transaction; throws HistoryFailure.

#include "CopyTestRecord.h"

#include <vector>

class QSqlDatabase;

class CopyTestTable {
public:
    static constexpr const char* kCreate =
        "CREATE TABLE copy_tests ("
        "id INTEGER PRIMARY KEY,"
        "ended_at INTEGER NOT NULL," // seconds since 1970 UTC
        "title TEXT NOT NULL,"
        "minutes INTEGER NOT NULL,"
        "rules INTEGER NOT NULL," // 0 "školní", 1 "soutěžní"
        "gross INTEGER NOT NULL," // the norm's keystrokes of all that was typed
        "errors INTEGER NOT NULL,"
        "penalty INTEGER NOT NULL," // keystrokes off per error
        "net INTEGER NOT NULL,"
        "net_per_minute INTEGER NOT NULL,"
        "error_rate INTEGER NOT NULL," // hundredths of a per cent
        "grade INTEGER NOT NULL,"      // 1, 2, 3, or 4 for "neprospěl"
        "grade_limit INTEGER NOT NULL)";

    static void Insert(const QSqlDatabase& db, const CopyTestRecord& record);
    // The tests that ended between `earliest` and `latest`, oldest first.
    [[nodiscard]] static std::vector<CopyTestRecord> Read(const QSqlDatabase& db, int64_t earliest,
                                                          int64_t latest);
};
