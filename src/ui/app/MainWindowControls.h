#pragma once
// The main window's controls as designed: the typing line, the panel of counters below it,
// the speed panel and the status bar, each at its designed rectangle and named by its design
// name (objectName), so that tests find them with findChild.

#include <QPalette>

#include <array>

class PaintBoxType;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QStatusBar;
class QWidget;
class QtField;
class QtSpeedBar;
struct ProgramOptions;
struct TypingLine;

struct MainWindowControls {
    // Builds the controls into `window`; the buttons show and execute `pause` and `resume`.
    MainWindowControls(QMainWindow& window, const TypingLine& line, const ProgramOptions& options,
                       QAction& pause, QAction& resume);

    // The controls whose keystrokes go to the typing engine.
    [[nodiscard]] std::array<QWidget*, 19> KeyControls() const;
    // The speed bar's scale up to `max` (200, 400 or 600).
    void SetSpeedScale(int max);

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
};

// A field's colours from the system palette; does nothing when they are already set, as the
// line's error count sets them on every keystroke.
void SetFieldColours(QWidget* field, QPalette::ColorRole background, QPalette::ColorRole text);
