#include "HistoryRecord.h"

#include "Evaluation.h"
#include "FinishedText.h"
#include "Lekce.h"

HistoryRecord HistoryRecord::OfEvaluation(const EvaluationInput& input,
                                          const Evaluation& evaluation, const LEKCE& store,
                                          int64_t endedAt) {
    HistoryRecord record;
    record.endedAt = endedAt;
    record.lesson = input.currentLesson >= 1 ? input.currentLesson : -1;
    record.qwertz = record.IsLesson() && store.Qwertz;
    if (!record.IsLesson()) {
        record.fileName = store.DisplayFileName;
    }
    record.keystrokes = input.lessonKeystrokes;
    record.correct = input.lessonCorrect;
    record.errors = input.lessonErrors;
    record.typingMs = input.lessonMs;
    record.averageSpeed = evaluation.apparentSpeedValue;
    record.absoluteSpeed = evaluation.absoluteSpeed;
    record.errorGrade = evaluation.errorGrade;
    record.speedGrade = evaluation.speedGrade;
    record.passed = evaluation.passed;
    return record;
}

HistoryRecord HistoryRecord::OfFinishedText(const SpeedMeter& meter, const LEKCE& store,
                                            int64_t endedAt) {
    const EvaluationInput input = FinishedTextInput(meter, store);
    return OfEvaluation(input, Evaluate(input), store, endedAt);
}

int HistoryRecord::ErrorPerMille() const {
    return keystrokes > 0 ? static_cast<int>(int64_t{errors} * 1000 / keystrokes) : 0;
}
