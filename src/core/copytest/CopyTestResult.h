#pragma once
// The figures of one finished timed copy, as the norm scores it: plain values that a result
// sheet shows and a history can keep.

#include <string>

// "školní": 10 keystrokes off per error; "soutěžní": 50.
enum class CopyRules { School, Competition };

// Numbered from the best, so that a grade's number is one more than its value.
enum class CopyGrade { One = 0, Two = 1, Three = 2, Failed = 3 };

// What kept the result from the next better grade (from grade 3, when it failed).
enum class GradeLimit { None, Speed, Errors, SpeedAndErrors };

struct CopyTestResult {
    std::string title; // of the copy text, code page 1250
    int minutes = 10;
    CopyRules rules = CopyRules::School;
    int gross = 0; // hrubé úhozy: the norm's keystrokes of everything typed
    int errors = 0;
    int penalty = 0;             // keystrokes off for one error
    int net = 0;                 // gross less the penalties, never below zero
    int netPerMinute = 0;        // over the chosen duration, truncated
    int errorRateHundredths = 0; // errors × 100 / gross in hundredths of a per cent, rounded
    CopyGrade grade = CopyGrade::Failed;
    GradeLimit limit = GradeLimit::None;

    friend bool operator==(const CopyTestResult&, const CopyTestResult&) = default;
};
