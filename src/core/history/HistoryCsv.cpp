#include "HistoryCsv.h"

#include "HistoryText.h"
#include "SpeedMeter.h"

#include <array>

namespace {

constexpr std::array<const char*, 14> kColumns{
    "Datum a čas konce",
    "Lekce",
    "Rozložení klávesnice",
    "Vlastní text (soubor)",
    "Úhozy celkem",
    "Správné úhozy",
    "Chyby",
    "Frekvence chyb (%)",
    "Doba psaní (h:mm:ss)",
    "Zdánlivá rychlost (všechny úhozy za minutu)",
    "Průměrná rychlost (správné úhozy za minutu)",
    "Známka za chyby (1–5)",
    "Známka za rychlost (1–5)",
    "Doporučeno pokračovat",
};

constexpr char kSeparator = ';';
constexpr const char* kLineEnd = "\r\n";

std::string Field(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

// The lesson column: the lesson's number, the lesson a practice text practised, or nothing
// for an own text.
std::string LessonField(const HistoryRecord& r) {
    if (r.IsLesson()) {
        return std::to_string(r.lesson);
    }
    if (r.practiceOf) {
        return *r.practiceOf >= 1 ? "procvičení lekce " + std::to_string(*r.practiceOf)
                                  : "procvičení";
    }
    return "";
}

} // namespace

std::string HistoryCsv::Header() {
    std::string header = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        header += (i > 0 ? std::string(1, kSeparator) : std::string()) + kColumns[i];
    }
    return header + kLineEnd;
}

std::string HistoryCsv::Line(const HistoryRecord& r) {
    const std::array<std::string, kColumns.size()> fields{
        HistoryText::DateTime(r.endedAt),
        LessonField(r),
        r.IsLesson() ? (r.qwertz ? "QWERTZ" : "QWERTY") : "",
        // The file name is the file system's bytes, which are UTF-8 on the desktops we know.
        r.IsLesson() ? "" : Field(r.fileName),
        std::to_string(r.keystrokes),
        std::to_string(r.correct),
        std::to_string(r.errors),
        FormatPerMille(r.ErrorPerMille()),
        HistoryText::Duration(r.typingMs),
        std::to_string(r.averageSpeed),
        std::to_string(r.absoluteSpeed),
        std::to_string(r.errorGrade),
        std::to_string(r.speedGrade),
        r.passed ? "ano" : "ne",
    };
    std::string line;
    line.reserve(120);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += kSeparator;
        }
        line += fields[i];
    }
    return line + kLineEnd;
}

std::string HistoryCsv::Text(const std::vector<HistoryRecord>& records) {
    std::string csv = Header();
    csv.reserve(csv.size() + records.size() * 100);
    for (const HistoryRecord& r : records) {
        csv += Line(r);
    }
    return csv;
}
