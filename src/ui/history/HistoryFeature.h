#pragma once
// The history of finished texts joined to the main window: each finished text is recorded,
// "Můj pokrok" opens from the menu Program, and the lesson dialog ticks the passed lessons.
// Nothing of it waits for the database: the dialog opens at once and its ticks follow.

#include "HistoryRecorder.h"
#include "MainWindowFeature.h"
#include "ProgressPlotsLoader.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

class HistoryThread;
class LEKCE;
class SpeedMeter;

class HistoryFeature final : public MainWindowFeature {
public:
    // `sources`: what the recorder adds to each text (errors per character, the practised
    // lesson). `pluginDirs`: where the progress window's plots are looked for. `recordInto`:
    // a store that keeps each finished text in `history` and passes it on elsewhere too;
    // nullptr records into `history` alone.
    HistoryFeature(HistoryThread& history, const SpeedMeter& meter, const LEKCE& store,
                   HistoryRecorder::Sources sources = {},
                   QStringList pluginDirs = PluginFile::DefaultDirs(),
                   HistoryStore* recordInto = nullptr);

    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override;
    void PrepareLessonDialog(TFormLekce& dialog) override;
    TypingObserver* Observer() override { return &recorder_; }
    void SetHost(const FeatureHost& host) override { runModal_ = host.runModal; }

    // The words above the keys' table of "Můj pokrok" (the training's estimate for its focus
    // key); without it the table stands alone.
    void SetKeysNote(std::function<QString()> note) { keysNote_ = std::move(note); }

    // Opens "Můj pokrok" over `window` and returns when it is closed.
    void ShowProgress(QWidget* window);

private:
    using PassedLessons = std::pair<std::map<int, std::string>, std::map<int, std::string>>;

    HistoryThread& history_;
    HistoryRecorder recorder_;
    ProgressPlotsLoader plots_;
    std::function<int(QDialog&)> runModal_;
    std::function<QString()> keysNote_;
    // The ticks last read: the lesson dialog shows them at once while they are read again.
    std::optional<PassedLessons> passed_;
};
