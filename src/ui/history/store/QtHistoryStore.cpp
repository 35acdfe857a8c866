#include "QtHistoryStore.h"

#include "QtText.h"
#include "Reporter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <unordered_map>

namespace {

// SQLite's primary result codes, as Qt SQL passes them in nativeErrorCode().
constexpr int kSqlitePerm = 3;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

int PrimaryCode(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : 0;
}

bool IsDamage(const QSqlError& error) {
    const int code = PrimaryCode(error);
    return code == kSqliteCorrupt || code == kSqliteNotADatabase;
}

constexpr const char* kColumns =
    "ended_at, lesson, qwertz, file_name, keystrokes, correct, errors, typing_ms, "
    "average_speed, absolute_speed, error_grade, speed_grade, passed";

} // namespace

QtHistoryStore::QtHistoryStore(std::string dataDir, Reporter& reporter)
    : dataDir_(QtText::FromPath(dataDir)), reporter_(reporter),
      connection_(QStringLiteral("klaptos-history-%1").arg(reinterpret_cast<quintptr>(this))) {}

QtHistoryStore::~QtHistoryStore() {
    Close();
}

QString QtHistoryStore::Path() const {
    return QDir(dataDir_).filePath(QString::fromLatin1(kFileName));
}

bool QtHistoryStore::IsKept() {
    if (open_) {
        return true;
    }
    QString reason;
    Outcome outcome = TryOpen(reason);
    if (outcome == Outcome::Damaged) {
        Close();
        const QString aside = MoveAside();
        if (aside.isEmpty()) {
            outcome = Outcome::Failed;
            reason = QString::fromUtf8("soubor historie je poškozený a nelze ho přejmenovat");
        } else {
            outcome = TryOpen(reason);
            if (outcome == Outcome::Open) {
                ReportOnce(QString::fromUtf8("Soubor historie psaní byl poškozený. Zůstal uložen "
                                             "jako „%1“ a začíná nová historie.\r\n%2")
                               .arg(QFileInfo(aside).fileName(), Path()));
            } else if (outcome == Outcome::Damaged) {
                outcome = Outcome::Failed;
            }
        }
    }
    if (outcome == Outcome::Failed) {
        Close();
        ReportOnce(
            QString::fromUtf8("Historie psaní se nezaznamenává: %1.\r\n%2").arg(reason, Path()));
        return false;
    }
    open_ = true;
    return true;
}

QtHistoryStore::Outcome QtHistoryStore::TryOpen(QString& reason) {
    const QFileInfo file(Path());
    if (file.isDir()) {
        reason = QString::fromUtf8("místo souboru historie je složka");
        return Outcome::Failed;
    }
    if (!QDir().mkpath(dataDir_)) {
        reason = QString::fromUtf8("nelze vytvořit složku pro data");
        return Outcome::Failed;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid()) {
        reason = QString::fromUtf8("chybí ovladač SQLite pro Qt");
        return Outcome::Failed;
    }
    db.setDatabaseName(Path());
    // Another Klaptos writing the same history waits a moment instead of failing.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        reason = Reason(db.lastError());
        return Outcome::Failed;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        reason = Reason(query.lastError());
        return IsDamage(query.lastError()) ? Outcome::Damaged : Outcome::Failed;
    }
    const int version = query.value(0).toInt();
    query.finish();
    if (version > kSchemaVersion) {
        reason = QString::fromUtf8("historii zapsala novější verze programu");
        return Outcome::Failed;
    }
    // The write-ahead log keeps every committed text when the program is killed, and a
    // commit costs one append instead of a rewrite of the journal. NORMAL synchronisation
    // survives a crash of the program; only a power cut may lose the last texts.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"))) {
        reason = Reason(query.lastError());
        return IsDamage(query.lastError()) ? Outcome::Damaged : Outcome::Failed;
    }
    QSqlError error;
    if (!Migrate(version, error)) {
        reason = Reason(error);
        return IsDamage(error) ? Outcome::Damaged : Outcome::Failed;
    }
    return Outcome::Open;
}

