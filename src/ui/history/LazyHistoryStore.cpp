#include "LazyHistoryStore.h"

#include "HistoryStorePlugin.h"
#include "PluginFile.h"
#include "QtText.h"
#include "Reporter.h"

#include <utility>

LazyHistoryStore::LazyHistoryStore(std::string dataDir, Reporter& reporter, QStringList pluginDirs)
    : dataDir_(std::move(dataDir)), reporter_(reporter), pluginDirs_(std::move(pluginDirs)) {}

// The store is made by the plugin's code, so it goes before the plugin could.
LazyHistoryStore::~LazyHistoryStore() = default;

HistoryStore* LazyHistoryStore::Store() {
    if (tried_) {
        return store_.get();
    }
    tried_ = true;
    QString problems;
    auto* plugin =
        qobject_cast<HistoryStorePlugin*>(PluginFile::Load(kPluginName, pluginDirs_, problems));
    if (plugin != nullptr) {
        store_ = plugin->CreateHistoryStore(dataDir_, reporter_);
    }
    if (store_ == nullptr) {
        reporter_.ReportError(QtText::ToCp1250(
            QString::fromUtf8("Historie psaní se nezaznamenává: chybí knihovna %1.so nebo ji "
                              "nelze načíst.")
                .arg(QString::fromLatin1(kPluginName)) +
            problems));
    }
    return store_.get();
}

void LazyHistoryStore::Record(const HistoryRecord& record) {
    if (HistoryStore* store = Store()) {
        store->Record(record);
    }
}

std::vector<HistoryRecord> LazyHistoryStore::Records() {
    if (HistoryStore* store = Store()) {
        return store->Records();
    }
    return {};
}
