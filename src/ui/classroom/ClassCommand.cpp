#include "ClassCommand.h"

#include "ClassSetup.h"
#include "LibPq.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

enum ExitCode { kDone = 0, kWrongArguments = 1, kRefused = 2 };

// A connection to the database, ended with the command.
class Session {
public:
    Session(const LibPq& pq, PGconn* connection) : pq_(pq), connection_(connection) {}
    ~Session() { pq_.finish(connection_); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    [[nodiscard]] PGconn* Get() const { return connection_; }

    // Runs `sql` (one statement or a script); the first row's first value, or nullopt with
    // the server's message in `error`.
    std::optional<std::string> Run(const std::string& sql, const std::vector<std::string>& params,
                                   QString& error) const {
        std::vector<const char*> values;
        values.reserve(params.size());
        for (const std::string& param : params) {
            values.push_back(param.c_str());
        }
        PGresult* result = params.empty() ? pq_.exec(connection_, sql.c_str())
                                          : pq_.execParams(connection_, sql.c_str(),
                                                           static_cast<int>(values.size()), nullptr,
                                                           values.data(), nullptr, nullptr, 0);
        const ExecStatusType status = pq_.resultStatus(result);
        std::optional<std::string> value;
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
            value = pq_.ntuples(result) > 0 ? pq_.getvalue(result, 0, 0) : "";
        } else {
            const char* state = pq_.resultErrorField(result, PG_DIAG_SQLSTATE);
            error = state != nullptr && std::strcmp(state, "KL001") == 0
                        ? QString::fromUtf8("Databázi třídy založila novější verze Klaptosu; "
                                            "použijte novější program.")
                        : QString::fromUtf8(pq_.resultErrorMessage(result)).trimmed();
        }
        pq_.clear(result);
        return value;
    }

    // The password as the server stores it (a SCRAM verifier), so that the plain password
    // never travels in a statement that a server's log could keep.
    [[nodiscard]] std::string Verifier(const std::string& login,
                                       const std::string& password) const {
        char* encrypted =
            pq_.encryptPasswordConn(connection_, password.c_str(), login.c_str(), nullptr);
        if (encrypted == nullptr) {
            return {};
        }
        std::string verifier = encrypted;
        pq_.freemem(encrypted);
        return verifier;
    }

private:
    const LibPq& pq_;
    PGconn* connection_;
};

uint32_t Random() {
    return QRandomGenerator::system()->generate();
}

// Creates or updates one login through the schema's function; adds its line to `lines`.
bool MakeLogin(const Session& session, const std::string& function, const std::string& className,
               const ClassLogin& login, bool newPasswords, const QString& role, QStringList& lines,
               QString& error) {
    const std::string password =
        login.password.empty() ? ClassSetup::NewPassword(Random) : login.password;
    const std::string verifier = session.Verifier(login.login, password);
    if (verifier.empty()) {
        error = QString::fromUtf8("Heslo pro „%1“ nelze zašifrovat.")
                    .arg(QString::fromStdString(login.login));
        return false;
    }
    const bool renew = !login.password.empty() || newPasswords;
    const std::optional<std::string> outcome =
        session.Run("SELECT klaptos." + function + "($1, $2, $3, $4)",
                    {className, login.login, verifier, renew ? "true" : "false"}, error);
    if (!outcome) {
        return false;
    }
    const QString line =
        QStringLiteral("  %1 %2 ").arg(role, -6).arg(QString::fromStdString(login.login), -20);
    lines << line + (*outcome == "kept"
                         ? QString::fromUtf8("heslo beze změny")
                         : QString::fromUtf8("heslo: %1").arg(QString::fromStdString(password)));
    return true;
}

} // namespace

bool ClassCommand::IsAsked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], ClassSetup::kOption) == 0) {
            return true;
        }
    }
    return false;
}

int ClassCommand::Run(const QStringList& args, const QString& sqlFile, QTextStream& out,
                      QTextStream& err) {
    std::vector<std::string> arguments;
    for (const QString& arg : args) {
        arguments.push_back(arg.toStdString());
    }
    std::string problem;
    std::optional<ClassSetup> setup = ClassSetup::Parse(arguments, problem);
    if (setup && !setup->pupilFile.empty()) {
        QFile pupils(QString::fromStdString(setup->pupilFile));
        if (!pupils.open(QIODevice::ReadOnly)) {
            problem = "Soubor žáků „" + setup->pupilFile + "“ nelze otevřít.";
            setup.reset();
        } else if (!ClassSetup::AddPupils(pupils.readAll().toStdString(), setup->pupils, problem)) {
            setup.reset();
        }
    }
    if (!setup) {
        err << QString::fromStdString(problem) << "\n\n"
            << QString::fromStdString(ClassSetup::Usage());
        return kWrongArguments;
    }
    QFile sql(sqlFile);
    if (!sql.open(QIODevice::ReadOnly)) {
        err << QString::fromUtf8("Chybí soubor %1, který patří k programu.\n").arg(sqlFile);
        return kRefused;
    }
    const LibPq* pq = LibPq::Get();
    if (pq == nullptr) {
        err << QString::fromUtf8("Chybí knihovna libpq (balíček libpq5).\n");
        return kRefused;
    }

    std::vector<const char*> keys{"application_name"};
    std::vector<const char*> values{"klaptos"};
    const auto add = [&](const char* key, const std::string& value) {
        if (!value.empty()) {
            keys.push_back(key);
            values.push_back(value.c_str());
        }
    };
    add("host", setup->host);
    add("port", setup->port);
    add("dbname", setup->database);
    add("user", setup->user);
    keys.push_back(nullptr);
    values.push_back(nullptr);
    const Session session(*pq, pq->connectdbParams(keys.data(), values.data(), 0));
    if (pq->status(session.Get()) != CONNECTION_OK) {
        err << QString::fromUtf8("K databázi se nelze připojit: %1\n")
                   .arg(QString::fromUtf8(pq->errorMessage(session.Get())).trimmed());
        return kRefused;
    }

    // All or nothing: roles and rows of a class that failed half-way are not left behind.
    QString error;
    const bool done = session.Run("SET client_min_messages = warning", {}, error) &&
                      session.Run("BEGIN", {}, error) &&
                      session.Run(sql.readAll().toStdString(), {}, error);
    if (!done) {
        err << error << '\n';
        return kRefused;
    }
    QStringList lines;
    bool made = MakeLogin(session, "create_class", setup->className, setup->teacher,
                          setup->newPasswords, QString::fromUtf8("učitel"), lines, error);
    for (std::size_t i = 0; made && i < setup->pupils.size(); ++i) {
        made = MakeLogin(session, "add_pupil", setup->className, setup->pupils[i],
                         setup->newPasswords, QString::fromUtf8("žák"), lines, error);
    }
    if (!made || !session.Run("COMMIT", {}, error)) {
        err << error << '\n' << QString::fromUtf8("Třída nebyla založena ani změněna.\n");
        return kRefused;
    }
    out << QString::fromUtf8("Třída „%1“ v databázi %2 (server %3):\n")
               .arg(QString::fromStdString(setup->className),
                    QString::fromUtf8(pq->db(session.Get())),
                    QString::fromUtf8(pq->host(session.Get())));
    for (const QString& line : lines) {
        out << line << '\n';
    }
    out << QString::fromUtf8("Hesla předejte žákům a učiteli; program je nikde neukládá.\n");
    return kDone;
}
