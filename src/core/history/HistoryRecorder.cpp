#include "HistoryRecorder.h"

#include "KeyErrorCounts.h"
#include "Lekce.h"
#include "SpeedMeter.h"

#include <ctime>
#include <utility>

HistoryRecorder::HistoryRecorder(HistoryStore& history, const SpeedMeter& meter, const LEKCE& store,
                                 Sources sources)
    : history_(history), meter_(meter), store_(store), sources_(std::move(sources)) {
    if (!sources_.now) {
        sources_.now = [] { return static_cast<int64_t>(std::time(nullptr)); };
    }
}

void HistoryRecorder::TextFinished() {
    if (store_.CurrentLesson == 0) {
        return; // nothing was loaded, so nothing was typed
    }
    HistoryRecord record = HistoryRecord::OfFinishedText(meter_, store_, sources_.now());
    if (!record.IsLesson() && sources_.practiceOf) {
        record.practiceOf = sources_.practiceOf();
    }
    if (sources_.keyErrors != nullptr) {
        for (int c = 0; c < KeyErrorCounts::kBytes; ++c) {
            const auto character = static_cast<unsigned char>(c);
            if (const int errors = sources_.keyErrors->Errors(character); errors > 0) {
                record.keyErrors.emplace(character, errors);
            }
        }
    }
    history_.Record(record);
}
