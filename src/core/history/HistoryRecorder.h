#pragma once
// Records every text the pupil finishes in the history, as a typing observer.

#include "HistoryStore.h"
#include "TypingObserver.h"

#include <cstdint>
#include <functional>

class KeyErrorCounts;
class LEKCE;
class SpeedMeter;

class HistoryRecorder final : public TypingObserver {
public:
    // Seconds since 1970-01-01 UTC; tests set it.
    using WallClock = std::function<int64_t()>;

    // `keyErrors`: the text's errors per character when they are counted (an error
    // analysis), else nullptr; read when the text ends, before the next text clears them.
    HistoryRecorder(HistoryStore& history, const SpeedMeter& meter, const LEKCE& store,
                    const KeyErrorCounts* keyErrors = nullptr, WallClock now = {});

    void TextFinished() override;

private:
    HistoryStore& history_;
    const SpeedMeter& meter_;
    const LEKCE& store_;
    const KeyErrorCounts* keyErrors_;
    WallClock now_;
};
