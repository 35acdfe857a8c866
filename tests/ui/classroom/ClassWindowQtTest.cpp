// "Třída", the teacher's window: the pupils of the chosen class with their ticks and figures,
// the class's errors per character, the chart of the pupil chosen, the CSV export, and a
// problem of the server told in Czech.

#include "ClassTableModel.h"
#include "ClassWindow.h"
#include "PasswordKeeper.h"
#include "PupilChart.h"
#include "SecretStore.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int64_t kMonday = 1765152000;

ClassResult Lesson(const char* pupil, int lesson, bool passed, int64_t endedAt) {
    ClassResult result;
    result.id = std::string(pupil) + std::to_string(endedAt);
    result.pupil = pupil;
    result.lesson = lesson;
    result.qwertz = true;
    result.endedAt = endedAt;
    result.keystrokes = 300;
    result.errors = 3;
    result.correct = 297;
    result.absoluteSpeed = 80 + lesson * 10;
    result.passed = passed;
    return result;
}

ClassReading TwoClasses() {
    ClassReading reading;
    reading.contents.pupils = {{"eva.mala", "7.A"}, {"jan.novy", "7.A"}, {"ota", "8.B"}};
    ClassResult copy = Lesson("eva.mala", 0, false, kMonday + 500);
    copy.kind = ResultKind::CopyTest;
    copy.netSpeed = 175;
    copy.grade = 2;
    ClassResult withErrors = Lesson("jan.novy", 1, false, kMonday + 50);
    withErrors.keyErrors = {{"ř", 4}, {"\n", 1}};
    reading.contents.results = {Lesson("eva.mala", 1, true, kMonday),
                                Lesson("eva.mala", 2, true, kMonday + 100), copy, withErrors,
                                Lesson("ota", 7, true, kMonday + 70)};
    return reading;
}

ClassConnection Teacher() {
    ClassConnection connection;
    connection.server = "skola";
    connection.database = "klaptos";
    connection.login = "novakova";
    connection.className = "7.A";
    connection.teacher = true;
    connection.passwordPlace = PasswordPlace::PasswordFile;
    return connection;
}

} // namespace

class ClassWindowQtTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheChosenClassWithTicksFiguresErrorsAndAChart() {
        PasswordKeeper keeper(std::unique_ptr<SecretStore>{});
        ClassWindow window(Teacher(), keeper, nullptr,
                           [](const ClassConnection&, const QString&) { return TwoClasses(); });
        QSignalSpy read(&window, &ClassWindow::Read);
        window.show();
        QVERIFY(read.wait(10000));
        QCOMPARE(read.at(0).at(0).toInt(), 0);

        const ClassTableModel& table = window.Table();
        QCOMPARE(table.rowCount(), 2);
        QCOMPARE(table.data(table.index(0, ClassTableModel::Login), Qt::DisplayRole).toString(),
                 QStringLiteral("eva.mala"));
        QCOMPARE(table.data(table.index(0, ClassTableModel::Results), Qt::DisplayRole).toInt(), 3);
        QCOMPARE(table.data(table.index(0, ClassTableModel::Passed), Qt::DisplayRole).toInt(), 2);
        QCOMPARE(table.data(table.index(0, ClassTableModel::CopySpeed), Qt::DisplayRole).toInt(),
                 175);
        QCOMPARE(table.data(table.index(0, ClassTableModel::CopyGrade), Qt::DisplayRole).toInt(),
                 2);
        const auto ticked = [&table](int row, int lesson) {
            return table.data(table.index(row, ClassTableModel::Lessons + lesson - 1), Qt::UserRole)
                .toBool();
        };
        QVERIFY(ticked(0, 1) && ticked(0, 2) && !ticked(0, 3));
        QVERIFY(!ticked(1, 1));
        QCOMPARE(table.headerData(ClassTableModel::Lessons + 43, Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("44"));
        QVERIFY(!table.data(table.index(0, ClassTableModel::Lessons), Qt::DecorationRole).isNull());

        auto* errors = window.findChild<QTableWidget*>(QStringLiteral("TableChyby"));
        QCOMPARE(errors->rowCount(), 2);
        QCOMPARE(errors->item(0, 0)->text(), QString::fromUtf8("ř"));
        QCOMPARE(errors->item(0, 1)->text(), QStringLiteral("4"));
        QCOMPARE(errors->item(1, 0)->text(), QStringLiteral("Enter"));
        QCOMPARE(window.findChild<PupilChart*>()->PointCount(), 3);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("LabelStav"))->text(),
                 QString::fromUtf8("Žáků: 2, výsledků: 4"));
        if (const QString shots = qEnvironmentVariable("KLAPTOS_SCREENSHOT_DIR");
            !shots.isEmpty()) {
            window.grab().save(shots + QStringLiteral("/class-window.png"));
        }

        // The other class, and the chart follows the pupil chosen.
        window.findChild<QComboBox*>(QStringLiteral("ComboTrida"))
            ->setCurrentText(QStringLiteral("8.B"));
        QCOMPARE(table.rowCount(), 1);
        QVERIFY(ticked(0, 7));
        QCOMPARE(window.findChild<PupilChart*>()->PointCount(), 1);

        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("trida.csv"));
        QVERIFY(window.ExportCsv(csv));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("\xEF\xBB\xBF\xC5\xBD\xC3\xA1k;")); // BOM, "Žák;"
        QVERIFY(text.contains("\r\nota;1;"));
    }

    void aServerProblemIsToldInCzech() {
        PasswordKeeper keeper(std::unique_ptr<SecretStore>{});
        ClassWindow window(Teacher(), keeper, nullptr, [](const ClassConnection&, const QString&) {
            ClassReading reading;
            reading.problem = ClassProblem::Unreachable;
            return reading;
        });
        QSignalSpy read(&window, &ClassWindow::Read);
        QVERIFY(read.wait(10000));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("LabelStav"))->text(),
                 QString::fromUtf8("Server třídy není dostupný: zkontrolujte jeho adresu a port "
                                   "a připojení k síti."));
        QCOMPARE(window.Table().rowCount(), 0);
    }
};

QTEST_MAIN(ClassWindowQtTest)
#include "ClassWindowQtTest.moc"
