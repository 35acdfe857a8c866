#pragma once
// How the history writes its dates and results for the pupil and for export.

#include "HistoryRecord.h"

#include <cstdint>
#include <string>

class HistoryText {
public:
    // Local date as Czech readers write it: "12. 3. 2025".
    [[nodiscard]] static std::string Date(int64_t endedAt);
    // Local date and time, sortable: "2025-03-12 14:05:33".
    [[nodiscard]] static std::string DateTime(int64_t endedAt);
    // "98 úhozů/min, 0,5 % chyb", code page 1250.
    [[nodiscard]] static std::string Result(const HistoryRecord& record);
    // "Lekce 5", "Lekce 14 (QWERTZ)" where the layout changes the lesson, or "Vlastní text";
    // code page 1250.
    [[nodiscard]] static std::string LessonName(int lesson, bool qwertz);
    // Whether lesson n differs between the QWERTZ and the QWERTY layout.
    [[nodiscard]] static bool LayoutMatters(int lesson);
};
