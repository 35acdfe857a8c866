#include "FinishedText.h"

#include "Cp1250.h"
#include "Lekce.h"
#include "SpeedMeter.h"

EvaluationInput FinishedTextInput(const SpeedMeter& meter, const LEKCE& store) {
    EvaluationInput input;
    input.lessonKeystrokes = meter.lessonKeystrokes;
    input.lessonErrors = meter.lessonErrors;
    input.lessonCorrect = meter.lessonCorrect;
    input.lessonMs = meter.lessonMs;
    input.currentLesson = store.CurrentLesson;
    input.totalChars = store.TotalChars;
    // The path is the file system's own bytes; the window shows it in the code page.
    input.displayFileName = Cp1250::FromUtf8(store.DisplayFileName);
    return input;
}
