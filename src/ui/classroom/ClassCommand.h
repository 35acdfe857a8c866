#pragma once
// `klaptos --create-class`: the teacher's set-up of a class, run without a window (and
// without a display). It connects as the database's owner or a superuser through libpq's
// usual environment, brings the class schema in place from the SQL file installed with the
// program, makes the class, the teacher's and the pupils' logins, and prints the passwords it
// made. Run again, it adds new pupils and leaves the others as they are.

#include <QString>
#include <QStringList>

class QTextStream;

class ClassCommand {
public:
    // The SQL file's name among the program's files.
    static constexpr const char* kSqlFileName = "klaptos-trida.sql";

    // Whether the program was started for the command.
    [[nodiscard]] static bool IsAsked(int argc, char** argv);
    // `args`: the arguments after the program's name; `sqlFile`: the schema's SQL. Returns the
    // exit code: 0 done, 1 wrong arguments, 2 the database refused.
    static int Run(const QStringList& args, const QString& sqlFile, QTextStream& out,
                   QTextStream& err);
};
