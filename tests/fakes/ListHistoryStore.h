#pragma once
// A history kept in a list, for the progress window and the history rules.

#include "HistoryStore.h"

#include <vector>

class ListHistoryStore final : public HistoryStore {
public:
    void Record(const HistoryRecord& record) override { records.push_back(record); }
    std::vector<HistoryRecord> Records() override { return records; }
    std::vector<HistoryRecord> records;
};
