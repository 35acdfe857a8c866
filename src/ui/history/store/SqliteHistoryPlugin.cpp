#include "SqliteHistoryPlugin.h"

#include "QtHistoryStore.h"

std::unique_ptr<HistoryStore> SqliteHistoryPlugin::CreateHistoryStore(const std::string& dataDir,
                                                                      Reporter& reporter) {
    return std::make_unique<QtHistoryStore>(dataDir, reporter);
}
