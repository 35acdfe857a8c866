#include "ClassRecordingHistory.h"

#include "ClassResult.h"
#include "ClassResultSink.h"

#include <utility>

ClassRecordingHistory::ClassRecordingHistory(HistoryStore& history, ClassResultSink& sink,
                                             IdSource newId, std::string practicePath)
    : history_(history), sink_(sink), newId_(std::move(newId)),
      practicePath_(std::move(practicePath)) {}

void ClassRecordingHistory::Record(const HistoryRecord& record) {
    history_.Record(record);
    if (sink_.WantsResults()) {
        sink_.Queue(ClassResult::OfHistoryRecord(record, newId_(), practicePath_));
    }
}
