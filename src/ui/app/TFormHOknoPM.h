#pragma once
// The main window: wires the typing model to the window's parts (MainWindowMenus,
// MainWindowControls, QtMainWindowPort, MainWindowLayout, MainWindowDialogs, KeyRouter, the
// features), restores the last session at the start and saves it at the close.

#include "FeatureList.h"
#include "IniFile.h"
#include "QtWindowSeam.h"
#include "TypingLine.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class Clock;
class FirstInputWatch;
class KeyRouter;
class LEKCE;
class LessonCommands;
class MainWindowDialogs;
class MainWindowFeature;
class MainWindowLayout;
class PauseCommands;
class QtMainWindowPort;
class SessionSettings;
class SoundPlayer;
class SpeedMeter;
class TSOkno;
class TypingEngine;
class WindowLossGuard;
enum class EvaluationAnswer;
struct MainWindowControls;
struct MainWindowMenus;
struct ProgramOptions;
class QFontDialog;
class QTimer;

class TFormHOknoPM final : public QMainWindow {
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

    // `settingsFile`: the settings file's path, read here once (FormCreate); the last text is
    // restored from it at the first resize, when the window is shown. `textDir`: where the
    // file dialog first opens. `helpFile`: the help shown by F1 and by the About window.
    // `features`: what joins the designed window (see MainWindowFeature); they must outlive it.
    // `splash`: the splash window, told what the start is doing until the window is ready; it
    // may close itself meanwhile.
    TFormHOknoPM(const Model& model, const QString& settingsFile, const QString& textDir,
                 QString helpFile, std::vector<MainWindowFeature*> features = {},
                 TSOkno* splash = nullptr);
    // Writes the settings file when no close has written it (FormDestroy); a failed write is
    // not shown then, since no window may open while this one is destroyed.
    ~TFormHOknoPM() override;
    TFormHOknoPM(const TFormHOknoPM&) = delete;
    TFormHOknoPM& operator=(const TFormHOknoPM&) = delete;

    // Every modal window of the main window runs, and every link opens, through this seam;
    // tests answer dialogs here.
    void SetSeam(QtWindowSeam seam);

    // For the program's trace, which follows the typing from outside the features.
    [[nodiscard]] TypingEngine& Engine() { return *engine_; }
    [[nodiscard]] bool StopMode() const;

signals:
    // The window has closed for good, its settings written: the program ends.
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
    // Writes the whole settings file once; a failure is reported unless the window is gone.
    void FormDestroy(bool reportFailure);
    void WindowLost(bool displayGone);

    void SetTypingFont(const QFont& font);
    void LayoutTypingView();
    void ActionFontExecute();
    void FontDialog1Show(QFontDialog& dialog);
    void ActionOptionsExecute();
    void MenuOaplikaciClick();
    void ApplicationStateChanged(Qt::ApplicationState state);
    [[nodiscard]] EvaluationAnswer ShowEvaluation();
    void ShowStartStep(const char* utf8) const;

    [[nodiscard]] SessionSettings Session() const;

    LEKCE& store_;
    SpeedMeter& meter_;
    ProgramOptions& options_;
    SoundPlayer& sound_;
    const Clock& clock_;
    QString textDir_;
    QString helpFile_;
    QString iniFileName_;
    QPointer<TSOkno> splash_;
    // The settings file as read at the start, until the last text is restored from it.
    std::optional<IniFile> startSettings_;

    TypingLine line_;
    FeatureList features_;
    std::unique_ptr<MainWindowMenus> menus_;
    std::unique_ptr<MainWindowControls> controls_;
    std::unique_ptr<QtMainWindowPort> port_;
    std::unique_ptr<TypingEngine> engine_;
    std::unique_ptr<PauseCommands> pause_;
    std::unique_ptr<LessonCommands> lessons_;
    std::unique_ptr<MainWindowDialogs> dialogs_;
    std::unique_ptr<MainWindowLayout> layout_;
    std::unique_ptr<WindowLossGuard> lossGuard_;
    std::unique_ptr<FirstInputWatch> firstInput_;
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
};
