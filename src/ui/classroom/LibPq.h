#pragma once
// libpq, PostgreSQL's client library, opened when first needed: for what Qt SQL does not
// offer, the server's error code of a refused connection and the teacher's set-up command.
// Qt's own PostgreSQL driver loads the same library for a class, so a program without a
// class loads neither.

#include <libpq-fe.h>

class LibPq {
public:
    // The library with its functions; nullptr when it cannot be loaded.
    [[nodiscard]] static const LibPq* Get();

    decltype(&::PQconnectdbParams) connectdbParams = nullptr;
    decltype(&::PQconnectStartParams) connectStartParams = nullptr;
    decltype(&::PQconnectPoll) connectPoll = nullptr;
    decltype(&::PQsocket) socket = nullptr;
    decltype(&::PQstatus) status = nullptr;
    decltype(&::PQsetErrorVerbosity) setErrorVerbosity = nullptr;
    decltype(&::PQerrorMessage) errorMessage = nullptr;
    decltype(&::PQconnectionNeedsPassword) connectionNeedsPassword = nullptr;
    decltype(&::PQfinish) finish = nullptr;
    decltype(&::PQexec) exec = nullptr;
    decltype(&::PQexecParams) execParams = nullptr;
    decltype(&::PQresultStatus) resultStatus = nullptr;
    decltype(&::PQresultErrorField) resultErrorField = nullptr;
    decltype(&::PQresultErrorMessage) resultErrorMessage = nullptr;
    decltype(&::PQntuples) ntuples = nullptr;
    decltype(&::PQgetvalue) getvalue = nullptr;
    decltype(&::PQclear) clear = nullptr;
    decltype(&::PQencryptPasswordConn) encryptPasswordConn = nullptr;
    decltype(&::PQfreemem) freemem = nullptr;
    decltype(&::PQdb) db = nullptr;
    decltype(&::PQhost) host = nullptr;
    decltype(&::PQuser) user = nullptr;

private:
    LibPq() = default;
    bool Load();
};
