#pragma once
// libpq's own password file (~/.pgpass, or the file PGPASSFILE names), where a class's
// password is kept on a computer without a desktop secret store: one line
// "host:port:database:login:password" per connection, ':' and '\' escaped with '\'.

#include <string>

struct ClassConnection;

class PgPassFile {
public:
    // PGPASSFILE when set, else .pgpass in the home folder.
    [[nodiscard]] static std::string Path(const std::string& pgpassFileVariable,
                                          const std::string& home);
    // The file's text with the connection's line holding `password`: the line replaced where
    // it was, else added at the end. Lines of other connections stay as they were.
    [[nodiscard]] static std::string WithEntry(const std::string& text,
                                               const ClassConnection& connection,
                                               const std::string& password);
    // The file's text without the connection's line.
    [[nodiscard]] static std::string WithoutEntry(const std::string& text,
                                                  const ClassConnection& connection);
    // A field with its ':' and '\' escaped.
    [[nodiscard]] static std::string Escape(const std::string& field);

private:
    // The line's first four fields; the host is the server as given, "localhost" for none.
    [[nodiscard]] static std::string Prefix(const ClassConnection& connection);
};
