// "Připojení ke třídě": the connection is tested at once and answered in Czech, a working one
// is kept with its password in the desktop's secret store or, without one, in libpq's
// password file readable by the user alone, and "Odpojit od třídy" forgets both.

#include "JoinDialog.h"
#include "PasswordKeeper.h"
#include "SecretStore.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <map>

Q_DECLARE_METATYPE(ClassConnection)

namespace {

class FakeSecretStore final : public SecretStore {
public:
    bool Available() override { return available; }
    void Write(const QString& key, const QString& password,
               std::function<void(bool)> done) override {
        if (works) {
            passwords[key] = password;
        }
        done(works);
    }
    void Read(const QString& key, std::function<void(bool, const QString&)> done) override {
        done(passwords.contains(key), passwords[key]);
    }
    void Remove(const QString& key) override { passwords.erase(key); }

    bool available = true;
    bool works = true;
    std::map<QString, QString> passwords;
};

QString Answer(const JoinDialog& dialog) {
    return dialog.findChild<QLabel*>(QStringLiteral("LabelOdpoved"))->text();
}

void Fill(JoinDialog& dialog, const QString& server, const QString& login,
          const QString& password) {
    dialog.findChild<QLineEdit*>(QStringLiteral("EditServer"))->setText(server);
    dialog.findChild<QSpinBox*>(QStringLiteral("EditPort"))->setValue(5433);
    dialog.findChild<QLineEdit*>(QStringLiteral("EditJmeno"))->setText(login);
    dialog.findChild<QLineEdit*>(QStringLiteral("EditHeslo"))->setText(password);
}

void Connect(JoinDialog& dialog) {
    QSignalSpy answered(&dialog, &JoinDialog::Answered);
    dialog.findChild<QPushButton*>(QStringLiteral("ButtonPripojit"))->click();
    QVERIFY(answered.wait(10000));
}

JoinAnswer PupilOf(const char* className) {
    JoinAnswer answer;
    answer.membership.className = className;
    return answer;
}

} // namespace

class JoinDialogQtTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home_;
    QString passwordFile_;

    [[nodiscard]] QByteArray PasswordFile() const {
        QFile file(passwordFile_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void Shot(QWidget& widget, const char* name) const {
        if (const QString shots = qEnvironmentVariable("KLAPTOS_SCREENSHOT_DIR");
            !shots.isEmpty()) {
            widget.grab().save(shots + QLatin1Char('/') + QLatin1String(name) + ".png");
        }
    }

private slots:
    void init() {
        passwordFile_ = home_.filePath(QStringLiteral("hesla/pgpass"));
        QFile::remove(passwordFile_);
        qputenv("PGPASSFILE", passwordFile_.toLocal8Bit());
    }

    void aRefusedConnectionIsAnsweredInCzechAndNothingIsKept() {
        PasswordKeeper keeper(std::unique_ptr<SecretStore>{});
        QStringList tried;
        JoinDialog dialog(
            {}, keeper, nullptr, [&tried](const ClassConnection& c, const QString& p) {
                tried << QString::fromStdString(c.server + ' ' + c.login) + ' ' + p;
                JoinAnswer answer;
                answer.problem = ClassProblem::WrongPassword;
                answer.detail = QStringLiteral("FATAL:  28P01: password authentication failed");
                return answer;
            });
        QSignalSpy joined(&dialog, &JoinDialog::Joined);
        dialog.show();
        Fill(dialog, QStringLiteral("skola.example.cz"), QStringLiteral("eva.mala"),
             QStringLiteral("spatne"));
        Connect(dialog);
        Shot(dialog, "class-join-wrong-password");

        QCOMPARE(tried, QStringList{QStringLiteral("skola.example.cz eva.mala spatne")});
        QCOMPARE(Answer(dialog), QString::fromUtf8("Přihlašovací jméno nebo heslo nesouhlasí."));
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("LabelOdpoved"))
                    ->toolTip()
                    .contains(QStringLiteral("28P01")));
        QCOMPARE(joined.count(), 0);
        QVERIFY(!QFile::exists(passwordFile_));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("ButtonPripojit"))->isEnabled());
    }

    void emptyFieldsAreAskedForWithoutAConnection() {
        PasswordKeeper keeper(std::unique_ptr<SecretStore>{});
        int tests = 0;
        JoinDialog dialog({}, keeper, nullptr, [&tests](const ClassConnection&, const QString&) {
            ++tests;
            return JoinAnswer{};
        });
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonPripojit"))->click();
        QCOMPARE(Answer(dialog),
                 QString::fromUtf8("Vyplňte server, databázi a přihlašovací jméno."));
        Fill(dialog, QStringLiteral("server"), QStringLiteral("eva"), {});
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonPripojit"))->click();
        QCOMPARE(Answer(dialog), QString::fromUtf8("Zadejte heslo."));
        QCOMPARE(tests, 0);
    }

    // Without a secret store the password goes to libpq's file, mode 0600, beside other
    // lines; the settings get the connection without it.
    void aWorkingConnectionKeepsThePasswordInThePasswordFileAndLeavingForgetsIt() {
        QVERIFY(QDir().mkpath(QFileInfo(passwordFile_).absolutePath()));
        {
            QFile file(passwordFile_);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("jiny.server:5432:*:admin:tajne\n");
        }
        PasswordKeeper keeper(std::unique_ptr<SecretStore>{});
        JoinDialog dialog({}, keeper, nullptr,
                          [](const ClassConnection&, const QString&) { return PupilOf("7.A"); });
        QSignalSpy joined(&dialog, &JoinDialog::Joined);
        QSignalSpy left(&dialog, &JoinDialog::Left);
        dialog.show();
        Fill(dialog, QStringLiteral("skola.example.cz"), QStringLiteral("eva.mala"),
             QStringLiteral("Ab:c9"));
        Connect(dialog);
        Shot(dialog, "class-join-pupil");

        QCOMPARE(joined.count(), 1);
        const auto connection = joined.at(0).at(0).value<ClassConnection>();
        QCOMPARE(connection.server, std::string("skola.example.cz"));
        QCOMPARE(connection.port, 5433);
        QCOMPARE(connection.database, std::string("klaptos"));
        QCOMPARE(connection.login, std::string("eva.mala"));
        QCOMPARE(connection.className, std::string("7.A"));
        QVERIFY(!connection.teacher);
        QVERIFY(connection.passwordPlace == PasswordPlace::PasswordFile);
        QCOMPARE(PasswordFile(), QByteArray("jiny.server:5432:*:admin:tajne\n"
                                            "skola.example.cz:5433:klaptos:eva.mala:Ab\\:c9\n"));
        QCOMPARE(QFile::permissions(passwordFile_),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                     QFileDevice::WriteUser);
        QVERIFY(Answer(dialog).startsWith(QString::fromUtf8("Připojeno ke třídě „7.A“.")));
        QVERIFY(Answer(dialog).contains(passwordFile_));
        QVERIFY(dialog.findChild<QLineEdit*>(QStringLiteral("EditHeslo"))->text().isEmpty());

        auto* leave = dialog.findChild<QPushButton*>(QStringLiteral("ButtonOdpojit"));
        QVERIFY(leave->isVisible());
        leave->click();
        QCOMPARE(left.count(), 1);
        QCOMPARE(PasswordFile(), QByteArray("jiny.server:5432:*:admin:tajne\n"));
    }

    void aSecretStoreTakesThePasswordAndOneThatFailsLeavesItToTheFile() {
        auto store = std::make_unique<FakeSecretStore>();
        FakeSecretStore* secrets = store.get();
        PasswordKeeper keeper(std::move(store));
        JoinAnswer teacher = PupilOf("7.A");
        teacher.membership.teacher = true;
        JoinDialog dialog({}, keeper, nullptr,
                          [teacher](const ClassConnection&, const QString&) { return teacher; });
        QSignalSpy joined(&dialog, &JoinDialog::Joined);
        Fill(dialog, QStringLiteral("skola"), QStringLiteral("novakova"), QStringLiteral("x1"));
        Connect(dialog);
        Shot(dialog, "class-join-teacher");
        QCOMPARE(joined.count(), 1);
        const auto connection = joined.at(0).at(0).value<ClassConnection>();
        QVERIFY(connection.teacher);
        QVERIFY(connection.passwordPlace == PasswordPlace::SecretStore);
        QCOMPARE(secrets->passwords.at(QStringLiteral("novakova@skola:5433/klaptos")),
                 QStringLiteral("x1"));
        QVERIFY(!QFile::exists(passwordFile_));
        QVERIFY(Answer(dialog).contains(QString::fromUtf8("jako učitel")));

        QString fetched;
        keeper.Fetch(connection, [&fetched](const QString& password) { fetched = password; });
        QCOMPARE(fetched, QStringLiteral("x1"));

        secrets->works = false;
        Fill(dialog, QStringLiteral("skola"), QStringLiteral("novakova"), QStringLiteral("x2"));
        Connect(dialog);
        QCOMPARE(joined.count(), 2);
        QVERIFY(joined.at(1).at(0).value<ClassConnection>().passwordPlace ==
                PasswordPlace::PasswordFile);
        QCOMPARE(PasswordFile(), QByteArray("skola:5433:klaptos:novakova:x2\n"));
    }
};

QTEST_MAIN(JoinDialogQtTest)
#include "JoinDialogQtTest.moc"
