#pragma once
// The end-of-lesson evaluation: the summary figures and the sentences that judge them,
// decided from the statistics alone so that the window only shows the result.
// All texts are code page 1250.

#include <string>
#include <vector>

enum class EvaluationAnswer {
    Next,   // "&Přejít k další lekci" / "&Otevřít soubor"
    Repeat, // "&Opakovat lekci", also the window's close box
    Quit,   // "&Ukončit program"
    // "Procvičit chyby" below the evaluation: the practice text has begun, in STOP mode.
    Practice,
};

struct EvaluationInput {
    int lessonKeystrokes = 0;
    int lessonErrors = 0;
    int lessonCorrect = 0;
    int lessonMs = 0;
    int currentLesson = 0; // 1..44, -1 own text, 0 nothing
    int totalChars = 0;
    std::string displayFileName;
};

struct EvaluationLine {
    std::string text;
    bool bold = false;
};

struct Evaluation {
    std::string caption;
    std::string nextCaption;
    std::string repeatCaption;
    bool nextEnabled = true;

    std::string keystrokes;    // EditKPocetUhozu
    std::string frequency;     // EditKFrekvence, "%d,%d"
    std::string errors;        // EditKChyby
    std::string time;          // EditKDoba, "%02d:%02d:%02d"
    std::string apparentSpeed; // EditKRychlost
    std::string absSpeed;      // EditKAbsRychlost
    bool frequencyHighlighted = false;
    bool absSpeedHighlighted = false;

    int frequencyPerMille = 0; // f
    int absoluteSpeed = 0;     // o
    int expectedSpeed = 0;     // u
    int errorGrade = 1;        // A
    int speedGrade = 1;        // D

    // EditKRychlost as a number, keystrokes per minute.
    int apparentSpeedValue = 0;
    // Only part of the text was typed (the first line warns that the judgement is skewed).
    bool partial = false;
    // The verdict the history keeps: going on is recommended, and for the whole text.
    bool passed = false;

    std::vector<EvaluationLine> lines; // bulleted paragraphs, in order
};

[[nodiscard]] Evaluation Evaluate(const EvaluationInput& input);
// u, keystrokes per minute the lesson expects (-1 an own text).
[[nodiscard]] int ExpectedSpeed(int lesson);
