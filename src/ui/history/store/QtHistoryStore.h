#pragma once
// Keeps the history of finished texts in an SQLite database in the pupil's data folder,
// through Qt SQL. Opened when first needed, so that start-up does not wait for it.

#include "HistoryStore.h"

#include <QSqlError>
#include <QString>

#include <string>

class Reporter;

class QtHistoryStore final : public HistoryStore {
public:
    static constexpr const char* kFileName = "historie.sqlite";
    static constexpr int kSchemaVersion = 3;

    // `dataDir`: the per-user data folder, created when missing. Problems go to `reporter`,
    // at most once per run.
    QtHistoryStore(std::string dataDir, Reporter& reporter);
    ~QtHistoryStore() override;
    QtHistoryStore(const QtHistoryStore&) = delete;
    QtHistoryStore& operator=(const QtHistoryStore&) = delete;

    void Record(const HistoryRecord& record) override;
    [[nodiscard]] std::vector<HistoryRecord> Records() override;

    // Opens the database if it is not open yet; false while the history is not kept.
    bool IsKept();
    [[nodiscard]] QString Path() const;

private:
    enum class Outcome { Open, Damaged, Failed };

    Outcome TryOpen(QString& reason);
    bool Migrate(int version, QSqlError& error);
    void Close();
    // Moves a damaged file (and its journal) aside; returns the name it now has.
    QString MoveAside();
    void ReportOnce(const QString& message);
    [[nodiscard]] QString Reason(const QSqlError& error) const;

    QString dataDir_;
    Reporter& reporter_;
    QString connection_;
    bool open_ = false;
    bool reported_ = false;
};
