#pragma once
// The main window as the typing model sees it: its fields, buttons, status bar, menu items and
// caption, each set by one call of the port (MainWindowPort), and its commands, each executed
// as if chosen from the menu (Commands).

#include "Commands.h"
#include "MainWindowPort.h"

#include <QString>

#include <functional>
#include <string>

class FeatureList;
class QMainWindow;
struct MainWindowControls;
struct MainWindowMenus;

class QtMainWindowPort final : public MainWindowPort, public Commands {
public:
    // `evaluation` shows the evaluation at the end of a text. The features give the caption
    // their own words for a text of theirs, and may show the whole intro line themselves.
    QtMainWindowPort(QMainWindow& window, MainWindowControls& controls, MainWindowMenus& menus,
                     const FeatureList& features, std::function<EvaluationAnswer()> evaluation);

    // Commands
    void ActionPause() override;
    void ActionContinue() override;
    void ActionLekce() override;
    void ActionOpenFile() override;
    void ActionResetLekci() override;
    void ActionClose() override;

    // MainWindowPort
    void ShowLineErrors(int count, bool emphasized) override;
    void ShowLessonErrors(int count) override;
    void ShowErrorFrequency(const std::string& text) override;
    [[nodiscard]] bool IsSpeedPanelVisible() const override;
    void ShowSpeeds(int minSpeed, int avgSpeed, int maxSpeed, int absSpeed) override;
    void ShowSpeedBar(int position) override;
    void ClearSpeeds() override;
    void ShowElapsed(const std::string& text) override;
    void ShowTimeLeft(const std::string& text) override;
    void ShowLineNumber(int lineNumber) override;
    void ShowLineCount(int lineCount) override;
    void ShowIntroLine(const std::string& text) override;
    void SetCaption(const std::string& caption, const std::string& applicationTitle) override;
    void FocusLineNumberField() override;
    void InvalidateView() override;
    void SetStatusText(const std::string& text) override;
    [[nodiscard]] std::string StatusText() const override;
    void ShowPauseAction(bool pauseShown) override;
    void SetPauseContinueMenu(const std::string& caption, const std::string& hint) override;
    void SetSpeedPanelVisible(bool visible) override;
    void SetShowSpeedButtonVisible(bool visible) override;
    EvaluationAnswer ShowEvaluation() override;

    // The "Úkol" field cuts a long intro line off: while a feature shows the whole line its
    // tooltip gives the whole line too, else the field's designed hint.
    void ShowIntroTooltip();

private:
    QMainWindow& window_;
    MainWindowControls& controls_;
    MainWindowMenus& menus_;
    const FeatureList& features_;
    std::function<EvaluationAnswer()> evaluation_;
    std::string statusText_;
    std::string introLine_;
    QString designedIntroTooltip_;
};
