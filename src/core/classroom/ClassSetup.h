#pragma once
// What the teacher asks of `klaptos --create-class`: the class, its teacher and its pupils, and
// where the database is (unset parts come from libpq's environment: PGHOST, PGPORT,
// PGDATABASE, PGUSER, PGPASSWORD or ~/.pgpass).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ClassLogin {
    std::string login;
    std::string password; // empty: generated for a new login, kept for an existing one

    friend bool operator==(const ClassLogin&, const ClassLogin&) = default;
};

struct ClassSetup {
    static constexpr const char* kOption = "--create-class";

    std::string className; // UTF-8
    ClassLogin teacher;
    std::vector<ClassLogin> pupils;
    std::string pupilFile;     // read by the command and added to `pupils`
    bool newPasswords = false; // existing logins named without a password get a new one
    std::string host;
    std::string port;
    std::string database;
    std::string user;

    // The arguments after the program's name; nullopt with a Czech `error` (UTF-8) when they
    // do not make a class.
    [[nodiscard]] static std::optional<ClassSetup> Parse(const std::vector<std::string>& args,
                                                         std::string& error);
    // A file of pupils: a login per line, optionally followed by a space and a password;
    // empty lines and lines from '#' on are skipped. False with `error` naming the line.
    static bool AddPupils(const std::string& text, std::vector<ClassLogin>& pupils,
                          std::string& error);
    // Lower-case letters, digits, '.', '_' and '-', a letter or digit first, at most 63.
    [[nodiscard]] static bool IsValidLogin(std::string_view login);
    // Ten characters that cannot be mistaken for each other on paper (no 0/O, 1/l/I).
    [[nodiscard]] static std::string NewPassword(const std::function<uint32_t()>& random);
    // How the command is called, in Czech.
    [[nodiscard]] static std::string Usage();
};
