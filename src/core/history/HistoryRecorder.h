#pragma once
// Records every text the pupil finishes in the history, as a typing observer.

#include "HistoryStore.h"
#include "TypingObserver.h"

#include <cstdint>
#include <functional>
#include <optional>

class KeyErrorCounts;
class LEKCE;
class SpeedMeter;

// What the recorder adds to a finished text from outside the typing.
struct RecorderSources {
    // The text's errors per character when they are counted (an error analysis), read when the
    // text ends, before the next text clears them; nullptr for none.
    const KeyErrorCounts* keyErrors = nullptr;
    // While the store holds a practice text of the pupil's errors: the lesson it practises, 0
    // when not known; nullopt for any other text. Empty: no text is a practice text.
    std::function<std::optional<int>()> practiceOf;
    // Seconds since 1970-01-01 UTC; tests set it. Empty: the system's clock.
    std::function<int64_t()> now;
};

class HistoryRecorder final : public TypingObserver {
public:
    using Sources = RecorderSources;

    HistoryRecorder(HistoryStore& history, const SpeedMeter& meter, const LEKCE& store,
                    Sources sources = {});

    void TextFinished() override;

private:
    HistoryStore& history_;
    const SpeedMeter& meter_;
    const LEKCE& store_;
    Sources sources_;
};
