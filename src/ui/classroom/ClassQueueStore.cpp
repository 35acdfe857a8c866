#include "ClassQueueStore.h"

#include "HistoryDatabase.h"
#include "HistoryFailure.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

ClassQueueStore::ClassQueueStore(std::string dataDir, Reporter& reporter)
    : dataDir_(std::move(dataDir)), reporter_(reporter),
      connection_(QStringLiteral("klaptos-class-queue-%1").arg(reinterpret_cast<quintptr>(this))) {}

ClassQueueStore::~ClassQueueStore() {
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool ClassQueueStore::IsKept() {
    if (open_) {
        return true;
    }
    // The history's own opening makes the file, mends or moves aside what it must and brings
    // the tables up to date; the queue then keeps a connection of its own.
    QString path;
    try {
        HistoryDatabase history(dataDir_, reporter_, {}, kBusyTimeoutMs);
        if (history.Open() != HistoryDatabase::Access::ReadWrite) {
            return false;
        }
        path = history.Path();
    } catch (const HistoryFailure&) {
        return false; // locked by another program: asked again with the next result or round
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    open_ = db.open();
    return open_;
}

bool ClassQueueStore::Add(const QueuedResult& result) {
    if (!IsKept()) {
        return false;
    }
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO class_queue (id, queued_at, payload) VALUES (?, ?, ?)"));
    query.addBindValue(QString::fromStdString(result.id));
    query.addBindValue(QDateTime::currentSecsSinceEpoch());
    query.addBindValue(QString::fromStdString(result.payload));
    return query.exec();
}

std::vector<QueuedResult> ClassQueueStore::Oldest(int count) {
    std::vector<QueuedResult> results;
    if (!IsKept()) {
        return results;
    }
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, payload FROM class_queue ORDER BY seq LIMIT ?"));
    query.addBindValue(count);
    if (!query.exec()) {
        return results;
    }
    while (query.next()) {
        results.push_back(
            {query.value(0).toString().toStdString(), query.value(1).toString().toStdString()});
    }
    return results;
}

bool ClassQueueStore::Remove(const std::vector<std::string>& ids) {
    if (!IsKept()) {
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM class_queue WHERE id = ?"));
    for (const std::string& id : ids) {
        query.addBindValue(QString::fromStdString(id));
        if (!query.exec()) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

int ClassQueueStore::Count() {
    if (!IsKept()) {
        return 0;
    }
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM class_queue")) || !query.next()) {
        return 0;
    }
    return query.value(0).toInt();
}
