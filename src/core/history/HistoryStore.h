#pragma once
// Where finished results go to be kept across runs: the seam between the typing and the
// history's database. Each kind of result has a Record of its own.

#include "CopyTestRecord.h"
#include "HistoryRecord.h"

class HistoryStore {
public:
    virtual ~HistoryStore() = default;
    // Keeps one finished text. Never throws and never waits for the database: a store that
    // cannot keep it tells the pupil once and goes on without.
    virtual void Record(const HistoryRecord& record) = 0;
    // Keeps one finished timed copy, as Record keeps a text.
    virtual void RecordCopyTest(const CopyTestRecord& record) = 0;
};
