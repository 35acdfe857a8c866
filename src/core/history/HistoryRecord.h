#pragma once
// One finished text as the history keeps it: when it ended, what was typed, and the figures
// and verdict of its evaluation.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

class LEKCE;
class SpeedMeter;
struct Evaluation;
struct EvaluationInput;

struct HistoryRecord {
    int64_t id = 0;       // the store's row number; 0 before it is stored
    int64_t endedAt = 0;  // seconds since 1970-01-01 UTC
    int lesson = 0;       // 1..44 a lesson, -1 an own text
    bool qwertz = false;  // the layout of a lesson; false for an own text
    std::string fileName; // an own text's path as the file system's bytes; empty for a lesson
    // An own text that practised the pupil's errors: the lesson it practised, 0 when not known;
    // nullopt for any other text.
    std::optional<int> practiceOf;
    int keystrokes = 0;
    int correct = 0;
    int errors = 0;
    int typingMs = 0;
    int averageSpeed = 0;  // all keystrokes per minute of the whole text ("Zdánlivá rychlost")
    int absoluteSpeed = 0; // correct keystrokes per minute of the whole text
    int errorGrade = 1;    // 1..5, the evaluation's A
    int speedGrade = 1;    // 1..5, the evaluation's D
    bool passed = false;   // the evaluation recommended going on, after the whole text
    // Wrong keystrokes by the character that was expected (a code page 1250 byte, Enter as
    // line feed), only characters with errors; empty when they were not counted.
    std::map<unsigned char, int> keyErrors;

    // The text that has just ended: its figures as the evaluation was given them, its speeds,
    // grades and verdict as the evaluation judged them.
    [[nodiscard]] static HistoryRecord OfEvaluation(const EvaluationInput& input,
                                                    const Evaluation& evaluation,
                                                    const LEKCE& store, int64_t endedAt);
    // The same for the text the meter and the store hold now, judged as the pupil sees it.
    [[nodiscard]] static HistoryRecord OfFinishedText(const SpeedMeter& meter, const LEKCE& store,
                                                      int64_t endedAt);

    [[nodiscard]] bool IsLesson() const { return lesson >= 1; }
    // Errors per mille of keystrokes, as the evaluation counts them.
    [[nodiscard]] int ErrorPerMille() const;

    friend bool operator==(const HistoryRecord&, const HistoryRecord&) = default;
};
