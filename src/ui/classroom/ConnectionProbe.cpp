#include "ConnectionProbe.h"

#include "ClassConnection.h"
#include "LibPq.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

#include <poll.h>

#include <string>
#include <vector>

namespace {

constexpr int kTimeoutMs = 10000;

// Waits for the connection's socket as PQconnectPoll asks; false when the time is up.
bool WaitForSocket(const LibPq& pq, PGconn* connection, PostgresPollingStatusType status,
                   const QDeadlineTimer& deadline) {
    pollfd socket{};
    socket.fd = pq.socket(connection);
    socket.events = status == PGRES_POLLING_READING ? POLLIN : POLLOUT;
    const qint64 left = deadline.remainingTime();
    return left > 0 && ::poll(&socket, 1, static_cast<int>(left)) > 0;
}

} // namespace

QString ConnectionProbe::SqlState(const QString& verboseMessage) {
    static const QRegularExpression state(QStringLiteral(":  ([0-9A-Z]{5}): "));
    const QRegularExpressionMatch match = state.match(verboseMessage);
    return match.hasMatch() ? match.captured(1) : QString();
}

ClassProblem ConnectionProbe::Diagnose(const ClassConnection& connection, const QString& password,
                                       QString* detail) {
    const LibPq* pq = LibPq::Get();
    if (pq == nullptr) {
        return ClassProblem::NoDriver;
    }
    const std::string port = std::to_string(connection.port);
    const std::string secret = password.toStdString();
    std::vector<const char*> keys{"host", "port", "dbname", "user"};
    std::vector<const char*> values{connection.server.c_str(), port.c_str(),
                                    connection.database.c_str(), connection.login.c_str()};
    if (!secret.empty()) {
        keys.push_back("password");
        values.push_back(secret.c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* probe = pq->connectStartParams(keys.data(), values.data(), 0);
    if (probe == nullptr) {
        return ClassProblem::Other;
    }
    pq->setErrorVerbosity(probe, PQERRORS_VERBOSE);
    const QDeadlineTimer deadline(kTimeoutMs);
    PostgresPollingStatusType status =
        pq->status(probe) == CONNECTION_BAD ? PGRES_POLLING_FAILED : PGRES_POLLING_WRITING;
    while (status != PGRES_POLLING_OK && status != PGRES_POLLING_FAILED) {
        if (!WaitForSocket(*pq, probe, status, deadline)) {
            pq->finish(probe);
            return ClassProblem::Unreachable;
        }
        status = pq->connectPoll(probe);
    }
    const QString message = QString::fromUtf8(pq->errorMessage(probe)).trimmed();
    const bool needsPassword = pq->connectionNeedsPassword(probe) != 0;
    pq->finish(probe);
    if (detail != nullptr) {
        *detail = message;
    }
    if (status == PGRES_POLLING_OK) {
        return ClassProblem::Other; // it connects now: the problem was a passing one
    }
    const QString state = SqlState(message);
    if (!state.isEmpty()) {
        return ClassProblems::OfSqlState(state.toStdString());
    }
    return needsPassword ? ClassProblem::WrongPassword : ClassProblem::Unreachable;
}
