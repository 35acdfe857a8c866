// A text typed to its end through the engine is recorded once, with its errors per character
// read before the evaluation's repeat clears them.

#include "HistoryRecorder.h"
#include "ErrorCounter.h"
#include "ListHistoryStore.h"
#include "TypingRig.h"

#include <gtest/gtest.h>

namespace {

TEST(HistoryRecorderTyping, AFinishedLessonKeepsItsErrorsPerCharacterAfterTheRepeatClearsThem) {
    TypingRig rig;
    rig.dir.AddLesson(1, "Úvod", {"řeka", "ok"});
    ListHistoryStore history;
    ErrorCounter counter;
    HistoryRecorder recorder(history, rig.meter, rig.store, &counter.Counts(),
                             [] { return int64_t{1741780800}; });
    // The recorder hears the end first: the counter has nothing to do with the end.
    rig.engine.AddObserver(recorder);
    rig.engine.AddObserver(counter);
    rig.window.nextEvaluationAnswer = EvaluationAnswer::Repeat;
    rig.options.ErrIsRep = false; // two errors in a line do not repeat it
    rig.StartLesson(1);

    rig.Type("rřeka"); // r where ř was due
    rig.Enter();
    rig.Type("oxk"); // x where k was due
    rig.Type("y");   // a character at the end of the line is owed to Enter
    rig.Enter();

    ASSERT_EQ(rig.window.evaluationsShown, 1);
    ASSERT_EQ(history.records.size(), std::size_t{1});
    const HistoryRecord& text = history.records[0];
    EXPECT_EQ(text.keyErrors, (std::map<unsigned char, int>{
                                  {static_cast<unsigned char>(Cp1250::FromUtf8("ř")[0]), 1},
                                  {'k', 1},
                                  {TypingLine::kEndOfLine, 1}}));
    EXPECT_EQ(text.errors, 3);
    EXPECT_EQ(text.lesson, 1);
    // The repeat began the text again: the counts are gone, the record keeps them.
    EXPECT_TRUE(counter.Counts().Empty());

    // Without an error analysis the record has no counts.
    HistoryRecorder plain(history, rig.meter, rig.store);
    plain.TextFinished();
    EXPECT_TRUE(history.records.back().keyErrors.empty());
}

} // namespace
