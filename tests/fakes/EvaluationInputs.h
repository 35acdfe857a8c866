#pragma once
// Statistics of finished texts that several tests of the evaluation start from.

#include "Evaluation.h"

// Lesson 5, 600 keystrokes in 6 minutes, 3 errors, 590 right, a text of 600 characters:
// frequency 0,5 %, absolute speed 98.
inline EvaluationInput GoodLessonFive() {
    EvaluationInput in;
    in.currentLesson = 5;
    in.lessonKeystrokes = 600;
    in.lessonErrors = 3;
    in.lessonCorrect = 590;
    in.lessonMs = 6 * 60000;
    in.totalChars = 600;
    return in;
}
