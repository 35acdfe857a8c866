#pragma once
// Where finished texts are kept across runs: the seam between the history's rules and its
// database.

#include "HistoryRecord.h"

#include <vector>

class HistoryStore {
public:
    virtual ~HistoryStore() = default;
    // Keeps one finished text. Never throws and never stops typing: a store that cannot keep
    // it tells the pupil once and goes on without.
    virtual void Record(const HistoryRecord& record) = 0;
    // Every kept text, oldest first; empty when the history is not kept.
    [[nodiscard]] virtual std::vector<HistoryRecord> Records() = 0;
};
