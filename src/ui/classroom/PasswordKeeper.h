#pragma once
// Keeps a class's password out of the settings file: in the desktop's secret store when one
// answers (QtKeychain, from the plugin klaptos_keychain.so), else in libpq's own password
// file (~/.pgpass, or the file PGPASSFILE names), readable by the user alone, from which
// libpq takes it by itself.

#include "ClassConnection.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class SecretStore;

class PasswordKeeper {
public:
    static constexpr const char* kPluginName = "klaptos_keychain";

    // `pluginDirs`: where klaptos_keychain.so is looked for; none: no secret store is used.
    explicit PasswordKeeper(QStringList pluginDirs);
    // A given secret store, or none (tests).
    explicit PasswordKeeper(std::unique_ptr<SecretStore> store);
    ~PasswordKeeper();
    PasswordKeeper(const PasswordKeeper&) = delete;
    PasswordKeeper& operator=(const PasswordKeeper&) = delete;

    // Keeps the password; `done` gets where it went, or nullopt with `error` when it could be
    // kept nowhere.
    void Keep(const ClassConnection& connection, const QString& password,
              std::function<void(std::optional<PasswordPlace> place, const QString& error)> done);
    // The password for the sender: from the secret store, or empty for libpq's own file.
    void Fetch(const ClassConnection& connection, std::function<void(const QString&)> done);
    // Removes the password from where it was kept.
    void Forget(const ClassConnection& connection);

    // libpq's password file as libpq finds it.
    [[nodiscard]] static QString PasswordFilePath();
    // Writes the file with the connection's line holding `password` (a null password removes
    // the line), mode 0600; false with `error`.
    static bool WritePasswordFile(const ClassConnection& connection, const QString& password,
                                  QString& error);
    // Where a password is, for the join dialog and the help: "v klíčence plochy", ...
    [[nodiscard]] static QString PlaceName(PasswordPlace place);

private:
    SecretStore* Store();
    [[nodiscard]] static QString Key(const ClassConnection& connection);

    QStringList pluginDirs_;
    std::unique_ptr<SecretStore> store_;
    bool tried_ = false;
};
