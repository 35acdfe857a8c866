#pragma once
// The history as the program sees it: the SQLite store from the plugin klaptos_history.so,
// loaded on first use, so that start-up neither links nor loads Qt SQL.

#include "HistoryStore.h"

#include <QStringList>

#include <memory>
#include <string>

class Reporter;

class LazyHistoryStore final : public HistoryStore {
public:
    static constexpr const char* kPluginName = "klaptos_history";

    // `dataDir`: the per-user data folder. `pluginDirs`: where the plugin is looked for.
    LazyHistoryStore(std::string dataDir, Reporter& reporter, QStringList pluginDirs);
    ~LazyHistoryStore() override;
    LazyHistoryStore(const LazyHistoryStore&) = delete;
    LazyHistoryStore& operator=(const LazyHistoryStore&) = delete;

    // Without the plugin, nothing is kept and the pupil is told once, as for a history that
    // cannot be opened.
    void Record(const HistoryRecord& record) override;
    [[nodiscard]] std::vector<HistoryRecord> Records() override;

private:
    HistoryStore* Store();

    std::string dataDir_;
    Reporter& reporter_;
    QStringList pluginDirs_;
    std::unique_ptr<HistoryStore> store_;
    bool tried_ = false;
};
