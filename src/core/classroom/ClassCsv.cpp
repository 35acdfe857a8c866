#include "ClassCsv.h"

#include "ClassOverview.h"
#include "HistoryText.h"
#include "LessonCount.h"
#include "SpeedMeter.h"

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
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

} // namespace

std::string ClassCsv::CharacterName(const std::string& character) {
    if (character == "\n") {
        return "Enter";
    }
    if (character == " ") {
        return "mezera";
    }
    return character;
}

std::string ClassCsv::Text(const ClassOverview& overview) {
    std::string csv = kByteOrderMark;
    csv += "Žák;Výsledků;Poslední činnost;Prošlé lekce;Chybovost (%);"
           "Opis: nejlepší čistá rychlost;Opis: známka";
    for (int lesson = 1; lesson <= kLessonCount; ++lesson) {
        csv += ";Lekce " + std::to_string(lesson);
    }
    csv += kLineEnd;
    for (const PupilSummary& pupil : overview.Pupils()) {
        csv += Field(pupil.login) + ';' + std::to_string(pupil.results) + ';' +
               (pupil.lastActivity > 0 ? HistoryText::DateTime(pupil.lastActivity) : "") + ';' +
               std::to_string(pupil.passedLessons.size()) + ';' +
               (pupil.keystrokes > 0 ? FormatPerMille(pupil.ErrorPerMille()) : "") + ';' +
               pupil.CopySpeedText() + ';' + pupil.CopyGradeText();
        for (int lesson = 1; lesson <= kLessonCount; ++lesson) {
            csv += pupil.passedLessons.contains(lesson) ? ";✓" : ";";
        }
        csv += kLineEnd;
    }
    csv += kLineEnd;
    csv += std::string("Znak;Chyby celé třídy") + kLineEnd;
    for (const auto& [character, count] : overview.KeyErrors()) {
        csv += Field(CharacterName(character)) + ';' + std::to_string(count) + kLineEnd;
    }
    return csv;
}
