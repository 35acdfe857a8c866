#include "CopyTestTable.h"

#include "HistoryFailure.h"
#include "QtText.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {

// The stored numbers of the enums; a value from a later program reads as the nearest known.
template <typename Enum> Enum Bounded(int value, Enum highest) {
    return static_cast<Enum>(std::clamp(value, 0, static_cast<int>(highest)));
}

} // namespace

void CopyTestTable::Insert(const QSqlDatabase& db, const CopyTestRecord& record) {
    QSqlQuery query(db);
    HistoryFailure::Prepare(
        query, QStringLiteral("INSERT INTO copy_tests (ended_at, title, minutes, rules, gross, "
                              "errors, penalty, net, net_per_minute, error_rate, grade, "
                              "grade_limit) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const CopyTestResult& r = record.result;
    query.addBindValue(QVariant::fromValue<qlonglong>(record.endedAt));
    query.addBindValue(QtText::FromCp1250(r.title));
    for (const int value :
         {r.minutes, static_cast<int>(r.rules), r.gross, r.errors, r.penalty, r.net, r.netPerMinute,
          r.errorRateHundredths, static_cast<int>(r.grade) + 1, static_cast<int>(r.limit)}) {
        query.addBindValue(value);
    }
    HistoryFailure::Exec(query);
}

std::vector<CopyTestRecord> CopyTestTable::Read(const QSqlDatabase& db, int64_t earliest,
                                                int64_t latest) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    HistoryFailure::Prepare(
        query, QStringLiteral("SELECT id, ended_at, title, minutes, rules, gross, errors, "
                              "penalty, net, net_per_minute, error_rate, grade, grade_limit "
                              "FROM copy_tests WHERE ended_at BETWEEN ? AND ? "
                              "ORDER BY ended_at, id"));
    query.addBindValue(QVariant::fromValue<qlonglong>(earliest));
    query.addBindValue(QVariant::fromValue<qlonglong>(latest));
    HistoryFailure::Exec(query);
    std::vector<CopyTestRecord> records;
    while (query.next()) {
        CopyTestRecord record;
        record.id = query.value(0).toLongLong();
        record.endedAt = query.value(1).toLongLong();
        CopyTestResult& r = record.result;
        r.title = QtText::ToCp1250(query.value(2).toString());
        r.minutes = query.value(3).toInt();
        r.rules = Bounded(query.value(4).toInt(), CopyRules::Competition);
        r.gross = query.value(5).toInt();
        r.errors = query.value(6).toInt();
        r.penalty = query.value(7).toInt();
        r.net = query.value(8).toInt();
        r.netPerMinute = query.value(9).toInt();
        r.errorRateHundredths = query.value(10).toInt();
        r.grade = Bounded(query.value(11).toInt() - 1, CopyGrade::Failed);
        r.limit = Bounded(query.value(12).toInt(), GradeLimit::SpeedAndErrors);
        records.push_back(std::move(record));
    }
    return records;
}
