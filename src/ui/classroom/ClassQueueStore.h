#pragma once
// The results waiting for the class database, in the history's own database (the table
// class_queue, a step of HistorySchema), so that they survive restarts and kills with the
// history. Used from one thread, the one that made it: the window's or the class sender's.

#include "ResultQueue.h"

#include <QString>

#include <string>

class Reporter;

class ClassQueueStore final : public ResultQueue {
public:
    // `dataDir`: the per-user data folder of the history; problems go to `reporter`, once.
    ClassQueueStore(std::string dataDir, Reporter& reporter);
    ~ClassQueueStore() override;
    ClassQueueStore(const ClassQueueStore&) = delete;
    ClassQueueStore& operator=(const ClassQueueStore&) = delete;

    // Opens the history (which brings its tables up to date) if it is not open yet; false
    // while the history is not kept or another program holds its lock.
    bool IsKept();

    bool Add(const QueuedResult& result) override;
    [[nodiscard]] std::vector<QueuedResult> Oldest(int count) override;
    bool Remove(const std::vector<std::string>& ids) override;
    [[nodiscard]] int Count();

private:
    // The history writes into the same file from its own thread.
    static constexpr int kBusyTimeoutMs = 5000;

    std::string dataDir_;
    Reporter& reporter_;
    QString connection_;
    bool open_ = false;
};
