#pragma once
// The best and the last result of each lesson in the history, and the lessons passed.

#include "HistoryRecord.h"

#include <map>
#include <string>
#include <vector>

struct LessonResult {
    int lesson = 0;
    bool qwertz = false; // meaningful only where the layout changes the lesson
    // Best: passed before not passed, then the higher absolute speed, then fewer errors per
    // mille, then the later. Last: the latest to end.
    HistoryRecord best;
    HistoryRecord last;
    int count = 0;
    // Passed: the last evaluation of the lesson recommended going on.
    [[nodiscard]] bool Passed() const { return last.passed; }
    friend bool operator==(const LessonResult&, const LessonResult&) = default;
};

class LessonResults {
public:
    // One row per lesson, a lesson that is the same on both layouts being one row; by lesson,
    // QWERTY before QWERTZ.
    explicit LessonResults(std::vector<LessonResult> rows) : rows_(std::move(rows)) {}

    [[nodiscard]] const std::vector<LessonResult>& Rows() const { return rows_; }

    // The lessons passed on the given layout, each with "Nejlepší výsledek: ..." for the
    // lesson dialog's tooltip (code page 1250).
    [[nodiscard]] std::map<int, std::string> PassedLessons(bool qwertz) const;

private:
    std::vector<LessonResult> rows_;
};
