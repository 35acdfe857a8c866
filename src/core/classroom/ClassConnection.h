#pragma once
// Where the pupil's or teacher's class lives: the server, the database and the login, as the
// settings file keeps them. The password is kept elsewhere (PasswordPlace).

#include <string>

class IniFile;

enum class PasswordPlace { SecretStore = 0, PasswordFile = 1 };

struct ClassConnection {
    std::string server; // a host name, an address, or a folder of the server's Unix socket
    int port = 5432;
    std::string database = "klaptos"; // unless the teacher chose another name
    std::string login;
    std::string className; // UTF-8, as the server named it when the class was joined
    bool teacher = false;  // the login teaches the class: the "Třída" window is offered
    PasswordPlace passwordPlace = PasswordPlace::SecretStore;

    [[nodiscard]] bool IsJoined() const { return !server.empty() && !login.empty(); }

    // The [Trida] section; a section without a server and a login reads as not joined.
    [[nodiscard]] static ClassConnection Read(const IniFile& ini);
    // Writes the section while a class is joined. A program that never joined a class keeps
    // its settings file as it was; one that left its class empties the server and login.
    void Write(IniFile& ini) const;

    friend bool operator==(const ClassConnection&, const ClassConnection&) = default;
};
