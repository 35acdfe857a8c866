#include "HistoryDatabase.h"

#include "CopyTestTable.h"
#include "HistoryFailure.h"
#include "HistoryRecord.h"
#include "HistorySchema.h"
#include "KeyDays.h"
#include "LessonSummary.h"
#include "QtText.h"
#include "Reporter.h"
#include "SqlTransaction.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QUrl>
#include <QVariant>

#include <utility>

namespace {

// Less room than this left on the disk: a write that failed found it full.
constexpr int64_t kNearlyFullBytes = 1024 * 1024;

int64_t AvailableBytes(const QString& folder) {
    const QStorageInfo storage(folder);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

constexpr const char* kInsertText =
    "INSERT INTO texts (ended_at, lesson, qwertz, file_name, practice_of, keystrokes, correct, "
    "errors, typing_ms, average_speed, absolute_speed, error_grade, speed_grade, passed) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

} // namespace

HistoryDatabase::HistoryDatabase(std::string dataDir, Reporter& reporter, FreeSpace freeSpace,
                                 int busyTimeoutMs)
    : dataDir_(QtText::FromPath(dataDir)), reporter_(reporter),
      freeSpace_(freeSpace ? std::move(freeSpace) : FreeSpace(AvailableBytes)),
      busyTimeoutMs_(busyTimeoutMs),
      connection_(QStringLiteral("klaptos-history-%1").arg(reinterpret_cast<quintptr>(this))) {}

HistoryDatabase::~HistoryDatabase() {
    Close();
}

QString HistoryDatabase::Path() const {
    return QDir(dataDir_).filePath(QString::fromLatin1(kFileName));
}

HistoryDatabase::Access HistoryDatabase::Open() {
    if (access_ != Access::None) {
        return access_;
    }
    const QFileInfo file(Path());
    if (file.isDir()) {
        Tell(HistoryProblem::Directory);
        return Access::None;
    }
    // A pipe or a device would block or swallow what SQLite writes.
    if (file.exists() && !file.isFile()) {
        Tell(HistoryProblem::NotAFile);
        return Access::None;
    }
    if (!QDir().mkpath(dataDir_)) {
        Tell(HistoryProblem::NoFolder);
        return Access::None;
    }
    const bool writable = QFileInfo(dataDir_).isWritable() && (!file.exists() || file.isWritable());
    if (!writable && !file.exists()) {
        Tell(HistoryProblem::ReadOnly);
        return Access::None;
    }
    access_ = writable ? OpenReadWrite() : OpenReadOnly();
    return access_;
}

HistoryDatabase::Access HistoryDatabase::OpenReadWrite() {
    try {
        const std::optional<int> version =
            Connect(Path(), QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
        if (!version) {
            return Access::None;
        }
        QSqlQuery query(QSqlDatabase::database(connection_, false));
        // The errors per character go with their text only where the connection asks for it.
        HistoryFailure::Exec(query, QStringLiteral("PRAGMA foreign_keys=ON"));
        // The write-ahead log keeps every committed text when the program is killed, and a
        // commit costs one append instead of a rewrite of the journal. NORMAL synchronisation
        // survives a crash of the program; only a power cut may lose the last texts.
        HistoryFailure::Exec(query, QStringLiteral("PRAGMA journal_mode=WAL"));
        HistoryFailure::Exec(query, QStringLiteral("PRAGMA synchronous=NORMAL"));
        query.finish();
        HistorySchema::Migrate(QSqlDatabase::database(connection_, false), *version);
    } catch (const HistoryFailure& failure) {
        Close();
        if (failure.Locked()) {
            throw;
        }
        if (!failure.Damaged()) {
            Fail(failure);
            return Access::None;
        }
        // A damaged file stays for whoever may rescue it; a new history begins beside it.
        const QString aside = movedAside_ ? QString() : MoveAside();
        if (aside.isEmpty()) {
            Tell(HistoryProblem::Damaged);
            return Access::None;
        }
        movedAside_ = true;
        const Access access = OpenReadWrite();
        if (access == Access::ReadWrite) {
            reporter_.ReportErrorWithHelp(
                HistoryMessage::MovedAside(QFileInfo(aside).fileName().toStdString(),
                                           Path().toStdString()),
                HistoryMessage::kHelpTopic, HistoryMessage::HelpTitle());
        }
        return access;
    }
    queries_.emplace(connection_, HistorySchema::TextsSource(HistorySchema::kVersion),
                     HistoryQueries::Tables{.keyErrors = true, .lessons = true, .copyTests = true,
                                            .keyDays = true});
    return Access::ReadWrite;
}

HistoryDatabase::Access HistoryDatabase::OpenReadOnly() {
    // A journal left by a program that ended abruptly holds texts the file itself lacks, and
    // reading it takes SQLite's shared memory file beside it. Without one the file is read as
    // it stands, with nothing made in a folder that is not ours to change.
    const bool journal = QFileInfo(Path() + QStringLiteral("-wal")).size() > 0;
    const QString readOnly =
        QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_);
    std::optional<int> version;
    try {
        bool connected = false;
        if (journal) {
            try {
                version = Connect(Path(), readOnly);
                connected = true;
            } catch (const HistoryFailure& failure) {
                if (failure.Locked()) {
                    throw;
                }
                // The shared memory file cannot be made: the file alone is read.
            }
        }
        if (!connected) {
            version = Connect(QUrl::fromLocalFile(Path()).toString(QUrl::FullyEncoded) +
                                  QStringLiteral("?immutable=1"),
                              readOnly + QStringLiteral(";QSQLITE_OPEN_URI"));
        }
    } catch (const HistoryFailure& failure) {
        if (failure.Locked()) {
            throw;
        }
        if (failure.Damaged()) {
            Tell(HistoryProblem::Damaged);
        } else {
            Fail(failure);
        }
        return Access::None;
    }
    if (!version) {
        return Access::None;
    }
    if (*version > 0) {
        queries_.emplace(
            connection_, HistorySchema::TextsSource(*version),
            HistoryQueries::Tables{.keyErrors = HistorySchema::HasKeyErrors(*version),
                                   .lessons = HistorySchema::HasLessons(*version),
                                   .copyTests = HistorySchema::HasCopyTests(*version),
                                   .keyDays = HistorySchema::HasKeyDays(*version)});
    }
    Tell(HistoryProblem::ReadOnly);
    return Access::ReadOnly;
}

std::optional<int> HistoryDatabase::Connect(const QString& name, const QString& options) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        if (!db.isValid()) {
            db = QSqlDatabase();
            Close();
            Tell(HistoryProblem::NoDriver);
            return std::nullopt;
        }
        db.setDatabaseName(name);
        db.setConnectOptions(options);
        if (!db.open()) {
            const HistoryFailure failure(db.lastError());
            db = QSqlDatabase();
            Close();
            throw failure;
        }
    }
    int version = 0;
    try {
        version = ReadVersion();
    } catch (const HistoryFailure&) {
        Close();
        throw;
    }
    if (!HistorySchema::Knows(version)) {
        Close();
        Tell(HistoryProblem::UnknownVersion, QString::number(version));
        return std::nullopt;
    }
    return version;
}

