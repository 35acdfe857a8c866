#include "HistoryRecord.h"

#include "Evaluation.h"
#include "FinishedText.h"
#include "Lekce.h"
#include "SpeedMeter.h"

HistoryRecord HistoryRecord::OfFinishedText(const SpeedMeter& meter, const LEKCE& store,
                                            int64_t endedAt) {
    const Evaluation evaluation = Evaluate(FinishedTextInput(meter, store));

    HistoryRecord record;
    record.endedAt = endedAt;
    record.lesson = store.CurrentLesson >= 1 ? store.CurrentLesson : -1;
    record.qwertz = record.IsLesson() && store.Qwertz;
    if (!record.IsLesson()) {
        record.fileName = store.DisplayFileName;
    }
    record.keystrokes = meter.lessonKeystrokes;
    record.correct = meter.lessonCorrect;
    record.errors = meter.lessonErrors;
    record.typingMs = meter.lessonMs;
    record.averageSpeed = std::stoi(evaluation.apparentSpeed);
    record.absoluteSpeed = evaluation.absoluteSpeed;
    record.errorGrade = evaluation.errorGrade;
    record.speedGrade = evaluation.speedGrade;
    // The evaluation's first recommendation, "Můžete s klidem přejít k následujícímu cvičení."
    record.passed = evaluation.errorGrade <= 2 && evaluation.speedGrade <= 2;
    return record;
}

int HistoryRecord::ErrorPerMille() const {
    return keystrokes > 0 ? static_cast<int>(int64_t{errors} * 1000 / keystrokes) : 0;
}
