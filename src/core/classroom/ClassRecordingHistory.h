#pragma once
// The history as the program records into it while a class is joined: every finished text is
// kept in the history as ever, and then queued for the class database under an id of its own.

#include "HistoryStore.h"

#include <functional>
#include <string>

class ClassResultSink;

class ClassRecordingHistory final : public HistoryStore {
public:
    // A new unique id (UUID) for each result.
    using IdSource = std::function<std::string()>;

    // `practicePath`: the practice text's file, whose texts are practice.
    ClassRecordingHistory(HistoryStore& history, ClassResultSink& sink, IdSource newId,
                          std::string practicePath);

    void Record(const HistoryRecord& record) override;
    // A timed copy reaches the class by its own way (the feature hears the copy test).
    void RecordCopyTest(const CopyTestRecord& record) override { history_.RecordCopyTest(record); }

private:
    HistoryStore& history_;
    ClassResultSink& sink_;
    IdSource newId_;
    std::string practicePath_;
};
