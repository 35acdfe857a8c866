#pragma once
// What can stand between a pupil and the class database, told in Czech, and how the server's
// error codes (SQLSTATE) map onto it.

#include <string>
#include <string_view>

enum class ClassProblem {
    None,
    Unreachable,      // no server at the address, or the connection broke
    WrongPassword,    // the login or the password does not fit, or no password is known
    NotAdmitted,      // the server's rules (pg_hba.conf) turn this computer or login away
    NoDatabase,       // the database does not exist on the server
    NotClassDatabase, // the database holds no class of Klaptos
    NotInClass,       // the login belongs to no class in the database
    NewerSchema,      // a newer program made the class database
    ServerFull,       // the server has no room left on its disk
    Refused,          // the server refused what the login asked for
    QueueNotKept,     // the results cannot be queued on this computer
    NoDriver,         // Qt's PostgreSQL driver is not installed
    Other,
};

class ClassProblems {
public:
    // The problem an SQLSTATE stands for; an empty state is a broken connection.
    [[nodiscard]] static ClassProblem OfSqlState(std::string_view state);
    // A short English name for the program's trace: "unreachable", "wrong-password", ...
    [[nodiscard]] static std::string_view Name(ClassProblem problem);
    // A sentence for the join dialog, UTF-8: "Server třídy není dostupný."
    [[nodiscard]] static std::string Sentence(ClassProblem problem);
    // What the pupil reads once when results wait for the class database, UTF-8.
    [[nodiscard]] static std::string WaitingNotice(ClassProblem problem);
};
