#pragma once
// A private PostgreSQL server for one test program: a cluster made with initdb in a temporary
// folder, run by `nobody` when the test runs as root, listening only on a Unix socket in
// that folder, so that parallel runs and a system's own server never meet. Stopped and
// removed when the object goes.

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

class TestPostgres {
public:
    static constexpr int kPort = 5432;
    static constexpr const char* kAdmin = "klaptos_admin";
    static constexpr const char* kAdminPassword = "spravce-heslo";

    TestPostgres() : folder_(QDir::tempPath() + QStringLiteral("/klaptos-pg-XXXXXX")) {
        const QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql"))
                                         .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        int newest = 0;
        for (const QString& version : versions) {
            newest = std::max(newest, version.toInt());
        }
        bin_ = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(newest);
        if (getuid() == 0) {
            if (const passwd* nobody = getpwnam("nobody")) {
                (void)chown(folder_.path().toLocal8Bit().constData(), nobody->pw_uid,
                            nobody->pw_gid);
                runAs_ = QStringLiteral("nobody");
            }
        }
        QFile password(folder_.filePath(QStringLiteral("pwfile")));
        if (password.open(QIODevice::WriteOnly)) {
            password.write(kAdminPassword);
            password.close();
            password.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadOther);
        }
        ready_ = Server({bin_ + QStringLiteral("initdb"), QStringLiteral("-D"), DataDir(),
                         QStringLiteral("-U"), QLatin1String(kAdmin),
                         QStringLiteral("--auth=scram-sha-256"),
                         QStringLiteral("--pwfile=") + password.fileName(), QStringLiteral("-E"),
                         QStringLiteral("UTF8"), QStringLiteral("--no-locale")}) &&
                 Start() && Psql(QStringLiteral("CREATE DATABASE klaptos"), "postgres");
    }

    ~TestPostgres() {
        Server({bin_ + QStringLiteral("pg_ctl"), QStringLiteral("-D"), DataDir(),
                QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                QStringLiteral("stop")});
    }

    [[nodiscard]] bool Ready() const { return ready_; }
    [[nodiscard]] const QString& Log() const { return log_; }
    [[nodiscard]] QString SocketDir() const { return folder_.path(); }

    bool Start() {
        return Server(
            {bin_ + QStringLiteral("pg_ctl"), QStringLiteral("-D"), DataDir(), QStringLiteral("-l"),
             folder_.filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
             QStringLiteral("-o"),
             QStringLiteral("-k %1 -c listen_addresses='' -p %2").arg(SocketDir()).arg(kPort),
             QStringLiteral("start")});
    }
    bool Stop() {
        return Server({bin_ + QStringLiteral("pg_ctl"), QStringLiteral("-D"), DataDir(),
                       QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                       QStringLiteral("stop")});
    }

    // Runs SQL as the server's superuser; the first value of the result in `output`.
    bool Psql(const QString& sql, const char* database = "klaptos", QString* output = nullptr) {
        return Client(QLatin1String(kAdmin), QLatin1String(kAdminPassword), sql, database, output);
    }
    // Runs SQL as a login; false when the server refuses it, with its words in `output`.
    bool Client(const QString& login, const QString& password, const QString& sql,
                const char* database = "klaptos", QString* output = nullptr) {
        QProcess psql;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PGPASSWORD"), password);
        psql.setProcessEnvironment(environment);
        psql.start(QStringLiteral("psql"),
                   {QStringLiteral("-h"), SocketDir(), QStringLiteral("-p"), QString::number(kPort),
                    QStringLiteral("-U"), login, QStringLiteral("-d"), QLatin1String(database),
                    QStringLiteral("-XAtq"), QStringLiteral("-v"),
                    QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-c"), sql});
        psql.waitForFinished(60000);
        const bool ok = psql.exitStatus() == QProcess::NormalExit && psql.exitCode() == 0;
        if (output != nullptr) {
            *output =
                QString::fromUtf8(ok ? psql.readAllStandardOutput() : psql.readAllStandardError())
                    .trimmed();
        }
        return ok;
    }

private:
    [[nodiscard]] QString DataDir() const { return folder_.filePath(QStringLiteral("data")); }

    bool Server(QStringList command) {
        if (!runAs_.isEmpty()) {
            command = QStringList{QStringLiteral("-u"), runAs_, QStringLiteral("--")} + command;
            command.prepend(QStringLiteral("runuser"));
        }
        QProcess process;
        process.setWorkingDirectory(QStringLiteral("/"));
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.takeFirst(), command);
        process.waitForFinished(120000);
        log_ += QString::fromLocal8Bit(process.readAll());
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QTemporaryDir folder_;
    QString bin_;
    QString runAs_;
    QString log_;
    bool ready_ = false;
};
