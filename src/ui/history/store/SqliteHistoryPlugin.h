#pragma once
// The plugin object that the program finds in klaptos_history.so.

#include "HistoryStorePlugin.h"

#include <QObject>

class SqliteHistoryPlugin final : public QObject, public HistoryStorePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.klaptos.HistoryStorePlugin/1")
    Q_INTERFACES(HistoryStorePlugin)

public:
    [[nodiscard]] std::unique_ptr<HistoryStore> CreateHistoryStore(const std::string& dataDir,
                                                                   Reporter& reporter) override;
};