bool QtHistoryStore::Migrate(int version, QSqlError& error) {
    if (version == kSchemaVersion) {
        return true;
    }
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    // Each step takes the schema one version on, all in one transaction with the new number.
    const std::array<QStringList, kSchemaVersion> steps{
        QStringList{
            QStringLiteral("CREATE TABLE texts ("
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
                           "passed INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX texts_by_lesson ON texts (lesson, qwertz, ended_at)"),
        },
        // Version 2: the wrong keystrokes of a text by the character expected (a code page
        // 1250 byte, Enter 10), one row per character with errors.
        QStringList{
            QStringLiteral("CREATE TABLE key_errors ("
                           "text_id INTEGER NOT NULL REFERENCES texts(id) ON DELETE CASCADE,"
                           "character INTEGER NOT NULL,"
                           "errors INTEGER NOT NULL,"
                           "PRIMARY KEY (text_id, character)) WITHOUT ROWID"),
        },
        // Version 3: results waiting for the class database (ClassQueueStore), each under the
        // UUID the server knows it by, in the order they were queued.
        QStringList{
            QStringLiteral("CREATE TABLE class_queue ("
                           "seq INTEGER PRIMARY KEY,"
                           "id TEXT NOT NULL UNIQUE,"
                           "queued_at INTEGER NOT NULL," // seconds since 1970 UTC
                           "payload TEXT NOT NULL)"),    // the result as JSON
        },
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        error = query.lastError();
        return false;
    }
    // Another connection (the class queue's, another Klaptos) may have brought the file on
    // while this one waited for the lock.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    version = query.value(0).toInt();
    query.finish();
    if (version >= kSchemaVersion) {
        query.exec(QStringLiteral("ROLLBACK"));
        return true;
    }
    for (int step = version; step < kSchemaVersion; ++step) {
        for (const QString& statement : steps.at(static_cast<size_t>(step))) {
            if (!query.exec(statement)) {
                error = query.lastError();
                query.exec(QStringLiteral("ROLLBACK"));
                return false;
            }
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion)) ||
        !query.exec(QStringLiteral("COMMIT"))) {
        error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

void QtHistoryStore::Close() {
    open_ = false;
    if (!QSqlDatabase::contains(connection_)) {
        return;
    }
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

QString QtHistoryStore::MoveAside() {
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString aside = Path() + QStringLiteral(".poskozena-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside =
            Path() + QStringLiteral(".poskozena-") + stamp + QLatin1Char('-') + QString::number(n);
    }
    if (!QFile::rename(Path(), aside)) {
        return {};
    }
    // A journal belongs to the damaged file, never to the new one.
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString journal = Path() + QLatin1String(suffix);
        if (QFileInfo::exists(journal)) {
            QFile::rename(journal, aside + QLatin1String(suffix));
        }
    }
    return aside;
}

void QtHistoryStore::ReportOnce(const QString& message) {
    if (reported_) {
        return;
    }
    reported_ = true;
    reporter_.ReportError(QtText::ToCp1250(message));
}

QString QtHistoryStore::Reason(const QSqlError& error) const {
    switch (PrimaryCode(error)) {
    case kSqliteBusy:
    case kSqliteLocked:
        return QString::fromUtf8("soubor historie má zamčený jiný program");
    case kSqlitePerm:
    case kSqliteReadOnly:
        return QString::fromUtf8("soubor historie nebo jeho složka je jen pro čtení");
    case kSqliteFull:
        return QString::fromUtf8("disk je plný");
    case kSqliteCantOpen:
        if (!QFileInfo(dataDir_).isWritable() ||
            (QFileInfo::exists(Path()) && !QFileInfo(Path()).isWritable())) {
            return QString::fromUtf8("soubor historie nebo jeho složka je jen pro čtení");
        }
        return QString::fromUtf8("soubor historie nelze otevřít");
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
        return QString::fromUtf8("soubor historie je poškozený");
    default:
        return QString::fromUtf8("chyba databáze (%1)").arg(error.text());
    }
}

void QtHistoryStore::Record(const HistoryRecord& record) {
    if (!IsKept()) {
        return;
    }
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery query(db);
    // One transaction per text: it is kept whole or not at all.
    bool ok = query.exec(QStringLiteral("BEGIN IMMEDIATE"));
    if (ok) {
        ok = query.prepare(QStringLiteral("INSERT INTO texts (%1) VALUES "
                                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                               .arg(QLatin1String(kColumns)));
    }
    if (ok) {
        query.addBindValue(QVariant::fromValue<qlonglong>(record.endedAt));
        query.addBindValue(record.lesson);
        query.addBindValue(record.qwertz ? 1 : 0);
        query.addBindValue(QtText::FromPath(record.fileName));
        query.addBindValue(record.keystrokes);
        query.addBindValue(record.correct);
        query.addBindValue(record.errors);
        query.addBindValue(record.typingMs);
        query.addBindValue(record.averageSpeed);
        query.addBindValue(record.absoluteSpeed);
        query.addBindValue(record.errorGrade);
        query.addBindValue(record.speedGrade);
        query.addBindValue(record.passed ? 1 : 0);
        ok = query.exec();
    }
    if (ok && !record.keyErrors.empty()) {
        const QVariant textId = query.lastInsertId();
        ok = query.prepare(
            QStringLiteral("INSERT INTO key_errors (text_id, character, errors) VALUES (?, ?, ?)"));
        for (auto it = record.keyErrors.begin(); ok && it != record.keyErrors.end(); ++it) {
            query.addBindValue(textId);
            query.addBindValue(static_cast<int>(it->first));
            query.addBindValue(it->second);
            ok = query.exec();
        }
    }
    QSqlError error = query.lastError();
    if (ok && !query.exec(QStringLiteral("COMMIT"))) {
        ok = false;
        error = query.lastError();
    }
    if (!ok) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        ReportOnce(QString::fromUtf8("Historie psaní se nezaznamenává: %1.\r\n%2")
                       .arg(Reason(error), Path()));
    }
}

std::vector<HistoryRecord> QtHistoryStore::Records() {
    std::vector<HistoryRecord> records;
    if (!IsKept()) {
        return records;
    }
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, %1 FROM texts ORDER BY ended_at, id")
                        .arg(QLatin1String(kColumns)))) {
        return records;
    }
    while (query.next()) {
        HistoryRecord r;
        r.id = query.value(0).toLongLong();
        r.endedAt = query.value(1).toLongLong();
        r.lesson = query.value(2).toInt();
        r.qwertz = query.value(3).toInt() != 0;
        r.fileName = QtText::ToPath(query.value(4).toString());
        r.keystrokes = query.value(5).toInt();
        r.correct = query.value(6).toInt();
        r.errors = query.value(7).toInt();
        r.typingMs = query.value(8).toInt();
        r.averageSpeed = query.value(9).toInt();
        r.absoluteSpeed = query.value(10).toInt();
        r.errorGrade = query.value(11).toInt();
        r.speedGrade = query.value(12).toInt();
        r.passed = query.value(13).toInt() != 0;
        records.push_back(std::move(r));
    }
    // The counts per character follow in one pass, each to its text by row number.
    std::unordered_map<int64_t, size_t> byId;
    byId.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        byId.emplace(records[i].id, i);
    }
    if (query.exec(QStringLiteral("SELECT text_id, character, errors FROM key_errors"))) {
        while (query.next()) {
            const auto found = byId.find(query.value(0).toLongLong());
            const int character = query.value(1).toInt();
            if (found != byId.end() && character >= 0 && character <= 0xff) {
                records[found->second].keyErrors[static_cast<unsigned char>(character)] =
                    query.value(2).toInt();
            }
        }
    }
    return records;
}
