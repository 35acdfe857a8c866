#include "HistoryText.h"

#include "Cp1250.h"
#include "Lekce.h"
#include "SpeedMeter.h"

#include <cstdio>
#include <ctime>

namespace {

std::tm LocalTime(int64_t endedAt) {
    const std::time_t t = static_cast<std::time_t>(endedAt);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

std::string Format(const char* format, const std::tm& time) {
    char buffer[64];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &time);
    return std::string(buffer, n);
}

} // namespace

std::string HistoryText::Date(int64_t endedAt) {
    const std::tm t = LocalTime(endedAt);
    return std::to_string(t.tm_mday) + ". " + std::to_string(t.tm_mon + 1) + ". " +
           std::to_string(t.tm_year + 1900);
}

std::string HistoryText::DateAndTime(int64_t endedAt) {
    return Date(endedAt) + Format(" %H:%M", LocalTime(endedAt));
}

std::string HistoryText::DateTime(int64_t endedAt) {
    return Format("%Y-%m-%d %H:%M:%S", LocalTime(endedAt));
}

std::string HistoryText::Duration(int milliseconds) {
    const int seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60,
                  seconds % 60);
    return text;
}

std::string HistoryText::Result(const HistoryRecord& record) {
    return std::to_string(record.absoluteSpeed) + Cp1250::FromUtf8(" úhozů/min, ") +
           FormatPerMille(record.ErrorPerMille()) + " % chyb";
}

std::string HistoryText::LessonName(int lesson, bool qwertz) {
    if (lesson < 1) {
        return Cp1250::FromUtf8("Vlastní text");
    }
    std::string name = "Lekce " + std::to_string(lesson);
    if (LayoutMatters(lesson)) {
        name += qwertz ? " (QWERTZ)" : " (QWERTY)";
    }
    return name;
}

std::string HistoryText::TextName(const HistoryRecord& record) {
    if (record.IsLesson() || !record.practiceOf) {
        return LessonName(record.lesson, record.qwertz);
    }
    std::string name = Cp1250::FromUtf8("Procvičení");
    if (*record.practiceOf >= 1) {
        name += " lekce " + std::to_string(*record.practiceOf);
    }
    return name;
}

bool HistoryText::LayoutMatters(int lesson) {
    return LEKCE::LessonFileName(lesson, true) != LEKCE::LessonFileName(lesson, false);
}
