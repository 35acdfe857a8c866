#include "LessonResults.h"

#include "Cp1250.h"
#include "HistoryText.h"

#include <algorithm>
#include <tuple>

LessonResults::LessonResults(const std::vector<HistoryRecord>& records) {
    std::map<std::pair<int, bool>, LessonResult> byLesson;
    for (const HistoryRecord& record : records) {
        if (!record.IsLesson()) {
            continue;
        }
        const bool qwertz = HistoryText::LayoutMatters(record.lesson) && record.qwertz;
        LessonResult& row = byLesson[{record.lesson, qwertz}];
        if (row.count == 0) {
            row.lesson = record.lesson;
            row.qwertz = qwertz;
            row.best = record;
            row.last = record;
        } else {
            if (IsBetter(record, row.best)) {
                row.best = record;
            }
            // Records come oldest first, but the order of equal times decides nothing.
            if (std::tie(record.endedAt, record.id) >= std::tie(row.last.endedAt, row.last.id)) {
                row.last = record;
            }
        }
        ++row.count;
    }
    rows_.reserve(byLesson.size());
    for (auto& entry : byLesson) {
        rows_.push_back(std::move(entry.second));
    }
}

std::map<int, std::string> LessonResults::PassedLessons(bool qwertz) const {
    std::map<int, std::string> passed;
    for (const LessonResult& row : rows_) {
        if (row.Passed() && (!HistoryText::LayoutMatters(row.lesson) || row.qwertz == qwertz)) {
            passed[row.lesson] = Cp1250::FromUtf8("Nejlepší výsledek: ") +
                                 HistoryText::Result(row.best) + " (" +
                                 HistoryText::Date(row.best.endedAt) + ")";
        }
    }
    return passed;
}

bool LessonResults::IsBetter(const HistoryRecord& a, const HistoryRecord& b) {
    return std::make_tuple(a.passed, a.absoluteSpeed, -a.ErrorPerMille(), a.endedAt) >
           std::make_tuple(b.passed, b.absoluteSpeed, -b.ErrorPerMille(), b.endedAt);
}
