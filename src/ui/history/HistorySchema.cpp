#include "HistorySchema.h"

#include "CopyTestTable.h"
#include "HistoryFailure.h"
#include "KeyDays.h"
#include "LessonSummary.h"
#include "SqlTransaction.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <array>
#include <vector>

namespace {

struct Step {
    std::vector<const char*> statements;
    // Fills what the statements made, from what the file holds; nullptr for nothing.
    void (*fill)(const QSqlDatabase& db) = nullptr;
};

// kSteps[n] takes a file of version n to version n + 1.
const std::array<Step, HistorySchema::kVersion> kSteps{{
    // 1: the finished texts.
    {{
        "CREATE TABLE texts ("
        "id INTEGER PRIMARY KEY,"
        "ended_at INTEGER NOT NULL," // seconds since 1970 UTC
        "lesson INTEGER NOT NULL,"   // 1..44, -1 own text
        "qwertz INTEGER NOT NULL,"   // 0 or 1
        "file_name TEXT NOT NULL,"   // own text's path, else empty
        "keystrokes INTEGER NOT NULL,"
        "correct INTEGER NOT NULL,"
        "errors INTEGER NOT NULL,"
        "typing_ms INTEGER NOT NULL,"
        "average_speed INTEGER NOT NULL,"  // keystrokes per minute
        "absolute_speed INTEGER NOT NULL," // correct keystrokes per minute
        "error_grade INTEGER NOT NULL,"
        "speed_grade INTEGER NOT NULL,"
        "passed INTEGER NOT NULL)",
        "CREATE INDEX texts_by_lesson ON texts (lesson, qwertz, ended_at)",
    }},
    // 2: the wrong keystrokes of a text by the character expected (a code page 1250 byte,
    // Enter 10), one row per character with errors.
    {{
        "CREATE TABLE key_errors ("
        "text_id INTEGER NOT NULL REFERENCES texts(id) ON DELETE CASCADE,"
        "character INTEGER NOT NULL,"
        "errors INTEGER NOT NULL,"
        "PRIMARY KEY (text_id, character)) WITHOUT ROWID",
    }},
    // 3: which lesson a practice text of the pupil's errors practised (0 not known, NULL for
    // any other text); the texts in order of time; each lesson's summary.
    {{
         "ALTER TABLE texts ADD COLUMN practice_of INTEGER",
         // Practice texts were own texts in the pupil's data folder under this name.
         "UPDATE texts SET practice_of = 0 WHERE lesson < 1 AND file_name LIKE "
         "'%/procviceni.txt'",
         // A lesson's or all texts in order of time, for the progress window.
         "DROP INDEX IF EXISTS texts_by_lesson",
         "CREATE INDEX texts_by_lesson ON texts (lesson, ended_at)",
         "CREATE INDEX texts_by_time ON texts (ended_at)",
         LessonSummary::kCreate,
     },
     &LessonSummary::Build},
    // 4: the timed copies.
    {{
        CopyTestTable::kCreate,
        "CREATE INDEX copy_tests_by_time ON copy_tests (ended_at)",
    }},
    // 5: results waiting for a school class's database (ClassQueueStore), each under the UUID
    // the server knows it by, in the order they were queued.
    {{
        "CREATE TABLE class_queue ("
        "seq INTEGER PRIMARY KEY,"
        "id TEXT NOT NULL UNIQUE,"
        "queued_at INTEGER NOT NULL," // seconds since 1970 UTC
        "payload TEXT NOT NULL)",     // the result as JSON
    }},
    // 6: the training's daily summary per key.
    {{KeyDays::kCreate}},
}};

} // namespace

void HistorySchema::Migrate(const QSqlDatabase& db, int version) {
    if (!Knows(version) || version == kVersion) {
        return;
    }
    SqlTransaction transaction(db);
    QSqlQuery query(db);
    // Another connection to the file (the class queue's, another Klaptos) may have brought it
    // on while this one waited for the lock.
    HistoryFailure::Exec(query, QStringLiteral("PRAGMA user_version"));
    if (!query.next()) {
        throw HistoryFailure(query.lastError());
    }
    version = query.value(0).toInt();
    query.finish();
    if (!Knows(version) || version == kVersion) {
        return;
    }
    for (int step = version; step < kVersion; ++step) {
        const Step& next = kSteps[static_cast<std::size_t>(step)];
        for (const char* statement : next.statements) {
            HistoryFailure::Exec(query, QString::fromUtf8(statement));
        }
        if (next.fill != nullptr) {
            next.fill(db);
        }
    }
    HistoryFailure::Exec(query, QStringLiteral("PRAGMA user_version=%1").arg(kVersion));
    transaction.Commit();
}

QString HistorySchema::TextsSource(int version) {
    if (version >= 3) {
        return QStringLiteral("texts");
    }
    return QStringLiteral("(SELECT *, NULL AS practice_of FROM texts)");
}
