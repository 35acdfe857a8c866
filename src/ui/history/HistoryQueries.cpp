#include "HistoryQueries.h"

#include "Evaluation.h"
#include "HistoryFailure.h"
#include "HistoryText.h"
#include "LessonCount.h"
#include "QtText.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <ctime>
#include <unordered_map>
#include <utility>

namespace {

constexpr const char* kColumns =
    "id, ended_at, lesson, qwertz, file_name, practice_of, keystrokes, correct, errors, "
    "typing_ms, average_speed, absolute_speed, error_grade, speed_grade, passed";

HistoryRecord RecordAt(const QSqlQuery& query, int first = 0) {
    HistoryRecord r;
    r.id = query.value(first).toLongLong();
    r.endedAt = query.value(first + 1).toLongLong();
    r.lesson = query.value(first + 2).toInt();
    r.qwertz = query.value(first + 3).toInt() != 0;
    r.fileName = QtText::ToPath(query.value(first + 4).toString());
    if (const QVariant practiceOf = query.value(first + 5); !practiceOf.isNull()) {
        r.practiceOf = practiceOf.toInt();
    }
    r.keystrokes = query.value(first + 6).toInt();
    r.correct = query.value(first + 7).toInt();
    r.errors = query.value(first + 8).toInt();
    r.typingMs = query.value(first + 9).toInt();
    r.averageSpeed = query.value(first + 10).toInt();
    r.absoluteSpeed = query.value(first + 11).toInt();
    r.errorGrade = query.value(first + 12).toInt();
    r.speedGrade = query.value(first + 13).toInt();
    r.passed = query.value(first + 14).toInt() != 0;
    return r;
}

// The lessons that differ between the layouts: each layout of them is a lesson of its own.
QString LayoutLessons() {
    QStringList lessons;
    for (int lesson = kFirstLesson; lesson <= kLastLesson; ++lesson) {
        if (HistoryText::LayoutMatters(lesson)) {
            lessons << QString::number(lesson);
        }
    }
    return lessons.join(QLatin1Char(','));
}

// The evaluation's expected speed of a text's lesson, as an SQL expression.
QString ExpectedSpeedOfLesson() {
    QString expression = QStringLiteral("CASE lesson");
    for (int lesson = kFirstLesson; lesson <= kLastLesson; ++lesson) {
        expression += QStringLiteral(" WHEN %1 THEN %2").arg(lesson).arg(ExpectedSpeed(lesson));
    }
    return expression + QStringLiteral(" ELSE %1 END").arg(ExpectedSpeed(-1));
}

} // namespace

HistoryQueries::HistoryQueries(QString connection, QString texts, bool keyErrors)
    : connection_(std::move(connection)), texts_(std::move(texts)), keyErrors_(keyErrors) {}

QSqlQuery HistoryQueries::Query() const {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    return query;
}

QString HistoryQueries::Where(int filter) const {
    const auto latest = static_cast<int64_t>(std::time(nullptr)) + ProgressSeries::kLatestAfterNow;
    QString where = QStringLiteral("ended_at BETWEEN %1 AND %2")
                        .arg(ProgressSeries::kEarliest)
                        .arg(latest);
    if (filter == ProgressSeries::kOwnTexts) {
        where += QStringLiteral(" AND lesson < 1");
    } else if (filter != ProgressSeries::kAllTexts) {
        where += QStringLiteral(" AND lesson = %1").arg(filter);
    }
    return where;
}

std::vector<int> HistoryQueries::Filters() const {
    QSqlQuery query = Query();
    HistoryFailure::Exec(query, QStringLiteral("SELECT DISTINCT lesson FROM %1 WHERE %2 "
                                               "ORDER BY lesson")
                                    .arg(texts_, Where(ProgressSeries::kAllTexts)));
    std::vector<int> filters{ProgressSeries::kAllTexts};
    bool ownTexts = false;
    while (query.next()) {
        const int lesson = query.value(0).toInt();
        if (lesson >= 1) {
            filters.push_back(lesson);
        } else {
            ownTexts = true;
        }
    }
    if (ownTexts) {
        filters.push_back(ProgressSeries::kOwnTexts);
    }
    return filters;
}

