#pragma once
// What the progress window, the export and the lesson dialog read from the history, each
// worked out by the database itself, so that a history of a million texts costs what its
// answer costs, not what all its rows would. Texts dated outside a sane range are left out.
// Used on the history's own thread; every query throws HistoryFailure when it fails.

#include "CopyTestRecord.h"
#include "HistoryRecord.h"
#include "LessonResults.h"
#include "ProgressSeries.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QSqlQuery;

struct KeySpeedRow;

class HistoryQueries {
public:
    // What a file holds besides its texts.
    struct Tables {
        bool keyErrors = false; // the errors per character
        bool lessons = false;   // the lessons' summary (LessonSummary)
        bool copyTests = false; // the timed copies (CopyTestTable)
        bool keyDays = false;   // the training's daily summary per key (KeyDays)
    };

    // `connection`: the open database's Qt SQL connection name; `texts`: the table of texts
    // as it is read (HistorySchema::TextsSource).
    HistoryQueries(QString connection, QString texts, Tables tables);

    // The columns RecordAt reads, each with `prefix` ("t."), and how many they are.
    static constexpr int kColumnCount = 15;
    [[nodiscard]] static QString Columns(const QString& prefix);
    // The text whose columns begin at `first` of the query's row.
    [[nodiscard]] static HistoryRecord RecordAt(const QSqlQuery& query, int first);

    // The filters worth offering (ProgressSeries): all texts, each lesson that occurs, own texts
    // and the timed copies when any occurs.
    [[nodiscard]] std::vector<int> Filters() const;
    // Each lesson's best and last result and its number of attempts.
    [[nodiscard]] std::vector<LessonResult> LessonRows() const;
    // The attempts of `filter` in order of time, at most `maxPoints` points.
    [[nodiscard]] ProgressSeries Progress(int filter, int maxPoints) const;
    // Up to `count` attempts of `filter`, newest first, after the attempt `after` (the last one
    // shown; nullptr from the newest), with their errors per character.
    [[nodiscard]] std::vector<HistoryRecord> Attempts(int filter, const HistoryRecord* after,
                                                      int count) const;
    // The timed copies, oldest first.
    [[nodiscard]] std::vector<CopyTestRecord> CopyTests() const;
    // Every trained key's speed and error rate over all days (KeyDays); none in an older file.
    [[nodiscard]] std::vector<KeySpeedRow> KeySpeeds() const;
    // Every text, oldest first, one at a time.
    void ForEachText(const std::function<void(const HistoryRecord&)>& visit) const;

private:
    // The sane dates and the filter, as an SQL condition.
    [[nodiscard]] QString Where(int filter) const;
    // The filter alone; the latest sane end.
    [[nodiscard]] static QString Kind(int filter);
    [[nodiscard]] static int64_t Latest();
    [[nodiscard]] QSqlQuery Query() const;
    void AddKeyErrors(std::vector<HistoryRecord>& records) const;

    QString connection_;
    QString texts_;
    Tables tables_;
};
