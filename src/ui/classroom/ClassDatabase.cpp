#include "ClassDatabase.h"

#include "ConnectionProbe.h"
#include "ResultJson.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

// A connection gives up after a few seconds, a broken one after ten seconds without an
// answer, and a statement the server cannot finish after fifteen: a send never hangs for
// long, and the program, which waits for a send in flight when it ends, ends soon.
constexpr const char* kConnectOptions =
    "connect_timeout=5;application_name=klaptos;tcp_user_timeout=10000;"
    "options='-c statement_timeout=15000'";

constexpr const char* kColumns =
    "id, kind, ended_at, lesson, qwertz, title, keystrokes, correct, errors, typing_ms, "
    "average_speed, absolute_speed, net_speed, error_grade, speed_grade, grade, passed, "
    "key_errors, details, minutes, rules, gross_speed, accuracy";

QSqlDatabase Database(const QString& name) {
    return QSqlDatabase::database(name, false);
}

std::string Text(const QVariant& value) {
    return value.toString().toStdString();
}

} // namespace

ClassDatabase::ClassDatabase(ClassConnection connection, QString password)
    : connection_(std::move(connection)), password_(std::move(password)),
      name_(QStringLiteral("klaptos-class-%1").arg(reinterpret_cast<quintptr>(this))) {}

ClassDatabase::~ClassDatabase() {
    Disconnect();
}

bool ClassDatabase::Connected() const {
    return QSqlDatabase::contains(name_) && Database(name_).isOpen();
}

ClassProblem ClassDatabase::Connect() {
    Disconnect();
    detail_.clear();
    // The connection goes only after every handle on it has gone.
    const ClassProblem problem = Open();
    if (problem != ClassProblem::None) {
        Disconnect();
    }
    return problem;
}

ClassProblem ClassDatabase::Open() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    if (!db.isValid()) {
        return ClassProblem::NoDriver;
    }
    db.setHostName(QString::fromStdString(connection_.server));
    db.setPort(connection_.port);
    db.setDatabaseName(QString::fromStdString(connection_.database));
    db.setUserName(QString::fromStdString(connection_.login));
    if (!password_.isEmpty()) {
        db.setPassword(password_);
    }
    db.setConnectOptions(QString::fromLatin1(kConnectOptions));
    if (!db.open()) {
        const ClassProblem problem = ConnectionProbe::Diagnose(connection_, password_, &detail_);
        if (detail_.isEmpty()) {
            detail_ = db.lastError().databaseText();
        }
        return problem;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT version FROM klaptos.schema_version")) ||
        !query.next()) {
        // No right to the schema: the login is no member of a class here.
        const ClassProblem problem = Failed(query.lastError(), ClassProblem::NotClassDatabase);
        return problem == ClassProblem::Refused ? ClassProblem::NotInClass : problem;
    }
    return query.value(0).toInt() > kSchemaVersion ? ClassProblem::NewerSchema : ClassProblem::None;
}

void ClassDatabase::Disconnect() {
    if (!QSqlDatabase::contains(name_)) {
        return;
    }
    Database(name_).close();
    QSqlDatabase::removeDatabase(name_);
}

ClassProblem ClassDatabase::Failed(const QSqlError& error, ClassProblem fallback) {
    detail_ = error.databaseText();
    // A statement on a broken connection fails without a code: it reads as unreachable.
    const ClassProblem problem = ClassProblems::OfSqlState(error.nativeErrorCode().toStdString());
    return problem == ClassProblem::Other ? fallback : problem;
}

ClassProblem ClassDatabase::Insert(const std::vector<QueuedResult>& batch) {
    QSqlDatabase db = Database(name_);
    std::vector<std::string> payloads;
    payloads.reserve(batch.size());
    for (const QueuedResult& result : batch) {
        payloads.push_back(result.payload);
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN"))) {
        return Failed(query.lastError());
    }
    // Results the server has already (sent before a kill or a broken connection) are skipped.
    query.prepare(QStringLiteral("INSERT INTO klaptos.results (%1) SELECT %1 FROM "
                                 "jsonb_populate_recordset(NULL::klaptos.results, CAST(? AS "
                                 "jsonb)) ON CONFLICT (id) DO NOTHING")
                      .arg(QLatin1String(kColumns)));
    query.addBindValue(QString::fromStdString(ResultJson::Batch(payloads)));
    if (!query.exec()) {
        const ClassProblem problem = Failed(query.lastError());
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return problem;
    }
    if (inserted_) {
        inserted_(static_cast<int>(batch.size()));
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        return Failed(query.lastError());
    }
    return ClassProblem::None;
}

ClassProblem ClassDatabase::ReadMembership(ClassMembership& membership) {
    QSqlQuery query(Database(name_));
    if (!query.exec(QStringLiteral("SELECT role, class_name FROM klaptos.membership()"))) {
        return Failed(query.lastError(), ClassProblem::NotClassDatabase);
    }
    if (!query.next()) {
        return ClassProblem::NotInClass;
    }
    // Teachers come first.
    membership.teacher = query.value(0).toString() == QStringLiteral("teacher");
    membership.className = Text(query.value(1));
    return ClassProblem::None;
}

ClassProblem ClassDatabase::ReadContents(ClassContents& contents) {
    QSqlQuery query(Database(name_));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT login, class_name FROM klaptos.class_pupils()"))) {
        return Failed(query.lastError());
    }
    while (query.next()) {
        contents.pupils.emplace_back(Text(query.value(0)), Text(query.value(1)));
    }
    if (!query.exec(QStringLiteral(
            "SELECT id, pupil, kind, extract(epoch FROM ended_at)::bigint, lesson, qwertz, title, "
            "keystrokes, correct, errors, typing_ms, average_speed, absolute_speed, net_speed, "
            "error_grade, speed_grade, grade, passed, key_errors::text, details::text, minutes, "
            "rules, gross_speed, round(accuracy * 100)::integer "
            "FROM klaptos.results ORDER BY ended_at, id"))) {
        return Failed(query.lastError());
    }
    while (query.next()) {
        const std::optional<ResultKind> kind = KindOfName(Text(query.value(2)));
        if (!kind) {
            continue; // a kind of a newer program
        }
        ClassResult r;
        r.id = Text(query.value(0));
        r.pupil = Text(query.value(1));
        r.kind = *kind;
        r.endedAt = query.value(3).toLongLong();
        r.lesson = query.value(4).toInt();
        r.qwertz = query.value(5).toBool();
        r.title = Text(query.value(6));
        r.keystrokes = query.value(7).toInt();
        r.correct = query.value(8).toInt();
        r.errors = query.value(9).toInt();
        r.typingMs = query.value(10).toInt();
        r.averageSpeed = query.value(11).toInt();
        r.absoluteSpeed = query.value(12).toInt();
        r.netSpeed = query.value(13).toInt();
        r.errorGrade = query.value(14).toInt();
        r.speedGrade = query.value(15).toInt();
        r.grade = query.value(16).toInt();
        r.passed = query.value(17).toBool();
        r.keyErrors = ResultJson::KeyErrors(query.value(18).toString());
        r.details = ResultJson::Details(query.value(19).toString());
        r.minutes = query.value(20).toInt();
        r.rules = Text(query.value(21));
        r.grossSpeed = query.value(22).toInt();
        r.accuracyHundredths = query.value(23).toInt();
        contents.results.push_back(std::move(r));
    }
    return ClassProblem::None;
}
