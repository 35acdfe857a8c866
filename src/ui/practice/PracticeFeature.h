#pragma once
// Errors per key joined to the main window: counts every checked keystroke of the text, keeps
// the counts in the settings file's [Chyby] section, adds "Nejčastější chyby" to the
// evaluation, starts the practice text from there and names it in the caption; after a practice
// text, the evaluation offers the way back to the lesson it practised.

#include "ErrorCounter.h"
#include "MainWindowFeature.h"
#include "PracticeCommand.h"

#include <string>

class LEKCE;
class Reporter;
class SpeedMeter;

class PracticeFeature final : public MainWindowFeature {
public:
    // `wordListPath`: the word list among the program's files; `practicePath`: the practice
    // text's file in the pupil's data folder, whose folder is made when the first text is.
    PracticeFeature(LEKCE& store, SpeedMeter& meter, Reporter& reporter, std::string wordListPath,
                    std::string practicePath);

    TypingObserver* Observer() override { return &errors_; }
    void ReadSettings(const IniFile& ini) override;
    void WriteSettings(IniFile& ini) const override;
    void AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) override;
    [[nodiscard]] std::optional<std::string> CaptionSuffix() const override;

    // The counts of the text so far, for the on-screen keyboard's heat map.
    [[nodiscard]] const ErrorCounter& Errors() const { return errors_; }

    // The lesson the current text practises when it is the practice text (0 after an own
    // text); nothing for any other text.
    [[nodiscard]] std::optional<int> PractisedLesson() const;

    // The practice file's name in the pupil's data folder.
    static constexpr const char* kPracticeFileName = "procviceni.txt";

private:
    [[nodiscard]] PracticeCommand Command(TypingEngine& engine);
    void AddWeakKeys(TFormKonec& evaluation, TypingEngine& engine);
    // After a practice text of a lesson: the way back to that lesson.
    void AddBackToLesson(TFormKonec& evaluation, TypingEngine& engine);

    LEKCE& store_;
    SpeedMeter& meter_;
    Reporter& reporter_;
    std::string wordListPath_;
    std::string practicePath_;
    ErrorCounter errors_;
};
