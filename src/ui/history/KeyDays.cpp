#include "KeyDays.h"

#include "HistoryFailure.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

void KeyDays::Add(const QSqlDatabase& db, const KeyDayRecord& record) {
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral(
            "INSERT INTO key_days (day, qwertz, character, occurrences, errors, timed, "
            "ms_per_press) VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT (day, qwertz, character) DO "
            "UPDATE SET occurrences = occurrences + excluded.occurrences, errors = errors + "
            "excluded.errors, timed = timed + excluded.timed, ms_per_press = ms_per_press + "
            "excluded.ms_per_press"))) {
        throw HistoryFailure(query.lastError());
    }
    for (const KeyTotal& key : record.keys) {
        query.addBindValue(record.day);
        query.addBindValue(record.qwertz ? 1 : 0);
        query.addBindValue(static_cast<int>(key.character));
        query.addBindValue(key.occurrences);
        query.addBindValue(key.errors);
        query.addBindValue(key.timed);
        query.addBindValue(key.msPerPressSum);
        HistoryFailure::Exec(query);
    }
}

std::vector<KeySpeedRow> KeyDays::Read(const QSqlDatabase& db) {
    QSqlQuery query(db);
    HistoryFailure::Exec(
        query, QStringLiteral("SELECT qwertz, character, SUM(occurrences), SUM(errors), "
                              "SUM(timed), SUM(ms_per_press) FROM key_days "
                              "GROUP BY qwertz, character ORDER BY qwertz DESC, character"));
    std::vector<KeySpeedRow> rows;
    while (query.next()) {
        KeySpeedRow row;
        row.qwertz = query.value(0).toInt() != 0;
        row.character = static_cast<unsigned char>(query.value(1).toInt());
        row.occurrences = query.value(2).toInt();
        const int errors = query.value(3).toInt();
        const int timed = query.value(4).toInt();
        const double ms = query.value(5).toDouble();
        row.speed = ms > 0 ? 60000.0 * timed / ms : 0;
        row.errorRate = row.occurrences > 0 ? static_cast<double>(errors) / row.occurrences : 0;
        rows.push_back(row);
    }
    return rows;
}
