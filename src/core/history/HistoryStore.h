#pragma once
// Where finished results go to be kept across runs: the seam between the typing and the
// history's database. Each kind of result has a Record of its own.

#include "HistoryRecord.h"

class HistoryStore {
public:
    virtual ~HistoryStore() = default;
    // Keeps one finished text. Never throws and never waits for the database: a store that
    // cannot keep it tells the pupil once and goes on without.
    virtual void Record(const HistoryRecord& record) = 0;
};
