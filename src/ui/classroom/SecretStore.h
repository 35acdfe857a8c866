#pragma once
// The desktop's secret store (GNOME Keyring, KWallet, ... through the Secret Service), where
// a class's password is kept when the desktop has one. It lives in the plugin
// klaptos_keychain.so with QtKeychain, loaded only for a class.

#include <QString>
#include <QtPlugin>

#include <functional>
#include <memory>

class SecretStore {
public:
    virtual ~SecretStore() = default;
    // Whether a secret store answers in this desktop session.
    [[nodiscard]] virtual bool Available() = 0;
    // Each answers on the window's thread once the store has answered.
    virtual void Write(const QString& key, const QString& password,
                       std::function<void(bool written)> done) = 0;
    virtual void Read(const QString& key,
                      std::function<void(bool found, const QString& password)> done) = 0;
    virtual void Remove(const QString& key) = 0;
};

class SecretStorePlugin {
public:
    virtual ~SecretStorePlugin() = default;
    [[nodiscard]] virtual std::unique_ptr<SecretStore> CreateSecretStore() = 0;
};

Q_DECLARE_INTERFACE(SecretStorePlugin, "org.klaptos.SecretStorePlugin/1")
