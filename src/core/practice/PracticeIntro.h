#pragma once
// The first line of a practice text, which says what it practises: "Procvičení k lekci 12: ř č –
// slova s Vašimi nejčastějšími chybami". The text is kept as an own text file, so its intro line is
// where a later run, the history and the evaluation learn which lesson it practised.

#include <optional>
#include <string>

class LEKCE;

struct PracticeIntro {
    std::string practised; // the characters practised, weakest first (code page 1250)
    int lesson = 0;        // the lesson whose keys the text uses; 0 after an own text
    bool words = true;     // the text has words
    bool letterGroups = false;

    [[nodiscard]] std::string Line() const;
    // The intro of a practice text's first line; nothing for any other line.
    [[nodiscard]] static std::optional<PracticeIntro> Parse(const std::string& line);
    // The lesson the text in the store practises: 0 for a lesson, an own text other than a
    // practice text, and a practice text made after an own text.
    [[nodiscard]] static int PractisedLesson(const LEKCE& store);

    friend bool operator==(const PracticeIntro&, const PracticeIntro&) = default;
};