std::vector<LessonResult> HistoryQueries::LessonRows() const {
    // Both the best and the last attempt of each lesson and layout, in one pass over the texts.
    const QString sql =
        QStringLiteral(
            "SELECT best_rank, last_rank, attempts, layout, %1 FROM ("
            " SELECT *,"
            "  ROW_NUMBER() OVER (PARTITION BY lesson, layout ORDER BY passed DESC,"
            "   absolute_speed DESC, per_mille, ended_at DESC, id DESC) AS best_rank,"
            "  ROW_NUMBER() OVER (PARTITION BY lesson, layout ORDER BY ended_at DESC,"
            "   id DESC) AS last_rank,"
            "  COUNT(*) OVER (PARTITION BY lesson, layout) AS attempts"
            " FROM (SELECT *, CASE WHEN lesson IN (%2) THEN qwertz ELSE 0 END AS layout,"
            "  CASE WHEN keystrokes > 0 THEN errors * 1000 / keystrokes ELSE 0 END AS per_mille"
            "  FROM %3 WHERE lesson >= 1 AND %4))"
            " WHERE best_rank = 1 OR last_rank = 1 ORDER BY lesson, layout")
            .arg(QLatin1String(kColumns), LayoutLessons(), texts_,
                 Where(ProgressSeries::kAllTexts));
    QSqlQuery query = Query();
    HistoryFailure::Exec(query, sql);
    std::vector<LessonResult> rows;
    while (query.next()) {
        const HistoryRecord record = RecordAt(query, 4);
        const bool layout = query.value(3).toInt() != 0;
        if (rows.empty() || rows.back().lesson != record.lesson || rows.back().qwertz != layout) {
            rows.push_back({record.lesson, layout, {}, {}, query.value(2).toInt()});
        }
        if (query.value(0).toInt() == 1) {
            rows.back().best = record;
        }
        if (query.value(1).toInt() == 1) {
            rows.back().last = record;
        }
    }
    return rows;
}

ProgressSeries HistoryQueries::Progress(int filter, int maxPoints) const {
    ProgressSeries series;
    QSqlQuery query = Query();
    HistoryFailure::Exec(
        query, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(texts_, Where(filter)));
    if (query.next()) {
        series.attempts = query.value(0).toLongLong();
    }
    query.finish();
    if (series.attempts == 0) {
        return series;
    }
    const int64_t group = ProgressSeries::GroupSize(series.attempts, maxPoints);
    HistoryFailure::Exec(
        query,
        QStringLiteral("SELECT MIN(attempt) + 1, COUNT(*), MIN(ended_at), MAX(ended_at),"
                       " AVG(absolute_speed), SUM(errors), SUM(keystrokes), AVG(expected) FROM ("
                       " SELECT ROW_NUMBER() OVER (ORDER BY ended_at, id) - 1 AS attempt,"
                       "  ended_at, absolute_speed, errors, keystrokes, %1 AS expected"
                       " FROM %2 WHERE %3)"
                       " GROUP BY attempt / %4 ORDER BY 1")
            .arg(ExpectedSpeedOfLesson(), texts_, Where(filter))
            .arg(group));
    series.points.reserve(static_cast<std::size_t>(series.attempts / group + 1));
    while (query.next()) {
        ProgressPoint point;
        point.firstAttempt = query.value(0).toLongLong();
        point.attempts = query.value(1).toLongLong();
        point.firstEndedAt = query.value(2).toLongLong();
        point.lastEndedAt = query.value(3).toLongLong();
        point.speed = query.value(4).toDouble();
        const double keystrokes = query.value(6).toDouble();
        point.errorPercent = keystrokes > 0 ? query.value(5).toDouble() * 100.0 / keystrokes : 0.0;
        point.expectedSpeed = query.value(7).toDouble();
        series.points.push_back(point);
    }
    return series;
}

std::vector<HistoryRecord> HistoryQueries::Attempts(int filter, const HistoryRecord* after,
                                                    int count) const {
    QSqlQuery query = Query();
    QString where = Where(filter);
    if (after != nullptr) {
        where += QStringLiteral(" AND (ended_at, id) < (%1, %2)").arg(after->endedAt).arg(after->id);
    }
    HistoryFailure::Exec(query, QStringLiteral("SELECT %1 FROM %2 WHERE %3 "
                                               "ORDER BY ended_at DESC, id DESC LIMIT %4")
                                    .arg(QLatin1String(kColumns), texts_, where)
                                    .arg(count));
    std::vector<HistoryRecord> records;
    while (query.next()) {
        records.push_back(RecordAt(query));
    }
    AddKeyErrors(records);
    return records;
}

void HistoryQueries::AddKeyErrors(std::vector<HistoryRecord>& records) const {
    if (!keyErrors_ || records.empty()) {
        return;
    }
    std::unordered_map<int64_t, std::size_t> byId;
    QStringList ids;
    for (std::size_t i = 0; i < records.size(); ++i) {
        byId.emplace(records[i].id, i);
        ids << QString::number(records[i].id);
    }
    QSqlQuery query = Query();
    HistoryFailure::Exec(query, QStringLiteral("SELECT text_id, character, errors FROM key_errors "
                                               "WHERE text_id IN (%1)")
                                    .arg(ids.join(QLatin1Char(','))));
    while (query.next()) {
        const auto found = byId.find(query.value(0).toLongLong());
        const int character = query.value(1).toInt();
        if (found != byId.end() && character >= 0 && character <= 0xff) {
            records[found->second].keyErrors[static_cast<unsigned char>(character)] =
                query.value(2).toInt();
        }
    }
}

void HistoryQueries::ForEachText(const std::function<void(const HistoryRecord&)>& visit) const {
    QSqlQuery query = Query();
    HistoryFailure::Exec(query, QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY ended_at, id")
                                    .arg(QLatin1String(kColumns), texts_,
                                         Where(ProgressSeries::kAllTexts)));
    while (query.next()) {
        visit(RecordAt(query));
    }
}
