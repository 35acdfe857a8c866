// The class database on a real PostgreSQL server: the teacher's command makes the class and
// can run again, a connection that fails names its reason, and the sender stores each result
// exactly once, keeps what the server cannot take (a full disk, a stopped server) across a
// restart of the program, tells a problem once, and is refused where a login has no right.

#include "ClassCommand.h"
#include "ClassResult.h"
#include "ClassSender.h"
#include "CopyTestResult.h"
#include "JoinDialog.h"
#include "ResultJson.h"
#include "TestPostgres.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>

namespace {

const QString kSqlFile = QStringLiteral(KLAPTOS_SOURCE_DIR "/data/klaptos-trida.sql");

ClassResult Result(const char* id, int lesson) {
    ClassResult result;
    result.id = id;
    result.kind = ResultKind::Lesson;
    result.endedAt = 1765188000 + lesson;
    result.lesson = lesson;
    result.qwertz = true;
    result.keystrokes = 300;
    result.correct = 296;
    result.errors = 4;
    result.typingMs = 120000;
    result.averageSpeed = 150;
    result.absoluteSpeed = 148;
    result.errorGrade = 2;
    result.speedGrade = 1;
    result.passed = true;
    result.keyErrors = {{"ř", 3}, {"\n", 1}};
    return result;
}

// Waits for the sender's next answer; its problem, or -1 when none came.
int NextAnswer(QSignalSpy& finished, int* waiting = nullptr) {
    if (finished.isEmpty() && !finished.wait(30000)) {
        return -1;
    }
    const QList<QVariant> answer = finished.takeFirst();
    if (waiting != nullptr) {
        *waiting = answer.at(2).toInt();
    }
    return answer.at(0).toInt();
}

} // namespace

class ClassDatabaseQtTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestPostgres> server_;
    QMap<QString, QString> passwords_;
    QTemporaryDir home_;

    int CreateClass(const QStringList& args, QString& output) {
        qputenv("PGHOST", server_->SocketDir().toLocal8Bit());
        qputenv("PGPORT", QByteArray::number(TestPostgres::kPort));
        qputenv("PGUSER", TestPostgres::kAdmin);
        qputenv("PGPASSWORD", TestPostgres::kAdminPassword);
        qputenv("PGDATABASE", "klaptos");
        QString errors;
        QTextStream out(&output);
        QTextStream err(&errors);
        const int code = ClassCommand::Run(args, kSqlFile, out, err);
        for (const char* name : {"PGHOST", "PGPORT", "PGUSER", "PGPASSWORD", "PGDATABASE"}) {
            qunsetenv(name);
        }
        output += errors;
        return code;
    }

    [[nodiscard]] ClassConnection Login(const QString& login) const {
        ClassConnection connection;
        connection.server = server_->SocketDir().toStdString();
        connection.port = TestPostgres::kPort;
        connection.database = "klaptos";
        connection.login = login.toStdString();
        return connection;
    }

    [[nodiscard]] int Stored() const {
        QString count;
        server_->Psql(QStringLiteral("SELECT count(*) FROM klaptos.results"), "klaptos", &count);
        return count.toInt();
    }

