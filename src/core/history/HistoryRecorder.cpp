#include "HistoryRecorder.h"

#include "Lekce.h"
#include "SpeedMeter.h"

#include <ctime>
#include <utility>

HistoryRecorder::HistoryRecorder(HistoryStore& history, const SpeedMeter& meter, const LEKCE& store,
                                 WallClock now)
    : history_(history), meter_(meter), store_(store), now_(std::move(now)) {
    if (!now_) {
        now_ = [] { return static_cast<int64_t>(std::time(nullptr)); };
    }
}

void HistoryRecorder::TextFinished() {
    if (store_.CurrentLesson == 0) {
        return; // nothing was loaded, so nothing was typed
    }
    history_.Record(HistoryRecord::OfFinishedText(meter_, store_, now_()));
}
