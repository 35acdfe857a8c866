#pragma once
// "Trénink na míru" joined to the main window: an endless series of short exercises written for
// the pupil's weakest key, typed on the usual typing line. Each finished exercise shows a
// summary in the evaluation window, whose "Další cvičení" (Enter) writes the next; any other
// text ends the series. The keyboard shows each key's speed, the panel below it the target and
// the focus key; a click on a key pins it as the focus. [Trenink] keeps the target and the pin.

#include "KeyTintSource.h"
#include "MainWindowFeature.h"
#include "TrainingObserver.h"
#include "TrainingSession.h"
#include "TrainingTexts.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class Clock;
class LEKCE;
class QLabel;
class Reporter;
class SpeedMeter;
class Vocabulary;
class WordList;

class TrainingFeature final : public MainWindowFeature, public KeyTintSource {
public:
    static constexpr const char* kExerciseFileName = "trenink.txt";
    // A test seam, read once: when it names a file, each exercise begun is appended to it
    // (UTF-8): "focus c", "open keys", "new c" (or "new -"), then "line text" for its lines.
    static constexpr const char* kTraceVariable = "KLAPTOS_TRAINING_TRACE";

    // `wordListPath`: the word list among the program's files; `pupilDir`: the pupil's data
    // folder, where the exercise and each layout's measures are kept.
    TrainingFeature(LEKCE& store, SpeedMeter& meter, const Clock& clock, Reporter& reporter,
                    std::string wordListPath, std::string pupilDir);
    ~TrainingFeature() override;

    QWidget* CreatePanel(QWidget* parent) override;
    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override;
    TypingObserver* Observer() override { return &observer_; }
    void ReadSettings(const IniFile& ini) override;
    void WriteSettings(IniFile& ini) const override;
    void AddToEvaluation(TFormKonec& evaluation, TypingEngine& engine) override;
    [[nodiscard]] std::optional<std::string> CaptionSuffix() const override;
    void SetRelayout(std::function<void()> relayout) override { relayout_ = std::move(relayout); }
    void SetHost(const FeatureHost& host) override { host_ = host; }

    [[nodiscard]] std::optional<KeyTints> Tints(const KeyboardLayout& layout,
                                                const QPalette& palette) const override;
    void KeyClicked(const KeyboardLayout& layout, int key) override;

    // The keyboard asks for its colours again when they change.
    void SetTintsChanged(std::function<void()> changed) { tintsChanged_ = std::move(changed); }
    // Hears each finished exercise (the history keeps its keys' daily summary).
    void SetExerciseListener(std::function<void(const ExerciseSummary&, bool qwertz)> listener) {
        listener_ = std::move(listener);
    }

    // "Trénink na míru", as if chosen from the menu: writes and begins the next exercise.
    bool Start();
    // The focus key's speed and estimate, for "Můj pokrok".
    [[nodiscard]] QString KeysNote() { return TrainingTexts::EstimateNote(Session()); }
    // Whether the text being typed is an exercise.
    [[nodiscard]] bool Active() const;
    // The pupil's measures on the current text's layout (read when first needed).
    [[nodiscard]] TrainingSession& Session();

private:
    void Begun();
    void Finished();
    void ShowState();
    void SaveState() const;
    [[nodiscard]] std::string StatePath(bool qwertz) const;
    [[nodiscard]] const Vocabulary* Words();
    void Trace(const Exercise& exercise) const;

    LEKCE& store_;
    SpeedMeter& meter_;
    const Clock& clock_;
    Reporter& reporter_;
    std::string wordListPath_;
    std::string pupilDir_;
    std::string exercisePath_;
    TrainingObserver observer_;
    std::unique_ptr<TrainingSession> session_;
    std::unique_ptr<WordList> wordList_;
    std::unique_ptr<Vocabulary> vocabulary_;
    std::optional<ExerciseSummary> summary_; // the last exercise's, for the evaluation
    unsigned char lastUnlocked_ = 0;
    int target_;
    bool used_ = false; // [Trenink] was read from the settings file or an exercise begun
    unsigned char pinned_ = 0;
    FeatureHost host_;
    QLabel* panel_ = nullptr;
    std::function<void()> relayout_;
    std::function<void()> tintsChanged_;
    std::function<void(const ExerciseSummary&, bool)> listener_;
    QString traceFile_;
};
