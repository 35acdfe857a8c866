#pragma once
// What the history's plugin offers the program: the database of finished texts, made on
// first use, so that the program itself never loads Qt SQL.

#include <QtPlugin>

#include <memory>
#include <string>

class HistoryStore;
class Reporter;

class HistoryStorePlugin {
public:
    virtual ~HistoryStorePlugin() = default;
    // The history kept in `dataDir` (made when missing); its problems go to `reporter`.
    [[nodiscard]] virtual std::unique_ptr<HistoryStore>
    CreateHistoryStore(const std::string& dataDir, Reporter& reporter) = 0;
};

Q_DECLARE_INTERFACE(HistoryStorePlugin, "org.klaptos.HistoryStorePlugin/1")
