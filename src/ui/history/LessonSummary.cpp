#include "LessonSummary.h"

#include "HistoryFailure.h"
#include "HistoryQueries.h"
#include "ProgressSeries.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <ctime>

namespace {

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

QSqlQuery Prepared(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.prepare(sql)) {
        throw HistoryFailure(query.lastError());
    }
    return query;
}

HistoryRecord TextById(const QSqlDatabase& db, const QVariant& id) {
    QSqlQuery query = Prepared(db, QStringLiteral("SELECT %1 FROM texts WHERE id = ?")
                                       .arg(HistoryQueries::Columns(QString())));
    query.addBindValue(id);
    HistoryFailure::Exec(query);
    return query.next() ? HistoryQueries::RecordAt(query, 0) : HistoryRecord{};
}

void Store(const QSqlDatabase& db, const LessonResult& row) {
    QSqlQuery query = Prepared(db, QStringLiteral("INSERT OR REPLACE INTO lessons (lesson, layout, "
                                                  "attempts, best_id, last_id) "
                                                  "VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(row.lesson);
    query.addBindValue(row.qwertz ? 1 : 0);
    query.addBindValue(row.count);
    query.addBindValue(QVariant::fromValue<qlonglong>(row.best.id));
    query.addBindValue(QVariant::fromValue<qlonglong>(row.last.id));
    HistoryFailure::Exec(query);
}

} // namespace

void LessonSummary::Build(const QSqlDatabase& db) {
    for (const LessonResult& row : Fold(db, QStringLiteral("texts"))) {
        Store(db, row);
    }
}

void LessonSummary::Add(const QSqlDatabase& db, const HistoryRecord& stored) {
    if (!stored.IsLesson() || !ProgressSeries::SaneDate(stored.endedAt, Now())) {
        return;
    }
    const auto [lesson, layout] = LessonResults::Key(stored);
    QSqlQuery query = Prepared(
        db, QStringLiteral("SELECT attempts, best_id, last_id FROM lessons WHERE lesson = ? AND "
                           "layout = ?"));
    query.addBindValue(lesson);
    query.addBindValue(layout ? 1 : 0);
    HistoryFailure::Exec(query);
    LessonResult row{lesson, layout, stored, stored, 1};
    if (query.next()) {
        row.count = query.value(0).toInt() + 1;
        const HistoryRecord best = TextById(db, query.value(1));
        const HistoryRecord last = TextById(db, query.value(2));
        if (best.id != 0 && !LessonResults::IsBetter(stored, best)) {
            row.best = best;
        }
        if (last.id != 0 && !LessonResults::IsLater(stored, last)) {
            row.last = last;
        }
    }
    query.finish();
    Store(db, row);
}

std::vector<LessonResult> LessonSummary::Read(const QSqlDatabase& db) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    HistoryFailure::Exec(
        query, QStringLiteral("SELECT l.layout, l.attempts, %1, %2 FROM lessons l "
                              "JOIN texts b ON b.id = l.best_id JOIN texts t ON t.id = l.last_id "
                              "ORDER BY l.lesson, l.layout")
                   .arg(HistoryQueries::Columns(QStringLiteral("b.")),
                        HistoryQueries::Columns(QStringLiteral("t."))));
    std::vector<LessonResult> rows;
    while (query.next()) {
        LessonResult row;
        row.qwertz = query.value(0).toInt() != 0;
        row.count = query.value(1).toInt();
        row.best = HistoryQueries::RecordAt(query, 2);
        row.last = HistoryQueries::RecordAt(query, 2 + HistoryQueries::kColumnCount);
        row.lesson = row.best.lesson;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<LessonResult> LessonSummary::Fold(const QSqlDatabase& db, const QString& texts) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    HistoryFailure::Exec(query, QStringLiteral("SELECT %1 FROM %2 WHERE lesson >= 1")
                                    .arg(HistoryQueries::Columns(QString()), texts));
    const int64_t now = Now();
    LessonResults results;
    while (query.next()) {
        const HistoryRecord record = HistoryQueries::RecordAt(query, 0);
        if (ProgressSeries::SaneDate(record.endedAt, now)) {
            results.Add(record);
        }
    }
    return results.Rows();
}
