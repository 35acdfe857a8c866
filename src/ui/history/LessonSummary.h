#pragma once
// Each lesson's number of attempts, best and last text, kept in the history beside the texts
// and brought up to date with each text recorded: the lessons' results and the lesson dialog's
// ticks then cost as much over a million texts as over ten. Which text is best is the model's
// rule (LessonResults). Used on the history's thread; every call throws HistoryFailure.

#include "LessonResults.h"

#include <QString>

#include <vector>

class QSqlDatabase;

class LessonSummary {
public:
    // The table, made by the schema's step that brings it.
    static constexpr const char* kCreate =
        "CREATE TABLE lessons ("
        "lesson INTEGER NOT NULL,"
        "layout INTEGER NOT NULL," // 1 QWERTZ where the layout changes the lesson, else 0
        "attempts INTEGER NOT NULL,"
        "best_id INTEGER NOT NULL," // texts(id)
        "last_id INTEGER NOT NULL,"
        "PRIMARY KEY (lesson, layout)) WITHOUT ROWID";

    // Fills the empty table from every text of a sane date.
    static void Build(const QSqlDatabase& db);
    // Counts a text just stored, with its row number.
    static void Add(const QSqlDatabase& db, const HistoryRecord& stored);
    // The rows, by lesson, QWERTY before QWERTZ.
    [[nodiscard]] static std::vector<LessonResult> Read(const QSqlDatabase& db);
    // The same worked out from the texts themselves, for a file without the table; `texts` is
    // the table of texts as it is read.
    [[nodiscard]] static std::vector<LessonResult> Fold(const QSqlDatabase& db,
                                                        const QString& texts);
};
