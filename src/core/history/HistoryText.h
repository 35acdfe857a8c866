#pragma once
// How the history writes its dates, durations and results for the pupil and for export.
// Texts for the pupil are code page 1250 unless said otherwise.

#include "HistoryRecord.h"

#include <cstdint>
#include <string>

class HistoryText {
public:
    // Local date as Czech readers write it: "12. 3. 2025".
    [[nodiscard]] static std::string Date(int64_t endedAt);
    // Local date and time as Czech readers write them: "12. 3. 2025 14:05".
    [[nodiscard]] static std::string DateAndTime(int64_t endedAt);
    // Local date and time, sortable, as spreadsheets read them: "2025-03-12 14:05:33".
    [[nodiscard]] static std::string DateTime(int64_t endedAt);
    // Hours, minutes and seconds as the evaluation shows them: "00:06:00".
    [[nodiscard]] static std::string Duration(int milliseconds);
    // "98 úhozů/min, 0,5 % chyb".
    [[nodiscard]] static std::string Result(const HistoryRecord& record);
    // "Lekce 5", "Lekce 14 (QWERTZ)" where the layout changes the lesson, or "Vlastní text".
    [[nodiscard]] static std::string LessonName(int lesson, bool qwertz);
    // What was typed: the lesson's name, "Procvičení lekce 5" or "Procvičení" for a practice
    // text, "Vlastní text" for any other own text.
    [[nodiscard]] static std::string TextName(const HistoryRecord& record);
    // Whether lesson n differs between the QWERTZ and the QWERTY layout.
    [[nodiscard]] static bool LayoutMatters(int lesson);
};
