#pragma once
// The main window: the typing line, the counters and the speed display, the commands with
// their menus and shortcuts, the start-up that restores the last session and the closing
// that saves it. Every keystroke of the window and its controls reaches the typing engine.

#include "Commands.h"
#include "LessonCommands.h"
#include "MainWindowPort.h"
#include "QtModalRunner.h"
#include "TypingLine.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class Clock;
class IniFile;
class LEKCE;
class PaintBoxType;
class PauseCommands;
class SoundPlayer;
class SpeedMeter;
class TFormHelp;
class TypingEngine;
struct ProgramOptions;
class QAction;
class QFileDialog;
class QFontDialog;
class QFrame;
class QInputMethodEvent;
class QKeyEvent;
class QGroupBox;
class QLabel;
class QtField;
class QtSpeedBar;
class QMenu;
class QPushButton;
class QStatusBar;

class TFormHOknoPM final : public QMainWindow,
                           public MainWindowPort,
                           public Commands,
                           public LessonDialogs {
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
    TFormHOknoPM(const Model& model, const QString& settingsFile, const QString& textDir,
                 QString helpFile, QWidget* parent = nullptr);
    // Writes the whole settings file (FormDestroy).
    ~TFormHOknoPM() override;
    TFormHOknoPM(const TFormHOknoPM&) = delete;
    TFormHOknoPM& operator=(const TFormHOknoPM&) = delete;

    // Every modal window of the main window runs through this; tests answer dialogs here.
    QtModalRunner modalRunner = QtExecModal;

    // Commands: each executes its action as if chosen from the menu.
    void ActionPause() override;
    void ActionContinue() override;
    void ActionLekce() override;
    void ActionOpenFile() override;
    void ActionResetLekci() override;
    void ActionClose() override;

    // LessonDialogs
    bool ChooseLesson(int& lesson, bool& qwertz) override;
    bool ChooseTextFile(const std::string& fileName, const std::string& initialDir,
                        std::string& chosen) override;

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
    void SetSpeedScale(int max);

    // The keystroke handlers with Qt's events: what reaches the typing engine, and whether
    // it consumed the key.
    bool FormKeyDown(const QKeyEvent& event);
    bool FormKeyPress(const QKeyEvent& event);
    bool FormInputMethod(const QInputMethodEvent& event);
    // Each character of `text` as one character event; true when any was consumed.
    bool TypeText(const QString& text);

    [[nodiscard]] const QString& iniFileName() const { return iniFileName_; }
    [[nodiscard]] const QFont& TypingFont() const { return typingFont; }
    [[nodiscard]] TypingEngine& Engine() { return *engine_; }
    [[nodiscard]] const TypingLine& Line() const { return line_; }
    [[nodiscard]] bool StopMode() const;
    [[nodiscard]] QString StatusHint() const;

    // The command list.
    struct ActionList {
        QAction* ActionClose = nullptr;
        QAction* ActionOpenFile = nullptr;
        QAction* ActionFont = nullptr;
        QAction* ActionOptions = nullptr;
        QAction* ActionLekce = nullptr;
        QAction* ActionPause = nullptr;
        QAction* ActionContinue = nullptr;
        QAction* ActionMenuPauseContinue = nullptr;
        QAction* ActionResetLekci = nullptr;
    } ActionList1;
    QAction* Napoveda11 = nullptr;
    QAction* MenuOaplikaci = nullptr;

    QMenu* Soubor1 = nullptr;
    QMenu* MenuPsani = nullptr;
    QMenu* MenuProgram = nullptr;
    QMenu* Help1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    PaintBoxType* paintBoxType = nullptr;
    QFrame* Panel1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 2> statusPanels{};
    QtField* EditNapoveda = nullptr;
    QPushButton* BitBtnPause = nullptr;
    QPushButton* BitBtnContinue = nullptr;
    QtField* EditChybyRadek = nullptr;
    QtField* EditChybyLekce = nullptr;
    QtField* EditChybyFreq = nullptr;
    QtField* EditCisloRadku = nullptr;
    QtField* EditPocetRadku = nullptr;
    QtField* EditDobaPsani = nullptr;
    QtField* EditDobaDoKonce = nullptr;
    QPushButton* ButtonShowSpeed = nullptr;
    QGroupBox* GroupBoxSpeed = nullptr;
    QtField* EditRychlostMin = nullptr;
    QtField* EditRychlostPrumer = nullptr;
    QtField* EditRychlostMax = nullptr;
    QtField* EditRychlostAbsPrumer = nullptr;
    QPushButton* ButtonNoSpeed = nullptr;
    QtSpeedBar* ProgressBarRychlostPrumer = nullptr;
    std::array<QLabel*, 9> LabelSpeed{};
    QFileDialog* OpenDialogFile = nullptr; // built on first use, see OpenDialog()
    QTimer TimerSec;

signals:
    // The window has closed for good: the program ends.
    void Closed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateControls();
    void RouteKeystrokes();
    QFileDialog& OpenDialog();

    void FormCreate();
    void FormResize();
    void FormPaint();
    [[nodiscard]] bool FormCloseQuery();
    void FormDestroy();
    void ReadTypingFont(const IniFile& ini);

    void ActionFontExecute();
    void FontDialog1Show(QFontDialog& dialog);
    void ActionOptionsExecute();
    void Napoveda11Click();
    void MenuOaplikaciClick();
    void ApplicationStateChanged(Qt::ApplicationState state);

    [[nodiscard]] int MenuBarHeight() const;
    [[nodiscard]] int ClientHeight() const;
    [[nodiscard]] QRect ScreenArea() const;

    LEKCE& store_;
    SpeedMeter& meter_;
    ProgramOptions& options_;
    SoundPlayer& sound_;
    const Clock& clock_;
    QString textDir_;
    QString helpFile_;

    TypingLine line_;
    std::unique_ptr<TypingEngine> engine_;
    std::unique_ptr<PauseCommands> pause_;
    std::unique_ptr<LessonCommands> lessons_;
    QPointer<TFormHelp> helpWindow_;

    QString iniFileName_;
    QFont typingFont;
    bool initDone = false;
    bool firstPaintDone = false;
    int frameExtraWidth = 0;
    int viewHomeLeft = 0;
    int viewHomeTop = 0;
    bool layoutInProgress_ = false; // the one re-entry guard of the program
    bool closeQueryRunning_ = false;
    QRect closedFrame_; // the bounds when the close was accepted; a window manager may report
                        // other ones once it has taken the frame off the hidden window
    std::string statusText_;
    QSet<QObject*> keyControls_; // the controls whose keystrokes go to the typing engine
};
