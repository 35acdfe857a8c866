#include "LessonResults.h"

#include "Cp1250.h"
#include "HistoryText.h"

#include <tuple>

LessonResults::LessonResults(std::vector<LessonResult> rows) {
    for (LessonResult& row : rows) {
        const std::pair<int, bool> key{row.lesson, row.qwertz};
        rows_.emplace(key, std::move(row));
    }
}

void LessonResults::Add(const HistoryRecord& record) {
    if (!record.IsLesson()) {
        return;
    }
    const std::pair<int, bool> key = Key(record);
    LessonResult& row = rows_[key];
    if (row.count == 0) {
        row.lesson = key.first;
        row.qwertz = key.second;
        row.best = record;
        row.last = record;
    } else {
        if (IsBetter(record, row.best)) {
            row.best = record;
        }
        if (IsLater(record, row.last)) {
            row.last = record;
        }
    }
    ++row.count;
}

std::vector<LessonResult> LessonResults::Rows() const {
    std::vector<LessonResult> rows;
    rows.reserve(rows_.size());
    for (const auto& entry : rows_) {
        rows.push_back(entry.second);
    }
    return rows;
}

std::map<int, std::string> LessonResults::PassedLessons(bool qwertz) const {
    std::map<int, std::string> passed;
    for (const auto& [key, row] : rows_) {
        if (row.Passed() && (!HistoryText::LayoutMatters(row.lesson) || row.qwertz == qwertz)) {
            passed[row.lesson] = Cp1250::FromUtf8("Nejlepší výsledek: ") +
                                 HistoryText::Result(row.best) + " (" +
                                 HistoryText::Date(row.best.endedAt) + ")";
        }
    }
    return passed;
}

std::pair<int, bool> LessonResults::Key(const HistoryRecord& record) {
    return {record.lesson, HistoryText::LayoutMatters(record.lesson) && record.qwertz};
}

bool LessonResults::IsBetter(const HistoryRecord& a, const HistoryRecord& b) {
    return std::make_tuple(a.passed, a.absoluteSpeed, -a.ErrorPerMille(), a.endedAt, a.id) >
           std::make_tuple(b.passed, b.absoluteSpeed, -b.ErrorPerMille(), b.endedAt, b.id);
}

bool LessonResults::IsLater(const HistoryRecord& a, const HistoryRecord& b) {
    return std::tie(a.endedAt, a.id) > std::tie(b.endedAt, b.id);
}
