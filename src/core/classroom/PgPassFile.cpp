#include "PgPassFile.h"

#include "ClassConnection.h"

#include <sstream>

std::string PgPassFile::Path(const std::string& pgpassFileVariable, const std::string& home) {
    if (!pgpassFileVariable.empty()) {
        return pgpassFileVariable;
    }
    return home + "/.pgpass";
}

std::string PgPassFile::Escape(const std::string& field) {
    std::string escaped;
    escaped.reserve(field.size());
    for (char c : field) {
        if (c == ':' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string PgPassFile::Prefix(const ClassConnection& connection) {
    const std::string host = connection.server.empty() ? "localhost" : connection.server;
    return Escape(host) + ':' + std::to_string(connection.port) + ':' +
           Escape(connection.database) + ':' + Escape(connection.login) + ':';
}

std::string PgPassFile::WithEntry(const std::string& text, const ClassConnection& connection,
                                  const std::string& password) {
    const std::string prefix = Prefix(connection);
    const std::string entry = prefix + Escape(password);
    std::istringstream lines(text);
    std::string result;
    bool placed = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(prefix)) {
            if (placed) {
                continue;
            }
            line = entry;
            placed = true;
        }
        result += line + '\n';
    }
    if (!placed) {
        result += entry + '\n';
    }
    return result;
}

std::string PgPassFile::WithoutEntry(const std::string& text, const ClassConnection& connection) {
    const std::string prefix = Prefix(connection);
    std::istringstream lines(text);
    std::string result;
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(prefix)) {
            result += line + '\n';
        }
    }
    return result;
}