private slots:
    void initTestCase() {
        // No password file of the machine's user takes part.
        qputenv("PGPASSFILE", home_.filePath(QStringLiteral("pgpass")).toLocal8Bit());
        server_ = std::make_unique<TestPostgres>();
        QVERIFY2(server_->Ready(), qPrintable(server_->Log()));
        QString output;
        QCOMPARE(CreateClass({QStringLiteral("--create-class"), QStringLiteral("7.A"),
                              QStringLiteral("--teacher"), QStringLiteral("novakova"),
                              QStringLiteral("--pupils"), QStringLiteral("eva,jan")},
                             output),
                 0);
        const QRegularExpression line(QStringLiteral("^  \\S+\\s+(\\S+)\\s+heslo: (\\S+)$"),
                                      QRegularExpression::MultilineOption);
        for (auto it = line.globalMatch(output); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            passwords_[match.captured(1)] = match.captured(2);
        }
        QCOMPARE(passwords_.keys(), (QStringList{QStringLiteral("eva"), QStringLiteral("jan"),
                                                 QStringLiteral("novakova")}));
    }

    void theCommandAddsPupilsLaterAndKeepsTheOthersPasswords() {
        QString output;
        QCOMPARE(CreateClass({QStringLiteral("--create-class"), QStringLiteral("7.A"),
                              QStringLiteral("--teacher"), QStringLiteral("novakova"),
                              QStringLiteral("--pupils"), QStringLiteral("eva,ota")},
                             output),
                 0);
        QVERIFY2(output.contains(QRegularExpression(QString::fromUtf8("eva\\s+heslo beze změny"))),
                 qPrintable(output));
        QVERIFY(output.contains(QRegularExpression(QStringLiteral("ota\\s+heslo: \\S{10}"))));
        QVERIFY(server_->Client(QStringLiteral("eva"), passwords_[QStringLiteral("eva")],
                                QStringLiteral("SELECT 1")));

        // A pupil's login cannot become the class's teacher, and nothing half-made remains.
        QCOMPARE(CreateClass({QStringLiteral("--create-class"), QStringLiteral("8.B"),
                              QStringLiteral("--teacher"), QStringLiteral("eva"),
                              QStringLiteral("--pupils"), QStringLiteral("nikdo")},
                             output),
                 2);
        QString found;
        server_->Psql(QStringLiteral("SELECT count(*) FROM pg_roles WHERE rolname = 'nikdo'"),
                      "klaptos", &found);
        QCOMPARE(found, QStringLiteral("0"));
    }

    void aConnectionThatFailsNamesItsReason() {
        server_->Psql(QStringLiteral("CREATE DATABASE jina"), "postgres");
        server_->Psql(QStringLiteral("CREATE ROLE cizi LOGIN PASSWORD 'cizi-heslo'"));
        const QString eva = passwords_[QStringLiteral("eva")];
        const auto problem = [](const ClassConnection& connection, const QString& password) {
            return JoinDialog::TestConnection(connection, password).problem;
        };

        const JoinAnswer pupil = JoinDialog::TestConnection(Login(QStringLiteral("eva")), eva);
        QCOMPARE(pupil.problem, ClassProblem::None);
        QVERIFY(!pupil.membership.teacher);
        QCOMPARE(pupil.membership.className, std::string("7.A"));
        const JoinAnswer teacher = JoinDialog::TestConnection(
            Login(QStringLiteral("novakova")), passwords_[QStringLiteral("novakova")]);
        QCOMPARE(teacher.problem, ClassProblem::None);
        QVERIFY(teacher.membership.teacher);

        QCOMPARE(problem(Login(QStringLiteral("eva")), QStringLiteral("spatne")),
                 ClassProblem::WrongPassword);
        QCOMPARE(problem(Login(QStringLiteral("nikdo")), eva), ClassProblem::WrongPassword);
        QCOMPARE(problem(Login(QStringLiteral("eva")), QString()), ClassProblem::WrongPassword);
        ClassConnection elsewhere = Login(QStringLiteral("eva"));
        elsewhere.server = home_.filePath(QStringLiteral("zadny-server")).toStdString();
        QCOMPARE(problem(elsewhere, eva), ClassProblem::Unreachable);
        ClassConnection noDatabase = Login(QStringLiteral("eva"));
        noDatabase.database = "neni";
        QCOMPARE(problem(noDatabase, eva), ClassProblem::NoDatabase);
        ClassConnection other = Login(QStringLiteral("eva"));
        other.database = "jina";
        QCOMPARE(problem(other, eva), ClassProblem::NotClassDatabase);
        QCOMPARE(problem(Login(QStringLiteral("cizi")), QStringLiteral("cizi-heslo")),
                 ClassProblem::NotInClass);

        QVERIFY(server_->Psql(QStringLiteral("UPDATE klaptos.schema_version SET version = 2")));
        QCOMPARE(problem(Login(QStringLiteral("eva")), eva), ClassProblem::NewerSchema);
        QString output;
        QCOMPARE(CreateClass({QStringLiteral("--create-class"), QStringLiteral("7.A"),
                              QStringLiteral("--teacher"), QStringLiteral("novakova")},
                             output),
                 2);
        QVERIFY(output.contains(QString::fromUtf8("novější verze Klaptosu")));
        QVERIFY(server_->Psql(QStringLiteral("UPDATE klaptos.schema_version SET version = 1")));
    }

    void theSenderStoresEachResultOnceAndKeepsWhatTheServerCannotTake() {
        QTemporaryDir data;
        auto sender =
            std::make_unique<ClassSender>(Login(QStringLiteral("jan")), data.path().toStdString());
        auto finished = std::make_unique<QSignalSpy>(sender.get(), &ClassSender::Finished);
        sender->Queue(Result("11111111-0000-4000-8000-000000000001", 1));
        sender->Start(passwords_[QStringLiteral("jan")]);
        int waiting = -1;
        QCOMPARE(NextAnswer(*finished, &waiting), 0);
        QCOMPARE(waiting, 0);
        sender->Queue(Result("11111111-0000-4000-8000-000000000002", 2));
        QCOMPARE(NextAnswer(*finished), 0);
        // The same result again, as after a kill before the queue forgot it.
        sender->Queue(Result("11111111-0000-4000-8000-000000000001", 1));
        QCOMPARE(NextAnswer(*finished, &waiting), 0);
        QCOMPARE(waiting, 0);
        QCOMPARE(Stored(), 2);
        QString row;
        server_->Psql(QStringLiteral("SELECT pupil || ' ' || kind || ' ' || lesson || ' ' || "
                                     "key_errors::text FROM klaptos.results ORDER BY lesson "
                                     "LIMIT 1"),
                      "klaptos", &row);
        QCOMPARE(row, QString::fromUtf8("jan lesson 1 {\"\\n\": 1, \"ř\": 3}"));

        // A full disk: the results wait, the pupil is told once.
        QVERIFY(server_->Psql(QStringLiteral(
            "CREATE FUNCTION public.full_disk() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
            "RAISE EXCEPTION 'could not extend file' USING ERRCODE = 'disk_full'; END $$; "
            "CREATE TRIGGER full_disk BEFORE INSERT ON klaptos.results "
            "FOR EACH ROW EXECUTE FUNCTION public.full_disk()")));
        sender->Queue(Result("11111111-0000-4000-8000-000000000003", 3));
        QCOMPARE(NextAnswer(*finished, &waiting), static_cast<int>(ClassProblem::ServerFull));
        QCOMPARE(waiting, 1);
        QCOMPARE(sender->Notice().Take(), ClassProblem::ServerFull);
        sender->Queue(Result("11111111-0000-4000-8000-000000000004", 4));
        QCOMPARE(NextAnswer(*finished, &waiting), static_cast<int>(ClassProblem::ServerFull));
        QCOMPARE(waiting, 2);
        QCOMPARE(sender->Notice().Take(), std::nullopt);
        QVERIFY(server_->Psql(QStringLiteral("DROP TRIGGER full_disk ON klaptos.results")));
        sender->SendNow();
        QCOMPARE(NextAnswer(*finished, &waiting), 0);
        QCOMPARE(waiting, 0);
        QCOMPARE(Stored(), 4);

        // A stopped server: the result waits in the history's database across a restart of the
        // program and goes when the server is back.
        QVERIFY(server_->Stop());
        sender->Queue(Result("11111111-0000-4000-8000-000000000005", 5));
        QCOMPARE(NextAnswer(*finished, &waiting), static_cast<int>(ClassProblem::Unreachable));
        QCOMPARE(waiting, 1);
        finished.reset();
        sender.reset();
        QVERIFY(server_->Start());
        sender =
            std::make_unique<ClassSender>(Login(QStringLiteral("jan")), data.path().toStdString());
        finished = std::make_unique<QSignalSpy>(sender.get(), &ClassSender::Finished);
        sender->Start(passwords_[QStringLiteral("jan")]);
        QCOMPARE(NextAnswer(*finished, &waiting), 0);
        QCOMPARE(waiting, 0);
        QCOMPARE(Stored(), 5);
    }

    // The server drops the connection after the insert and before the commit: nothing of the
    // batch is stored, the batch stays queued, and a new connection stores it once.
    void aConnectionCutInTheMiddleOfASendStoresNothingTwice() {
        const int before = Stored();
        ClassDatabase database(Login(QStringLiteral("jan")), passwords_[QStringLiteral("jan")]);
        database.SetInsertedStep([this](int) {
            server_->Psql(QStringLiteral("SELECT pg_terminate_backend(pid) FROM "
                                         "pg_stat_activity WHERE usename = 'jan'"));
        });
        std::vector<QueuedResult> payloads;
        for (const char* id :
             {"33333333-0000-4000-8000-000000000001", "33333333-0000-4000-8000-000000000002"}) {
            payloads.push_back({id, ResultJson::Payload(Result(id, 9))});
        }
        QCOMPARE(database.Connect(), ClassProblem::None);
        QCOMPARE(database.Insert(payloads), ClassProblem::Unreachable);
        QCOMPARE(Stored(), before);

        database.SetInsertedStep({});
        QCOMPARE(database.Connect(), ClassProblem::None);
        QCOMPARE(database.Insert(payloads), ClassProblem::None);
        QCOMPARE(database.Insert(payloads), ClassProblem::None); // sent again: skipped
        QCOMPARE(Stored(), before + 2);
    }

    // The teacher reads the class and adds nothing (the pupils' rights: class_e2e.sh).
    void aTeachersLoginReadsTheClassAndIsRefusedResults() {
        QTemporaryDir data;
        ClassSender teacher(Login(QStringLiteral("novakova")), data.path().toStdString());
        QSignalSpy finished(&teacher, &ClassSender::Finished);
        teacher.Queue(Result("22222222-0000-4000-8000-000000000001", 1));
        teacher.Start(passwords_[QStringLiteral("novakova")]);
        QCOMPARE(NextAnswer(finished), static_cast<int>(ClassProblem::Refused));

        ClassDatabase reading(Login(QStringLiteral("novakova")),
                              passwords_[QStringLiteral("novakova")]);
        QCOMPARE(reading.Connect(), ClassProblem::None);
        ClassContents contents;
        QCOMPARE(reading.ReadContents(contents), ClassProblem::None);
        QCOMPARE(contents.pupils.size(), std::size_t{3}); // eva, jan and ota
        QCOMPARE(contents.results.size(), std::size_t{7});
        QCOMPARE(contents.results.front().keyErrors,
                 (std::map<std::string, int>{{"ř", 3}, {"\n", 1}}));
    }

    // A timed copy is a row of its own kind with the norm's figures; the teacher reads it back
    // whole, a failed one too, and a copy without its figures is refused.
    void aCopyTestTravelsWithItsOwnFiguresAndReadsBackWhole() {
        CopyTestResult copy;
        copy.title = "Pes a kocka";
        copy.minutes = 5;
        copy.rules = CopyRules::Competition;
        copy.gross = 1100;
        copy.errors = 1;
        copy.penalty = 50;
        copy.net = 1050;
        copy.netPerMinute = 210;
        copy.errorRateHundredths = 9;
        copy.grade = CopyGrade::One;
        ClassResult passed =
            ClassResult::OfCopyTest(copy, "44444444-0000-4000-8000-000000000001", 1765200000);
        copy.rules = CopyRules::School;
        copy.net = 0;
        copy.netPerMinute = 0;
        copy.errorRateHundredths = 2550;
        copy.grade = CopyGrade::Failed;
        ClassResult failed =
            ClassResult::OfCopyTest(copy, "44444444-0000-4000-8000-000000000002", 1765200100);

        ClassDatabase eva(Login(QStringLiteral("eva")), passwords_[QStringLiteral("eva")]);
        QCOMPARE(eva.Connect(), ClassProblem::None);
        QCOMPARE(eva.Insert({{passed.id, ResultJson::Payload(passed)},
                             {failed.id, ResultJson::Payload(failed)}}),
                 ClassProblem::None);
        ClassResult bare = passed;
        bare.id = "44444444-0000-4000-8000-000000000003";
        bare.kind = ResultKind::Lesson; // written as a lesson, stored as a copy
        std::string payload = ResultJson::Payload(bare);
        payload.replace(payload.find("\"lesson\""), 8, "\"copy_test\"");
        QCOMPARE(eva.Insert({{bare.id, payload}}), ClassProblem::Other); // the check refuses it

        ClassDatabase reading(Login(QStringLiteral("novakova")),
                              passwords_[QStringLiteral("novakova")]);
        QCOMPARE(reading.Connect(), ClassProblem::None);
        ClassContents contents;
        QCOMPARE(reading.ReadContents(contents), ClassProblem::None);
        std::vector<ClassResult> copies;
        for (const ClassResult& result : contents.results) {
            if (result.kind == ResultKind::CopyTest) {
                copies.push_back(result);
            }
        }
        QCOMPARE(copies.size(), std::size_t{2});
        passed.pupil = "eva";
        failed.pupil = "eva";
        QVERIFY(copies[0] == passed);
        QVERIFY(copies[1] == failed);
        QCOMPARE(copies[1].grade, 0);
        QCOMPARE(copies[1].accuracyHundredths, 7450);
    }
};

QTEST_MAIN(ClassDatabaseQtTest)
#include "ClassDatabaseQtTest.moc"
