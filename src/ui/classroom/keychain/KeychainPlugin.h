#pragma once
// The plugin object that the program finds in klaptos_keychain.so: the desktop's secret store
// through QtKeychain, which is loaded with it and not before.

#include "SecretStore.h"

#include <QObject>

class KeychainPlugin final : public QObject, public SecretStorePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.klaptos.SecretStorePlugin/1")
    Q_INTERFACES(SecretStorePlugin)

public:
    [[nodiscard]] std::unique_ptr<SecretStore> CreateSecretStore() override;
};
