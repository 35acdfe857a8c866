#pragma once
// Joins the on-screen keyboard to the main window: its panel below the typing line, the
// "Klávesnice" and "Mapa chyb" items of the Psaní menu, its check box in the Options dialog and
// its key in the settings file; switched off, the window is the designed one.

#include "ErrorMap.h"
#include "MainWindowFeature.h"
#include "TypingObserver.h"

#include <QColor>
#include <QString>

#include <functional>
#include <map>

class ErrorCounter;
class HistoryThread;
class KeyboardLayout;
class KeyboardPanel;
class KeyTintSource;
class LEKCE;
class ProgramTrace;
class QAction;

class KeyboardFeature final : public MainWindowFeature, private TypingObserver {
public:
    // `store` tells the layout and the intro line of each text begun; `errors` (may be null)
    // gives the heat map the counts of the text being typed, `history` (may be null) those of
    // the last texts finished (RecentErrors); `trace` (may be null) hears every finger text
    // shown for a next character. All must outlive the feature.
    KeyboardFeature(const LEKCE& store, const ErrorCounter* errors,
                    HistoryThread* history = nullptr, ProgramTrace* trace = nullptr);

    QWidget* CreatePanel(QWidget* parent) override;
    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override;
    TypingObserver* Observer() override { return this; }
    void ReadSettings(const IniFile& ini) override;
    void WriteSettings(IniFile& ini) const override;
    std::vector<FeatureOption> Options() override;
    void SetRelayout(std::function<void()> relayout) override { relayout_ = std::move(relayout); }
    // Its panel shows the whole intro line above the keys.
    [[nodiscard]] bool ShowsIntroLine() const override { return shown_ && panel_ != nullptr; }

    // Shows or hides the keyboard; the window grows or shrinks by its panel.
    void SetShown(bool shown);
    [[nodiscard]] bool Shown() const { return shown_; }
    // Colours the keys by the pupil's error rate in the text being typed and the last texts
    // finished, with the steps as the legend.
    void SetHeatMap(bool on);
    // Another feature's colours, shown in place of the heat map while it gives some; clicks on
    // the keys go to it. Must outlive the feature.
    void SetTintSource(KeyTintSource* source) { tintSource_ = source; }
    // Asks the tint source again, after its colours changed.
    void RefreshTints();

private:
    void StatisticsCleared() override;
    void NextCharacter(unsigned char expected) override;
    void KeyJudged(unsigned char expected, unsigned char struck, bool right) override;
    void TextBegun() override;
    void TextFinished() override;

    void ShowText();
    void RefreshHeat();
    [[nodiscard]] bool ShowSourceTints();
    // Reads the last texts' errors on the history's thread; the map is coloured again when
    // they come, and typing never waits for them.
    void AskHistory();
    void Relayout() const;
    void Trace(const QString& text) const;

    const LEKCE& store_;
    const ErrorCounter* errors_;
    KeyTintSource* tintSource_ = nullptr;
    HistoryThread* history_;
    // The last texts' errors as the history last answered, for the layout `recentQwertz_`.
    std::vector<RecordedErrors> recent_;
    bool recentQwertz_ = false;
    int questions_ = 0; // an answer to an earlier question than the last is out of date
    KeyboardPanel* panel_ = nullptr;
    QAction* keyboardAction_ = nullptr;
    QAction* heatAction_ = nullptr;
    std::function<void()> relayout_;
    ProgramTrace* trace_;
    bool shown_;
    bool heatMap_ = false;
    std::map<int, QColor> heatTints_; // the tints last given to the view
    const KeyboardLayout* heatLayout_ = nullptr;
    // The errors per key changed since the heat map was worked out: it is worked out again when
    // the next character is told, never in the event that changed them (TypingObserver).
    bool heatStale_ = false;
    unsigned char next_ = 0;
};
