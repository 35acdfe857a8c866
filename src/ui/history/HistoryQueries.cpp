#include "HistoryQueries.h"

#include "CopyTestTable.h"
#include "KeyDays.h"

#include "Evaluation.h"
#include "HistoryFailure.h"
#include "HistoryText.h"
#include "LessonCount.h"
#include "LessonSummary.h"
#include "QtText.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <array>
#include <ctime>
#include <limits>
#include <unordered_map>
#include <utility>

namespace {

constexpr std::array<const char*, HistoryQueries::kColumnCount> kColumns{
    "id",          "ended_at",    "lesson", "qwertz",    "file_name",     "practice_of",
    "keystrokes",  "correct",     "errors", "typing_ms", "average_speed", "absolute_speed",
    "error_grade", "speed_grade", "passed"};

} // namespace

QString HistoryQueries::Columns(const QString& prefix) {
    QStringList columns;
    for (const char* column : kColumns) {
        columns << prefix + QLatin1String(column);
    }
    return columns.join(QStringLiteral(", "));
}

HistoryRecord HistoryQueries::RecordAt(const QSqlQuery& query, int first) {
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

namespace {

// The evaluation's expected speed of a text's lesson, as an SQL expression.
QString ExpectedSpeedOfLesson() {
    QString expression = QStringLiteral("CASE lesson");
    for (int lesson = kFirstLesson; lesson <= kLastLesson; ++lesson) {
        expression += QStringLiteral(" WHEN %1 THEN %2").arg(lesson).arg(ExpectedSpeed(lesson));
    }
    return expression + QStringLiteral(" ELSE %1 END").arg(ExpectedSpeed(-1));
}

} // namespace

HistoryQueries::HistoryQueries(QString connection, QString texts, Tables tables)
    : connection_(std::move(connection)), texts_(std::move(texts)), tables_(tables) {}

QSqlQuery HistoryQueries::Query() const {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    return query;
}

int64_t HistoryQueries::Latest() {
    return static_cast<int64_t>(std::time(nullptr)) + ProgressSeries::kLatestAfterNow;
}

QString HistoryQueries::Kind(int filter) {
    if (filter == ProgressSeries::kCopyTests) {
        return QStringLiteral("0"); // kept in a table of their own
    }
    if (filter == ProgressSeries::kOwnTexts) {
        return QStringLiteral("lesson = -1");
    }
    if (filter != ProgressSeries::kAllTexts) {
        return QStringLiteral("lesson = %1").arg(filter);
    }
    return QStringLiteral("1");
}

QString HistoryQueries::Where(int filter) const {
    return QStringLiteral("ended_at BETWEEN %1 AND %2 AND %3")
        .arg(ProgressSeries::kEarliest)
        .arg(Latest())
        .arg(Kind(filter));
}

std::vector<int> HistoryQueries::Filters() const {
    std::vector<int> filters{ProgressSeries::kAllTexts};
    bool ownTexts = false;
    QSqlQuery query = Query();
    if (tables_.lessons) {
        HistoryFailure::Exec(query, QStringLiteral("SELECT DISTINCT lesson FROM lessons ORDER BY "
                                                   "lesson"));
        while (query.next()) {
            filters.push_back(query.value(0).toInt());
        }
        HistoryFailure::Exec(query, QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2)")
                                        .arg(texts_, Where(ProgressSeries::kOwnTexts)));
        ownTexts = query.next() && query.value(0).toInt() != 0;
    } else {
        HistoryFailure::Exec(query, QStringLiteral("SELECT DISTINCT lesson FROM %1 WHERE %2 "
                                                   "ORDER BY lesson")
                                        .arg(texts_, Where(ProgressSeries::kAllTexts)));
        while (query.next()) {
            const int lesson = query.value(0).toInt();
            if (lesson >= 1) {
                filters.push_back(lesson);
            } else {
                ownTexts = true;
            }
        }
    }
    if (ownTexts) {
        filters.push_back(ProgressSeries::kOwnTexts);
    }
    if (tables_.copyTests) {
        HistoryFailure::Exec(query, QStringLiteral("SELECT EXISTS (SELECT 1 FROM copy_tests)"));
        if (query.next() && query.value(0).toInt() != 0) {
            filters.push_back(ProgressSeries::kCopyTests);
        }
    }
    return filters;
}

std::vector<CopyTestRecord> HistoryQueries::CopyTests() const {
    if (!tables_.copyTests) {
        return {};
    }
    return CopyTestTable::Read(QSqlDatabase::database(connection_, false),
                               ProgressSeries::kEarliest, Latest());
}

std::vector<KeySpeedRow> HistoryQueries::KeySpeeds() const {
    if (!tables_.keyDays) {
        return {};
    }
    return KeyDays::Read(QSqlDatabase::database(connection_, false));
}

std::vector<LessonResult> HistoryQueries::LessonRows() const {
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    return tables_.lessons ? LessonSummary::Read(db) : LessonSummary::Fold(db, texts_);
}

