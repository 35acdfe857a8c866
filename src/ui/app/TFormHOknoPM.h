#pragma once
// The main window: wires the typing model to the window's parts (MainWindowMenus,
// MainWindowControls, MainWindowLayout, MainWindowDialogs, KeyRouter, the features), shows
// what the model writes to its ports, restores the last session at the start and saves it at
// the close.

#include "Commands.h"
#include "FeatureList.h"
#include "MainWindowPort.h"
#include "QtWindowSeam.h"
#include "TypingLine.h"

#include <QFont>
#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Clock;
class KeyRouter;
class LEKCE;
class LessonCommands;
class MainWindowDialogs;
class MainWindowFeature;
class MainWindowLayout;
class PauseCommands;
class SessionSettings;
class SoundPlayer;
class SpeedMeter;
class TypingEngine;
class WindowLossGuard;
struct MainWindowControls;
struct MainWindowMenus;
struct ProgramOptions;
class QFontDialog;
class QTimer;

class TFormHOknoPM final : public QMainWindow, public MainWindowPort, public Commands {
    Q_OBJECT

public:
    // The long-lived objects of the program, made before the window and destroyed after it.
    struct Model {
        LEKCE& store;
        SpeedMeter& meter;
        ProgramOptions& options;
        SoundPlayer& sound;
        const Clock& clock;
    };

    static constexpr int kDesignClientWidth = 509;
    static constexpr int kDesignClientHeight = 346; // below the menu bar, status bar included

    // `settingsFile`: the settings file's path; `textDir`: where the file dialog first opens.
    // `helpFile`: the help shown by F1 and by the About window.
    // The settings file is read here (FormCreate); the last text is restored at the first
    // resize, when the window is shown.
    // `features`: what joins the designed window (see MainWindowFeature); they must outlive it.
    TFormHOknoPM(const Model& model, const QString& settingsFile, const QString& textDir,
                 QString helpFile, std::vector<MainWindowFeature*> features = {},
                 QWidget* parent = nullptr);
    // Writes the whole settings file (FormDestroy).
    ~TFormHOknoPM() override;
    TFormHOknoPM(const TFormHOknoPM&) = delete;
    TFormHOknoPM& operator=(const TFormHOknoPM&) = delete;

    // Every modal window of the main window runs, and every link opens, through this seam;
    // tests answer dialogs here.
    void SetSeam(QtWindowSeam seam);

    // Commands: each executes its action as if chosen from the menu.
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

    // The typing line view's part of the window.
    void SetTypingFont(const QFont& font);
    void LayoutTypingView();
    [[nodiscard]] bool IsWindowMaximized() const;

    [[nodiscard]] const QString& iniFileName() const { return iniFileName_; }
    [[nodiscard]] const QFont& TypingFont() const { return typingFont; }
    [[nodiscard]] TypingEngine& Engine() { return *engine_; }
    [[nodiscard]] const TypingLine& Line() const { return line_; }
    [[nodiscard]] bool StopMode() const;
    [[nodiscard]] QString StatusHint() const;

signals:
    // The window has closed for good: the program ends.
    void Closed();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void WireCommands();

    void FormCreate();
    void FormResize();
    void FormPaint();
    [[nodiscard]] bool FormCloseQuery();
    void FormDestroy();
    void WindowLost(bool displayGone);

    void ActionFontExecute();
    void FontDialog1Show(QFontDialog& dialog);
    void ActionOptionsExecute();
    void MenuOaplikaciClick();
    void ApplicationStateChanged(Qt::ApplicationState state);

    [[nodiscard]] SessionSettings Session() const;

    LEKCE& store_;
    SpeedMeter& meter_;
    ProgramOptions& options_;
    SoundPlayer& sound_;
    const Clock& clock_;
    QString textDir_;
    QString helpFile_;
    QString iniFileName_;

    TypingLine line_;
    std::unique_ptr<TypingEngine> engine_;
    std::unique_ptr<PauseCommands> pause_;
    std::unique_ptr<LessonCommands> lessons_;
    std::unique_ptr<MainWindowDialogs> dialogs_;

    FeatureList features_;
    std::unique_ptr<MainWindowMenus> menus_;
    std::unique_ptr<MainWindowControls> controls_;
    std::unique_ptr<MainWindowLayout> layout_;
    std::unique_ptr<WindowLossGuard> lossGuard_;
    KeyRouter* keys_ = nullptr;
    QTimer* TimerSec = nullptr; // the clock of the status line and the time fields

    QFont typingFont;
    bool initDone = false;
    bool firstPaintDone = false;
    bool layoutInProgress_ = false; // the one re-entry guard of the program
    bool closeQueryRunning_ = false;
    QRect closedBounds_; // the bounds when the close was accepted; a window manager may
                         // report other ones once it has taken the frame off the hidden window
    bool settingsWritten_ = false;
    bool windowGone_ = false; // destroyed by the X server: no question, no error shown
    std::string statusText_;
};