int HistoryDatabase::ReadVersion() {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    HistoryFailure::Exec(query, QStringLiteral("PRAGMA user_version"));
    if (!query.next()) {
        throw HistoryFailure(query.lastError());
    }
    return query.value(0).toInt();
}

void HistoryDatabase::Close() {
    queries_.reset();
    access_ = Access::None;
    if (!QSqlDatabase::contains(connection_)) {
        return;
    }
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

QString HistoryDatabase::MoveAside() {
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

void HistoryDatabase::Record(const HistoryRecord& record) {
    // One transaction per text: it is kept whole or not at all.
    Write([&record](const QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.prepare(QString::fromLatin1(kInsertText))) {
            throw HistoryFailure(query.lastError());
        }
        query.addBindValue(QVariant::fromValue<qlonglong>(record.endedAt));
        query.addBindValue(record.lesson);
        query.addBindValue(record.qwertz ? 1 : 0);
        query.addBindValue(QtText::FromPath(record.fileName));
        query.addBindValue(record.practiceOf ? QVariant(*record.practiceOf)
                                             : QVariant(QMetaType::fromType<int>()));
        query.addBindValue(record.keystrokes);
        query.addBindValue(record.correct);
        query.addBindValue(record.errors);
        query.addBindValue(record.typingMs);
        query.addBindValue(record.averageSpeed);
        query.addBindValue(record.absoluteSpeed);
        query.addBindValue(record.errorGrade);
        query.addBindValue(record.speedGrade);
        query.addBindValue(record.passed ? 1 : 0);
        HistoryFailure::Exec(query);
        HistoryRecord stored = record;
        stored.id = query.lastInsertId().toLongLong();
        if (!record.keyErrors.empty()) {
            const QVariant textId = query.lastInsertId();
            if (!query.prepare(QStringLiteral(
                    "INSERT INTO key_errors (text_id, character, errors) VALUES (?, ?, ?)"))) {
                throw HistoryFailure(query.lastError());
            }
            for (const auto& [character, errors] : record.keyErrors) {
                query.addBindValue(textId);
                query.addBindValue(static_cast<int>(character));
                query.addBindValue(errors);
                HistoryFailure::Exec(query);
            }
        }
        LessonSummary::Add(db, stored);
    });
}

void HistoryDatabase::RecordCopyTest(const CopyTestRecord& record) {
    Write([&record](const QSqlDatabase& db) { CopyTestTable::Insert(db, record); });
}

void HistoryDatabase::Write(const std::function<void(const QSqlDatabase& db)>& write) {
    if (Open() != Access::ReadWrite) {
        return;
    }
    try {
        const QSqlDatabase db = QSqlDatabase::database(connection_, false);
        SqlTransaction transaction(db);
        write(db);
        transaction.Commit();
    } catch (const HistoryFailure& failure) {
        if (failure.Locked()) {
            throw;
        }
        Fail(failure);
    }
}

void HistoryDatabase::RecordKeys(const KeyDayRecord& record) {
    if (Open() != Access::ReadWrite) {
        return;
    }
    try {
        const QSqlDatabase db = QSqlDatabase::database(connection_, false);
        SqlTransaction transaction(db);
        KeyDays::Add(db, record);
        transaction.Commit();
    } catch (const HistoryFailure& failure) {
        if (failure.Locked()) {
            throw;
        }
        Fail(failure);
    }
}

const HistoryQueries* HistoryDatabase::Queries() {
    if (Open() == Access::None || !queries_) {
        return nullptr;
    }
    return &*queries_;
}

void HistoryDatabase::Fail(const HistoryFailure& failure) {
    const HistoryProblem problem = HistoryMessage::OfSqliteCode(failure.Code(), DiskFull());
    if (problem == HistoryProblem::ReadOnly && access_ == Access::ReadWrite) {
        access_ = Access::ReadOnly; // a file system mounted read-only: the history is shown
    }
    Tell(problem, failure.Words());
}

void HistoryDatabase::TellLocked() {
    Tell(HistoryProblem::Locked);
}

void HistoryDatabase::TellUnexpected(const std::string& what) {
    Tell(HistoryProblem::Other, QString::fromStdString(what));
}

void HistoryDatabase::Tell(HistoryProblem problem, const QString& detail) {
    if (!told_.insert(problem).second) {
        return;
    }
    reporter_.ReportErrorWithHelp(
        HistoryMessage::Text(problem, Path().toStdString(), detail.toStdString()),
        HistoryMessage::kHelpTopic, HistoryMessage::HelpTitle());
}

bool HistoryDatabase::DiskFull() const {
    const int64_t available = freeSpace_(dataDir_);
    return available >= 0 && available < kNearlyFullBytes;
}
