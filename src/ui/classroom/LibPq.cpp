#include "LibPq.h"

#include <QLibrary>

namespace {

template <typename Function> bool Resolve(QLibrary& library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

} // namespace

const LibPq* LibPq::Get() {
    static LibPq* const instance = [] {
        auto* loaded = new LibPq;
        if (!loaded->Load()) {
            delete loaded;
            return static_cast<LibPq*>(nullptr);
        }
        return loaded;
    }();
    return instance;
}

bool LibPq::Load() {
    // Kept loaded for the program's life, as its functions are.
    static QLibrary library(QStringLiteral("pq"), 5);
    if (!library.load()) {
        return false;
    }
    return Resolve(library, "PQconnectdbParams", connectdbParams) &&
           Resolve(library, "PQconnectStartParams", connectStartParams) &&
           Resolve(library, "PQconnectPoll", connectPoll) && Resolve(library, "PQsocket", socket) &&
           Resolve(library, "PQstatus", status) &&
           Resolve(library, "PQsetErrorVerbosity", setErrorVerbosity) &&
           Resolve(library, "PQerrorMessage", errorMessage) &&
           Resolve(library, "PQconnectionNeedsPassword", connectionNeedsPassword) &&
           Resolve(library, "PQfinish", finish) && Resolve(library, "PQexec", exec) &&
           Resolve(library, "PQexecParams", execParams) &&
           Resolve(library, "PQresultStatus", resultStatus) &&
           Resolve(library, "PQresultErrorField", resultErrorField) &&
           Resolve(library, "PQresultErrorMessage", resultErrorMessage) &&
           Resolve(library, "PQntuples", ntuples) && Resolve(library, "PQgetvalue", getvalue) &&
           Resolve(library, "PQclear", clear) &&
           Resolve(library, "PQencryptPasswordConn", encryptPasswordConn) &&
           Resolve(library, "PQfreemem", freemem) && Resolve(library, "PQdb", db) &&
           Resolve(library, "PQhost", host) && Resolve(library, "PQuser", user);
}
