#pragma once
// A history kept in a list, for the history's rules.

#include "HistoryStore.h"

#include <vector>

class ListHistoryStore final : public HistoryStore {
public:
    void Record(const HistoryRecord& record) override { records.push_back(record); }
    std::vector<HistoryRecord> records;
};
