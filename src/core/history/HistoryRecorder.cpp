#include "HistoryRecorder.h"

#include "KeyErrorCounts.h"
#include "Lekce.h"
#include "PracticeIntro.h"
#include "SpeedMeter.h"

#include <ctime>
#include <utility>

HistoryRecorder::HistoryRecorder(HistoryStore& history, const SpeedMeter& meter, const LEKCE& store,
                                 const KeyErrorCounts* keyErrors, WallClock now)
    : history_(history), meter_(meter), store_(store), keyErrors_(keyErrors), now_(std::move(now)) {
    if (!now_) {
        now_ = [] { return static_cast<int64_t>(std::time(nullptr)); };
    }
}

void HistoryRecorder::TextFinished() {
    if (store_.CurrentLesson == 0) {
        return; // nothing was loaded, so nothing was typed
    }
    HistoryRecord record = HistoryRecord::OfFinishedText(meter_, store_, now_());
    record.practisedLesson = PracticeIntro::PractisedLesson(store_);
    if (keyErrors_ != nullptr) {
        for (int c = 0; c < KeyErrorCounts::kBytes; ++c) {
            if (const int errors = keyErrors_->Errors(static_cast<unsigned char>(c)); errors > 0) {
                record.keyErrors.emplace(static_cast<unsigned char>(c), errors);
            }
        }
    }
    history_.Record(record);
}
