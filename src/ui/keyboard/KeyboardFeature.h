#pragma once
// Joins the on-screen keyboard to the main window: its panel below the typing line, the
// "Klávesnice" and "Mapa chyb" items of the Psaní menu, its check box in the Options dialog and
// its key in the settings file; switched off, the window is the designed one.

#include "MainWindowFeature.h"
#include "TypingObserver.h"

#include <QColor>
#include <QString>

#include <functional>
#include <map>
#include <optional>

class ErrorCounter;
class KeyboardLayout;
class KeyboardPanel;
class KeyTintSource;
class LEKCE;
class QAction;

class KeyboardFeature final : public MainWindowFeature, private TypingObserver {
public:
    // `store` tells the layout and the intro line of each text begun; `errors` (may be null)
    // gives the heat map its counts. Both must outlive the feature.
    KeyboardFeature(const LEKCE& store, const ErrorCounter* errors);

    QWidget* CreatePanel(QWidget* parent) override;
    std::vector<std::pair<QString, QAction*>> CreateActions(QWidget* window) override;
    TypingObserver* Observer() override { return this; }
    void ReadSettings(const IniFile& ini) override;
    void WriteSettings(IniFile& ini) const override;
    std::vector<FeatureOption> Options() override;
    void SetRelayout(std::function<void()> relayout) override { relayout_ = std::move(relayout); }

    // Shows or hides the keyboard; the window grows or shrinks by its panel.
    void SetShown(bool shown);
    [[nodiscard]] bool Shown() const { return shown_; }
    // Colours the keys by the pupil's error rate, with the steps as the legend.
    void SetHeatMap(bool on);
    // Another feature's colours, shown in place of the heat map while it gives some; clicks on
    // the keys go to it. Must outlive the feature.
    void SetTintSource(KeyTintSource* source) { tintSource_ = source; }
    // Asks the tint source again, after its colours changed.
    void RefreshTints();

    // A test seam, read once: when KLAPTOS_TRACE_FINGERS names a file, every finger text shown
    // for a next character is appended to it as a line (UTF-8; an empty line for none).
    static constexpr const char* kTraceVariable = "KLAPTOS_TRACE_FINGERS";

private:
    void NextCharacter(unsigned char expected) override;
    void KeyChecked(unsigned char expected, unsigned char typed, bool right) override;
    void TextBegun() override;
    void TextFinished() override;

    void ShowText();
    void ShowIntroTooltip();
    void RefreshHeat();
    [[nodiscard]] bool ShowSourceTints();
    void Relayout() const;
    void Trace(const QString& text) const;

    const LEKCE& store_;
    const ErrorCounter* errors_;
    KeyTintSource* tintSource_ = nullptr;
    KeyboardPanel* panel_ = nullptr;
    QAction* keyboardAction_ = nullptr;
    QAction* heatAction_ = nullptr;
    std::function<void()> relayout_;
    QString traceFile_;
    std::optional<QString> designedTooltip_;
    bool shown_;
    bool heatMap_ = false;
    std::map<int, QColor> heatTints_; // the tints last given to the view
    const KeyboardLayout* heatLayout_ = nullptr;
    bool lineEnded_ = false; // the heat map is worked out again when the next line begins
    unsigned char next_ = 0;
};
