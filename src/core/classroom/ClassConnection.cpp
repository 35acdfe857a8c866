#include "ClassConnection.h"

#include "Settings.h"

ClassConnection ClassConnection::Read(const IniFile& ini) {
    ClassConnection connection;
    connection.server = Settings::ClassServer.ReadString(ini);
    connection.port = Settings::ClassPort.ReadInteger(ini);
    connection.database = Settings::ClassDatabase.ReadString(ini);
    connection.login = Settings::ClassLogin.ReadString(ini);
    connection.className = Settings::ClassName.ReadString(ini);
    connection.teacher = Settings::ClassTeacher.ReadBool(ini);
    connection.passwordPlace =
        static_cast<PasswordPlace>(Settings::ClassPasswordPlace.ReadInteger(ini));
    return connection;
}

void ClassConnection::Write(IniFile& ini) const {
    if (!IsJoined()) {
        // A class left: its section stays, empty, so that it reads as not joined.
        if (Read(ini).IsJoined()) {
            Settings::ClassServer.WriteString(ini, "");
            Settings::ClassLogin.WriteString(ini, "");
        }
        return;
    }
    Settings::ClassServer.WriteString(ini, server);
    Settings::ClassPort.WriteInteger(ini, port);
    Settings::ClassDatabase.WriteString(ini, database);
    Settings::ClassLogin.WriteString(ini, login);
    Settings::ClassName.WriteString(ini, className);
    Settings::ClassTeacher.WriteBool(ini, teacher);
    Settings::ClassPasswordPlace.WriteInteger(ini, static_cast<int>(passwordPlace));
}
