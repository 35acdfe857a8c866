#include "LessonResults.h"

#include "Cp1250.h"
#include "HistoryText.h"

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
