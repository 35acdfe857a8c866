#include "KeychainPlugin.h"

#include <qt6keychain/keychain.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>

namespace {

const QString kService = QStringLiteral("Klaptos");

// The services QtKeychain talks to on Linux.
const QStringList kSecretServices{QStringLiteral("org.freedesktop.secrets"),
                                  QStringLiteral("org.kde.kwalletd6"),
                                  QStringLiteral("org.kde.kwalletd5")};

class Keychain final : public SecretStore {
public:
    bool Available() override {
        // Without a session bus libdbus would try to start one for the display; a session
        // without one has no secret store either.
        const bool sessionBus =
            !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
            QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus"));
        if (!sessionBus) {
            return false;
        }
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || bus.interface() == nullptr) {
            return false;
        }
        const QStringList startable = bus.interface()->activatableServiceNames().value();
        for (const QString& service : kSecretServices) {
            if (bus.interface()->isServiceRegistered(service).value() ||
                startable.contains(service)) {
                return true;
            }
        }
        return false;
    }

    void Write(const QString& key, const QString& password,
               std::function<void(bool)> done) override {
        auto* job = new QKeychain::WritePasswordJob(kService);
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(key);
        job->setTextData(password);
        QObject::connect(job, &QKeychain::Job::finished, job,
                         [done = std::move(done)](QKeychain::Job* finished) {
                             done(finished->error() == QKeychain::NoError);
                         });
        job->start();
    }

    void Read(const QString& key, std::function<void(bool, const QString&)> done) override {
        auto* job = new QKeychain::ReadPasswordJob(kService);
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(key);
        QObject::connect(job, &QKeychain::Job::finished, job,
                         [job, done = std::move(done)](QKeychain::Job*) {
                             done(job->error() == QKeychain::NoError, job->textData());
                         });
        job->start();
    }

    void Remove(const QString& key) override {
        auto* job = new QKeychain::DeletePasswordJob(kService);
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(key);
        job->start();
    }
};

} // namespace

std::unique_ptr<SecretStore> KeychainPlugin::CreateSecretStore() {
    return std::make_unique<Keychain>();
}
