#pragma once
// Why a connection to the class database fails, asked of libpq itself. Qt SQL keeps only the
// message of a refused connection, in the language of the server or of the desktop; libpq,
// asked for verbose errors, gives the server's error code (SQLSTATE) with it.

#include "ClassProblem.h"

#include <QString>

struct ClassConnection;

class ConnectionProbe {
public:
    // Connects once more as the program did, with the same settings, and names the problem;
    // `detail` gets libpq's message. An empty `password` leaves it to ~/.pgpass.
    [[nodiscard]] static ClassProblem Diagnose(const ClassConnection& connection,
                                               const QString& password, QString* detail = nullptr);
    // The SQLSTATE in a verbose error message ("FATAL:  28P01: ..."), empty for none.
    [[nodiscard]] static QString SqlState(const QString& verboseMessage);
};
