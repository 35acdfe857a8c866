#include "KeychainPlugin.h"

#include <qt6keychain/keychain.h>

#include <QAbstractEventDispatcher>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QLibrary>
#include <QTimer>

namespace {

const QString kService = QStringLiteral("Klaptos");

// The services QtKeychain talks to on Linux.
const QStringList kSecretServices{QStringLiteral("org.freedesktop.secrets"),
                                  QStringLiteral("org.kde.kwalletd6"),
                                  QStringLiteral("org.kde.kwalletd5")};

// QtKeychain reaches GNOME Keyring and the other Secret Service stores through libsecret,
// whose answers come through GLib's main context. The program runs Qt's own event loop
// (QT_NO_GLIB), which never runs that context: while a job is out, it is run here. GLib is
// QtKeychain's own library, already loaded; its function is looked up, not linked.
class GlibContextPump {
public:
    static constexpr int kIntervalMs = 10;

    GlibContextPump() {
        QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        if (dispatcher != nullptr && dispatcher->inherits("QEventDispatcherGlib")) {
            return; // Qt runs the context itself
        }
        QLibrary glib(QStringLiteral("glib-2.0"), 0);
        iteration_ = reinterpret_cast<Iteration>(glib.resolve("g_main_context_iteration"));
        timer_.setInterval(kIntervalMs);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            while (iteration_(nullptr, 0) != 0) {
            }
        });
    }

    void JobStarted() {
        if (iteration_ != nullptr && jobs_++ == 0) {
            timer_.start();
        }
    }
    void JobFinished() {
        if (iteration_ != nullptr && --jobs_ == 0) {
            timer_.stop();
        }
    }

private:
    using Iteration = int (*)(void* context, int mayBlock);
    Iteration iteration_ = nullptr;
    QTimer timer_;
    int jobs_ = 0;
};

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
                         [this, done = std::move(done)](QKeychain::Job* finished) {
                             pump_.JobFinished();
                             done(finished->error() == QKeychain::NoError);
                         });
        pump_.JobStarted();
        job->start();
    }

    void Read(const QString& key, std::function<void(bool, const QString&)> done) override {
        auto* job = new QKeychain::ReadPasswordJob(kService);
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(key);
        QObject::connect(job, &QKeychain::Job::finished, job,
                         [this, job, done = std::move(done)](QKeychain::Job*) {
                             pump_.JobFinished();
                             done(job->error() == QKeychain::NoError, job->textData());
                         });
        pump_.JobStarted();
        job->start();
    }

    void Remove(const QString& key) override {
        auto* job = new QKeychain::DeletePasswordJob(kService);
        job->setAutoDelete(true);
        job->setInsecureFallback(false);
        job->setKey(key);
        QObject::connect(job, &QKeychain::Job::finished, job,
                         [this](QKeychain::Job*) { pump_.JobFinished(); });
        pump_.JobStarted();
        job->start();
    }

private:
    GlibContextPump pump_;
};

} // namespace

std::unique_ptr<SecretStore> KeychainPlugin::CreateSecretStore() {
    return std::make_unique<Keychain>();
}
