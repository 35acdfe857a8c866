#pragma once
// What the progress window, the export and the lesson dialog read from the history, each
// worked out by the database itself, so that a history of a million texts costs what its
// answer costs, not what all its rows would. Texts dated outside a sane range are left out.
// Used on the history's own thread; every query throws HistoryFailure when it fails.

#include "HistoryRecord.h"
#include "LessonResults.h"
#include "ProgressSeries.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QSqlQuery;

class HistoryQueries {
public:
    // `connection`: the open database's Qt SQL connection name; `texts`: the table of texts
    // as it is read (HistorySchema::TextsSource); `keyErrors`: whether the file has the table
    // of errors per character.
    HistoryQueries(QString connection, QString texts, bool keyErrors);

    // The filters worth offering (ProgressSeries): all texts, each lesson that occurs, own texts
    // when any occurs.
    [[nodiscard]] std::vector<int> Filters() const;
    // Each lesson's best and last result and its number of attempts.
    [[nodiscard]] std::vector<LessonResult> LessonRows() const;
    // The attempts of `filter` in order of time, at most `maxPoints` points.
    [[nodiscard]] ProgressSeries Progress(int filter, int maxPoints) const;
    // Up to `count` attempts of `filter`, newest first, after the attempt `after` (the last one
    // shown; nullptr from the newest), with their errors per character.
    [[nodiscard]] std::vector<HistoryRecord> Attempts(int filter, const HistoryRecord* after,
                                                      int count) const;
    // Every text, oldest first, one at a time.
    void ForEachText(const std::function<void(const HistoryRecord&)>& visit) const;

private:
    [[nodiscard]] QString Where(int filter) const;
    [[nodiscard]] QSqlQuery Query() const;
    void AddKeyErrors(std::vector<HistoryRecord>& records) const;

    QString connection_;
    QString texts_;
    bool keyErrors_;
};