ProgressSeries HistoryQueries::Progress(int filter, int maxPoints) const {
    ProgressSeries series;
    const QString where = Where(filter);
    QSqlQuery query = Query();
    HistoryFailure::Exec(query,
                         QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(texts_, where));
    if (query.next()) {
        series.attempts = query.value(0).toLongLong();
    }
    query.finish();
    if (series.attempts == 0) {
        return series;
    }
    // A group of attempts runs from the first text of one group to the first of the next, in
    // order of time: each group's first text is found by stepping over the one before it along
    // an index, so that no text is numbered or sorted. The sane dates bound the steps.
    const int64_t group = ProgressSeries::GroupSize(series.attempts, maxPoints);
    const QString kind = Kind(filter);
    using Key = std::pair<qlonglong, qlonglong>; // (ended_at, id)
    constexpr qlonglong kLowest = std::numeric_limits<qlonglong>::min();
    const Key last{Latest() + 1, kLowest};
    QSqlQuery next = Query();
    HistoryFailure::Prepare(next, QStringLiteral("SELECT ended_at, id FROM %1 WHERE %2 AND "
                                                 "(ended_at, id) >= (?, ?) AND "
                                                 "(ended_at, id) < (?, ?) ORDER BY ended_at, id "
                                                 "LIMIT 1 OFFSET ?")
                                      .arg(texts_, kind));
    std::vector<Key> starts{{ProgressSeries::kEarliest, kLowest}};
    for (int64_t done = 0; done + group < series.attempts; done += group) {
        for (const qlonglong value : {starts.back().first, starts.back().second, last.first,
                                      last.second, static_cast<qlonglong>(group)}) {
            next.addBindValue(value);
        }
        HistoryFailure::Exec(next);
        if (!next.next()) {
            break;
        }
        starts.emplace_back(next.value(0).toLongLong(), next.value(1).toLongLong());
        next.finish();
    }
    QSqlQuery sums = Query();
    HistoryFailure::Prepare(
        sums, QStringLiteral("SELECT COUNT(*), MIN(ended_at), MAX(ended_at), AVG(absolute_speed),"
                             " SUM(errors), SUM(keystrokes), AVG(%1) FROM %2 WHERE %3 AND"
                             " (ended_at, id) >= (?, ?) AND (ended_at, id) < (?, ?)")
                  .arg(ExpectedSpeedOfLesson(), texts_, kind));
    series.points.reserve(starts.size());
    int64_t attempt = 1;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const Key end = i + 1 < starts.size() ? starts[i + 1] : last;
        sums.addBindValue(starts[i].first);
        sums.addBindValue(starts[i].second);
        sums.addBindValue(end.first);
        sums.addBindValue(end.second);
        HistoryFailure::Exec(sums);
        if (!sums.next() || sums.value(0).toLongLong() == 0) {
            continue;
        }
        ProgressPoint point;
        point.firstAttempt = attempt;
        point.attempts = sums.value(0).toLongLong();
        point.firstEndedAt = sums.value(1).toLongLong();
        point.lastEndedAt = sums.value(2).toLongLong();
        point.speed = sums.value(3).toDouble();
        const double keystrokes = sums.value(5).toDouble();
        point.errorPercent = keystrokes > 0 ? sums.value(4).toDouble() * 100.0 / keystrokes : 0.0;
        point.expectedSpeed = sums.value(6).toDouble();
        series.points.push_back(point);
        attempt += point.attempts;
        sums.finish();
    }
    return series;
}

std::vector<HistoryRecord> HistoryQueries::Attempts(int filter, const HistoryRecord* after,
                                                    int count) const {
    // Bounded by row values alone, so that a page starts where the last one ended in the index
    // instead of stepping over every page before it.
    QSqlQuery query = Query();
    HistoryFailure::Prepare(query, QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND "
                                                  "(ended_at, id) >= (?, ?) AND "
                                                  "(ended_at, id) < (?, ?) "
                                                  "ORDER BY ended_at DESC, id DESC LIMIT ?")
                                       .arg(Columns(QString()), texts_, Kind(filter)));
    constexpr qlonglong kLowest = std::numeric_limits<qlonglong>::min();
    query.addBindValue(QVariant::fromValue<qlonglong>(ProgressSeries::kEarliest));
    query.addBindValue(kLowest);
    query.addBindValue(
        QVariant::fromValue<qlonglong>(after != nullptr ? after->endedAt : Latest() + 1));
    query.addBindValue(after != nullptr ? QVariant::fromValue<qlonglong>(after->id)
                                        : QVariant(kLowest));
    query.addBindValue(count);
    HistoryFailure::Exec(query);
    std::vector<HistoryRecord> records;
    while (query.next()) {
        records.push_back(RecordAt(query, 0));
    }
    AddKeyErrors(records);
    return records;
}

void HistoryQueries::AddKeyErrors(std::vector<HistoryRecord>& records) const {
    if (!tables_.keyErrors || records.empty()) {
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
    HistoryFailure::Exec(query,
                         QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY ended_at, id")
                             .arg(Columns(QString()), texts_, Where(ProgressSeries::kAllTexts)));
    while (query.next()) {
        visit(RecordAt(query, 0));
    }
}
