#pragma once
// "Procvičit chyby": makes a practice text for the weakest characters, writes it to a file of its
// own and starts it as an own text, so that a restart comes back to it like to any own text.

#include "WeakKeys.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class LEKCE;
class Reporter;
class SpeedMeter;
class TypingEngine;

class PracticeCommand {
public:
    // `wordListPath`: the word list beside the program; `practicePath`: where the practice text
    // is written (the pupil's own data folder).
    PracticeCommand(LEKCE& store, SpeedMeter& meter, TypingEngine& engine, Reporter& reporter,
                    std::string wordListPath, std::string practicePath);

    // Makes and starts a practice text for `weak`, with the keys the current lesson has taught
    // (after a practice text, the keys of the lesson it practised; any keys after an own text).
    // When no text can be made, tells the pupil why through the report window and changes
    // nothing; returns whether a text was started.
    bool Start(const std::vector<WeakKey>& weak, uint32_t seed);

    // The lesson the text in the store practises, when it is the practice text written to
    // `practicePath`; 0 otherwise.
    [[nodiscard]] static int PractisedLesson(const LEKCE& store, const std::string& practicePath);
    // Starts the lesson the practice text in the store practised, on the layout of the last
    // lesson; false, changing nothing, when the store holds no practice text of a lesson.
    bool BackToLesson();

    // " procvičení: ř ě č" while the store holds the practice text written to `practicePath`,
    // else nothing: the caption and title then read "Klaptos" / "KTOS" followed by it.
    [[nodiscard]] static std::optional<std::string> CaptionSuffix(const LEKCE& store,
                                                                  const std::string& practicePath);

    [[nodiscard]] const std::string& PracticePath() const { return practicePath_; }

private:
    LEKCE& store_;
    SpeedMeter& meter_;
    TypingEngine& engine_;
    Reporter& reporter_;
    std::string wordListPath_;
    std::string practicePath_;
};
