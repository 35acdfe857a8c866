#pragma once
// The training's daily summary per key in the history's database: for each day, layout and
// character, how often it was typed, how often wrong, and its time per key press; and every
// key's speed and error rate read back for "Můj pokrok".

#include "KeyTotals.h"

#include <QString>

#include <vector>

class QSqlDatabase;

struct KeyDayRecord {
    QString day; // yyyy-MM-dd, local time
    bool qwertz = true;
    std::vector<KeyTotal> keys;
};

struct KeySpeedRow {
    bool qwertz = true;
    unsigned char character = 0;
    int occurrences = 0;
    double speed = 0;     // key presses per minute; 0 when never timed
    double errorRate = 0; // 0 to 1
};

class KeyDays {
public:
    static constexpr const char* kCreate =
        "CREATE TABLE key_days ("
        "day TEXT NOT NULL,"
        "qwertz INTEGER NOT NULL,"
        "character INTEGER NOT NULL," // code page 1250 byte
        "occurrences INTEGER NOT NULL,"
        "errors INTEGER NOT NULL,"
        "timed INTEGER NOT NULL,"
        "ms_per_press REAL NOT NULL," // the sum over the timed occurrences
        "PRIMARY KEY (day, qwertz, character)) WITHOUT ROWID";

    // Adds an exercise's keys to their day's rows. Throws HistoryFailure.
    static void Add(const QSqlDatabase& db, const KeyDayRecord& record);
    // Every key's figures over all days, layout by layout in byte order. Throws HistoryFailure.
    [[nodiscard]] static std::vector<KeySpeedRow> Read(const QSqlDatabase& db);
};
