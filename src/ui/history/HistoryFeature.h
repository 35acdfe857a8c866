#pragma once
// The history of finished texts joined to the main window: each finished text is recorded,
// "Můj pokrok" opens from the menu Program, and the lesson dialog ticks the passed lessons.

#include "HistoryRecorder.h"
#include "MainWindowFeature.h"
#include "ProgressWindowLoader.h"

class HistoryStore;
class KeyErrorCounts;
class LEKCE;
class Reporter;
class SpeedMeter;

class HistoryFeature final : public MainWindowFeature {
public:
    // `keyErrors`: the error analysis's counts per character, recorded with each text;
    // nullptr without one. `pluginDirs`: where the progress window's plugin is looked for.
    HistoryFeature(HistoryStore& history, const SpeedMeter& meter, const LEKCE& store,
                   Reporter& reporter, const KeyErrorCounts* keyErrors = nullptr,
                   QStringList pluginDirs = ProgressWindowLoader::DefaultDirs());

    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override;
    void PrepareLessonDialog(TFormLekce& dialog) override;
    TypingObserver* Observer() override { return &recorder_; }

private:
    HistoryStore& history_;
    HistoryRecorder recorder_;
    ProgressWindowLoader progress_;
};
