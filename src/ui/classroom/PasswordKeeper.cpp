#include "PasswordKeeper.h"

#include "PgPassFile.h"
#include "PluginFile.h"
#include "SecretStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

PasswordKeeper::PasswordKeeper(QStringList pluginDirs) : pluginDirs_(std::move(pluginDirs)) {}

PasswordKeeper::PasswordKeeper(std::unique_ptr<SecretStore> store)
    : store_(std::move(store)), tried_(true) {}

PasswordKeeper::~PasswordKeeper() = default;

SecretStore* PasswordKeeper::Store() {
    if (!tried_) {
        tried_ = true;
        QString problems;
        auto* plugin =
            qobject_cast<SecretStorePlugin*>(PluginFile::Load(kPluginName, pluginDirs_, problems));
        if (plugin != nullptr) {
            store_ = plugin->CreateSecretStore();
        }
    }
    return store_ != nullptr && store_->Available() ? store_.get() : nullptr;
}

QString PasswordKeeper::Key(const ClassConnection& connection) {
    return QStringLiteral("%1@%2:%3/%4")
        .arg(QString::fromStdString(connection.login), QString::fromStdString(connection.server))
        .arg(connection.port)
        .arg(QString::fromStdString(connection.database));
}

QString PasswordKeeper::PasswordFilePath() {
    return QString::fromStdString(PgPassFile::Path(qEnvironmentVariable("PGPASSFILE").toStdString(),
                                                   QDir::homePath().toStdString()));
}

QString PasswordKeeper::PlaceName(PasswordPlace place) {
    if (place == PasswordPlace::SecretStore) {
        return QString::fromUtf8("v klíčence (úložišti hesel) plochy");
    }
    return QString::fromUtf8("v souboru %1, který smíte číst jen vy").arg(PasswordFilePath());
}

bool PasswordKeeper::WritePasswordFile(const ClassConnection& connection, const QString& password,
                                       QString& error) {
    const QString path = PasswordFilePath();
    std::string text;
    if (QFile existing(path); existing.open(QIODevice::ReadOnly)) {
        text = existing.readAll().toStdString();
    }
    text = password.isNull() ? PgPassFile::WithoutEntry(text, connection)
                             : PgPassFile::WithEntry(text, connection, password.toStdString());
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    // libpq ignores a password file that others may read; nothing is written before the mode.
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void PasswordKeeper::Keep(const ClassConnection& connection, const QString& password,
                          std::function<void(std::optional<PasswordPlace>, const QString&)> done) {
    const auto intoFile = [connection, password, done] {
        QString error;
        if (WritePasswordFile(connection, password, error)) {
            done(PasswordPlace::PasswordFile, {});
        } else {
            done(std::nullopt, error);
        }
    };
    SecretStore* store = Store();
    if (store == nullptr) {
        intoFile();
        return;
    }
    store->Write(Key(connection), password, [intoFile, done](bool written) {
        if (written) {
            done(PasswordPlace::SecretStore, {});
        } else {
            intoFile();
        }
    });
}

void PasswordKeeper::Fetch(const ClassConnection& connection,
                           std::function<void(const QString&)> done) {
    SecretStore* store = connection.passwordPlace == PasswordPlace::SecretStore ? Store() : nullptr;
    if (store == nullptr) {
        done({});
        return;
    }
    store->Read(Key(connection), [done](bool found, const QString& password) {
        done(found ? password : QString());
    });
}

void PasswordKeeper::Forget(const ClassConnection& connection) {
    if (connection.passwordPlace == PasswordPlace::SecretStore) {
        if (SecretStore* store = Store()) {
            store->Remove(Key(connection));
        }
        return;
    }
    QString error;
    (void)WritePasswordFile(connection, QString(), error);
}
