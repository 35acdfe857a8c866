#pragma once
// The best and the last result of each lesson in the history, and the lessons passed.

#include "HistoryRecord.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

struct LessonResult {
    int lesson = 0;
    bool qwertz = false; // meaningful only where the layout changes the lesson
    HistoryRecord best;
    HistoryRecord last;
    int count = 0;
    // Passed: the last evaluation of the lesson recommended going on.
    [[nodiscard]] bool Passed() const { return last.passed; }
    friend bool operator==(const LessonResult&, const LessonResult&) = default;
};

class LessonResults {
public:
    LessonResults() = default;
    // Rows as Rows() gives them.
    explicit LessonResults(std::vector<LessonResult> rows);

    // Counts one more text; own texts are left out.
    void Add(const HistoryRecord& record);

    // One row per lesson, a lesson that is the same on both layouts being one row; by lesson,
    // QWERTY before QWERTZ.
    [[nodiscard]] std::vector<LessonResult> Rows() const;

    // The lessons passed on the given layout, each with "Nejlepší výsledek: ..." for the
    // lesson dialog's tooltip (code page 1250).
    [[nodiscard]] std::map<int, std::string> PassedLessons(bool qwertz) const;

    // The row a lesson's text belongs to: the lesson, and its layout where that changes it.
    [[nodiscard]] static std::pair<int, bool> Key(const HistoryRecord& record);
    // Better: passed before not passed, then the higher absolute speed, then fewer errors
    // per mille, then the later, then the later stored.
    [[nodiscard]] static bool IsBetter(const HistoryRecord& a, const HistoryRecord& b);
    // Later: the later end, then the later stored.
    [[nodiscard]] static bool IsLater(const HistoryRecord& a, const HistoryRecord& b);

private:
    std::map<std::pair<int, bool>, LessonResult> rows_;
};
