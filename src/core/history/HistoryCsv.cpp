#include "HistoryCsv.h"

#include "HistoryText.h"

namespace {

constexpr const char* kHeader =
    "Konec,Lekce,Rozložení,Soubor,Úhozy,Správné úhozy,Chyby,Doba psaní (ms),"
    "Průměrná rychlost,Absolutní rychlost,Známka chyb,Známka rychlosti,Doporučen postup";

std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
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

} // namespace

std::string HistoryCsv::Text(const std::vector<HistoryRecord>& records) {
    std::string csv = std::string(kHeader) + "\r\n";
    csv.reserve(csv.size() + records.size() * 80);
    for (const HistoryRecord& r : records) {
        const std::string layout = !r.IsLesson() ? "" : r.qwertz ? "QWERTZ" : "QWERTY";
        // The file name is the file system's bytes, which are UTF-8 on the desktops we know.
        csv += HistoryText::DateTime(r.endedAt) + ',' + std::to_string(r.lesson) + ',' + layout +
               ',' + Field(r.fileName) + ',' + std::to_string(r.keystrokes) + ',' +
               std::to_string(r.correct) + ',' + std::to_string(r.errors) + ',' +
               std::to_string(r.typingMs) + ',' + std::to_string(r.averageSpeed) + ',' +
               std::to_string(r.absoluteSpeed) + ',' + std::to_string(r.errorGrade) + ',' +
               std::to_string(r.speedGrade) + ',' + (r.passed ? "ano" : "ne") + "\r\n";
    }
    return csv;
}
