#include "TFormHOknoPM.h"

#include "Clock.h"
#include "Cp1250.h"
#include "Evaluation.h"
#include "FinishedText.h"
#include "FirstInputWatch.h"
#include "KeyRouter.h"
#include "Lekce.h"
#include "LessonCommands.h"
#include "MainWindowControls.h"
#include "MainWindowDialogs.h"
#include "MainWindowLayout.h"
#include "MainWindowMenus.h"
#include "ModalPause.h"
#include "PaintBoxType.h"
#include "PauseCommands.h"
#include "ProgramOptions.h"
#include "QtField.h"
#include "QtMainWindowPort.h"
#include "QtReporter.h"
#include "QtText.h"
#include "QtTypingFont.h"
#include "SessionSettings.h"
#include "SettingsReport.h"
#include "SpeedMeter.h"
#include "TFormKonec.h"
#include "TSOkno.h"
#include "TypingEngine.h"
#include "WindowLossGuard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <utility>

namespace {

constexpr int kTimerSecMs = 1000;

} // namespace

TFormHOknoPM::TFormHOknoPM(const Model& model, const QString& settingsFile, const QString& textDir,
                           QString helpFile, std::vector<MainWindowFeature*> features,
                           TSOkno* splash)
    : store_(model.store), meter_(model.meter), options_(model.options), sound_(model.sound),
      clock_(model.clock), textDir_(textDir), helpFile_(std::move(helpFile)),
      iniFileName_(settingsFile), splash_(splash), features_(std::move(features)) {
    setWindowTitle(QStringLiteral("Klaptos"));
    // The window shows the program's icon, which main() gives the whole application.
    setAttribute(Qt::WA_InputMethodEnabled);

    menus_ = std::make_unique<MainWindowMenus>(*this);
    controls_ = std::make_unique<MainWindowControls>(*this, line_, options_, *menus_->ActionPause,
                                                     *menus_->ActionContinue);
    port_ = std::make_unique<QtMainWindowPort>(*this, *controls_, *menus_, features_,
                                               [this] { return ShowEvaluation(); });

    engine_ = std::make_unique<TypingEngine>(line_, store_, meter_, options_, sound_,
                                             *controls_->paintBoxType, *port_, *port_);
    pause_ =
        std::make_unique<PauseCommands>(*engine_, store_, meter_, options_, *port_, *port_, clock_);
    dialogs_ = std::make_unique<MainWindowDialogs>(*this, helpFile_);
    dialogs_->SetLessonDialogHook(
        [this](TFormLekce& dialog) { features_.PrepareLessonDialog(dialog); });
    lessons_ = std::make_unique<LessonCommands>(*engine_, store_, *dialogs_, *port_,
                                                QtText::ToPath(textDir_));

    // Until the first text is shown the typing line holds the font sample.
    engine_->ClearPattern();
    engine_->ClearTypedLine();
    engine_->stopMode = false;
    engine_->SetPattern(FontSampleLine());

    TimerSec = new QTimer(this);
    TimerSec->setObjectName(QStringLiteral("TimerSec"));
    TimerSec->setInterval(kTimerSecMs);
    connect(TimerSec, &QTimer::timeout, this, [this] { pause_->TimerSecTimer(); });

    WireCommands();
    keys_ = new KeyRouter(*this, *controls_->EditCisloRadku, *engine_);
    for (QWidget* control : controls_->KeyControls()) {
        keys_->Watch(control);
    }
    features_.Join(
        *this, *engine_, *keys_,
        [this] {
            port_->ShowIntroTooltip();
            LayoutTypingView();
        },
        *port_, [this](QDialog& dialog) { return dialogs_->RunModal(dialog); },
        [this] { return typingFont; });
    layout_ = std::make_unique<MainWindowLayout>(*this, *controls_, features_.Panels());
    resize(kDesignClientWidth, kDesignClientHeight + layout_->MenuBarHeight());
    lossGuard_ = std::make_unique<WindowLossGuard>(
        *this, [this] { WindowLost(false); }, [this] { WindowLost(true); });
    firstInput_ = std::make_unique<FirstInputWatch>([this] { layout_->NotePupilActed(); });
    FormCreate();
}

TFormHOknoPM::~TFormHOknoPM() {
    lossGuard_.reset();
    TimerSec->stop();
    FormDestroy(false);
    features_.Leave(*engine_);
}

void TFormHOknoPM::WireCommands() {
    const MainWindowMenus& a = *menus_;
    connect(a.ActionClose, &QAction::triggered, this, [this] { close(); });
    connect(a.ActionOpenFile, &QAction::triggered, this, [this] { lessons_->ActionOpenFile(); });
    connect(a.ActionFont, &QAction::triggered, this, [this] { ActionFontExecute(); });
    connect(a.ActionOptions, &QAction::triggered, this, [this] { ActionOptionsExecute(); });
    connect(a.ActionLekce, &QAction::triggered, this, [this] { lessons_->ActionLekce(); });
    connect(a.ActionPause, &QAction::triggered, this, [this] { pause_->ActionPause(); });
    connect(a.ActionContinue, &QAction::triggered, this, [this] { pause_->ActionContinue(); });
    connect(a.ActionMenuPauseContinue, &QAction::triggered, this,
            [this] { pause_->ActionMenuPauseContinue(); });
    connect(a.ActionResetLekci, &QAction::triggered, this, [this] { pause_->ActionResetLekci(); });
    connect(a.Napoveda11, &QAction::triggered, this, [this] { dialogs_->ShowHelp(); });
    connect(a.MenuOaplikaci, &QAction::triggered, this, [this] { MenuOaplikaciClick(); });
    connect(controls_->ButtonShowSpeed, &QPushButton::clicked, this,
            [this] { pause_->ButtonShowSpeedClick(); });
    connect(controls_->ButtonNoSpeed, &QPushButton::clicked, this,
            [this] { pause_->ButtonNoSpeedClick(); });

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menus_->PopupMenu1->popup(mapToGlobal(pos)); });
}

// ---------------------------------------------------------------------------------------------
// Creation, first resize, first paint

void TFormHOknoPM::FormCreate() {
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &TFormHOknoPM::ApplicationStateChanged);
    layout_->RememberHome();
    ShowStartStep("Obnovuji nastavení...");

    const IniFile& ini = startSettings_.emplace(QtText::ToPath(iniFileName_));
    QtReporter settingsReporter([this] { return this; });
    SettingsReport::ReportIfUnreadable(ini, settingsReporter);
    const SessionSettings::Start start = Session().ReadStart(ini);
    features_.ReadSettings(ini);
    controls_->SetSpeedScale(options_.SpeedMax);
    typingFont = QtTypingFont::FromSettings(start.font);

    const QRect screen = layout_->ScreenArea();
    const WindowBounds bounds = start.bounds.FittedToScreen(screen.width(), screen.height());
    // The inside's bounds, as they are saved: the window manager adds its frame around them.
    setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

void TFormHOknoPM::ShowStartStep(const char* utf8) const {
    if (splash_) {
        splash_->SetProcessing(Cp1250::FromUtf8(utf8));
    }
}

SessionSettings TFormHOknoPM::Session() const {
    return SessionSettings(options_, meter_, store_);
}

void TFormHOknoPM::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFormHOknoPM::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    layout_->NoteBounds();
    // The window manager has framed the window, or placed it after the program did: a window
    // as high as the screen allows is fitted to the frame it really has, and kept on the screen.
    if (layout_->DecorationChanged() || layout_->Settling()) {
        LayoutTypingView();
    }
}

void TFormHOknoPM::FormResize() {
    if (!initDone) {
        firstPaintDone = false;
        initDone = true;
        SetTypingFont(typingFont);
        ShowStartStep("Načítám data...");
        const bool resumed = Session().RestoreText(*startSettings_);
        startSettings_.reset();
        if (resumed) {
            engine_->ResumeText();
        } else {
            engine_->BeginNewText();
        }
        TimerSec->start();
        if (splash_) {
            splash_->SetReadyToClose();
        }
    }
    LayoutTypingView();
}

void TFormHOknoPM::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    FormPaint();
}

void TFormHOknoPM::FormPaint() {
    if (firstPaintDone) {
        return;
    }
    firstPaintDone = true;
    port_->FocusLineNumberField();
    if (options_.IsMaximized) {
        // Not from inside the paint itself: the state change repaints and lays out again.
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() | Qt::WindowMaximized);
            update();
        });
    }
}

// ---------------------------------------------------------------------------------------------
// The typing line view's layout

void TFormHOknoPM::SetTypingFont(const QFont& font) {
    typingFont = font;
    controls_->paintBoxType->SetTypingFont(typingFont);
    LayoutTypingView();
}

void TFormHOknoPM::LayoutTypingView() {
    if (layoutInProgress_) {
        return;
    }
    layoutInProgress_ = true;
    const auto finish = qScopeGuard([this] {
        layoutInProgress_ = false;
        port_->InvalidateView();
        update();
    });

    if (options_.Speed) {
        pause_->ButtonShowSpeedClick();
    } else {
        pause_->ButtonNoSpeedClick();
    }

    layout_->Apply();
}

// ---------------------------------------------------------------------------------------------
// Hints and the application's state

bool TFormHOknoPM::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        controls_->statusPanels[1]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::WindowStateChange) {
        layout_->StateChanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
    }
    return QMainWindow::event(event);
}

void TFormHOknoPM::ApplicationStateChanged(Qt::ApplicationState state) {
    if (state == Qt::ApplicationInactive) {
        pause_->ApplicationDeactivated();
    }
}

// ---------------------------------------------------------------------------------------------
// Commands

void TFormHOknoPM::ActionFontExecute() {
    const int windowTop = frameGeometry().y();
    ModalPause pause(*engine_, *port_);

    // The preview: the font sample, all of it typed right.
    const TypingLine saved = line_;
    engine_->SetPattern(FontSampleLine());
    engine_->SetTypedLine(FontSampleLine());
    line_.typedPos = static_cast<int32_t>(FontSampleLine().size());
    port_->InvalidateView();

    dialogs_->ChooseFont(
        typingFont, [this](const QFont& font) { SetTypingFont(font); },
        [this](QFontDialog& dialog) { FontDialog1Show(dialog); });

    line_ = saved;
    port_->InvalidateView();
    // Back where it was, as far as the screen lets a window the new font may have made taller.
    const QRect screen = layout_->ScreenArea();
    const int lowest = screen.bottom() + 1 - frameGeometry().height();
    move(frameGeometry().x(), std::max(screen.top(), std::min(windowTop, lowest)));
}

void TFormHOknoPM::FontDialog1Show(QFontDialog& dialog) {
    // On X11 the dialog gets its frame only on the screen, and a window not yet framed is
    // placed by its inside: the main window's frame, from the same window manager, stands for
    // the dialog's until then.
    const bool frameKnown = dialog.frameGeometry() != dialog.geometry();
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect rect = frameKnown ? dialog.frameGeometry() : dialog.geometry().marginsAdded(frame);
    if (rect.width() < 10 || rect.height() < 10) {
        return;
    }
    const QPoint framePosition = layout_->PlaceBelowTypingLine(rect);
    dialog.move(frameKnown ? framePosition : framePosition + QPoint(frame.left(), frame.top()));
}

void TFormHOknoPM::ActionOptionsExecute() {
    const ModalPause pause(*engine_, *port_);
    if (dialogs_->EditOptions(options_, sound_, features_.Options())) {
        // A new character space and the speed panel take effect through the layout.
        SetTypingFont(typingFont);
        controls_->SetSpeedScale(options_.SpeedMax);
    }
}

void TFormHOknoPM::MenuOaplikaciClick() {
    const ModalPause pause(*engine_, *port_);
    dialogs_->ShowAbout(iniFileName_);
}

// ---------------------------------------------------------------------------------------------
// Closing

void TFormHOknoPM::closeEvent(QCloseEvent* event) {
    // Pending messages run during the close query; a second close request meanwhile waits.
    if (closeQueryRunning_) {
        event->ignore();
        return;
    }
    if (windowGone_) {
        event->accept(); // nobody is left to answer a question
        FormDestroy(false);
        emit Closed();
        return;
    }
    closeQueryRunning_ = true;
    const bool canClose = FormCloseQuery();
    closeQueryRunning_ = false;
    if (!canClose) {
        event->ignore();
        return;
    }
    closedBounds_ = layout_->NormalBounds();
    event->accept();
    // Written while the window still stands, so that a failure can be shown.
    FormDestroy(true);
    emit Closed();
}

bool TFormHOknoPM::FormCloseQuery() {
    ModalPause pause(*engine_, *port_);
    const bool canClose = dialogs_->ConfirmClose(options_);
    if (canClose) {
        pause.KeepStopped();
        options_.IsMaximized = layout_->IsMaximized();
        showNormal();
        // The restored bounds must be in effect before they are saved.
        QCoreApplication::processEvents();
    }
    return canClose;
}

// The window is gone without a close: what the close would have kept is kept, and the
// program ends as after one. With the display gone the settings are written at once, since
// the process ends right after.
void TFormHOknoPM::WindowLost(bool displayGone) {
    windowGone_ = true;
    if (!closedBounds_.isValid()) {
        options_.IsMaximized = layout_->IsMaximized();
        closedBounds_ = layout_->NormalBounds();
    }
    if (displayGone) {
        FormDestroy(false);
    } else {
        close();
    }
}

void TFormHOknoPM::FormDestroy(bool reportFailure) {
    if (std::exchange(settingsWritten_, true)) {
        return;
    }
    try {
        IniFile ini(QtText::ToPath(iniFileName_));
        const QRect saved = closedBounds_.isValid() ? closedBounds_ : layout_->NormalBounds();
        WindowBounds bounds;
        bounds.left = saved.x();
        bounds.top = saved.y();
        bounds.width = saved.width();
        bounds.height = saved.height();
        Session().WriteAll(ini, bounds, QtTypingFont::ToSettings(typingFont),
                           [this](IniFile& file) { features_.WriteSettings(file); });
    } catch (const IniWriteError& error) {
        if (reportFailure && !windowGone_) {
            dialogs_->ShowWriteError(QString::fromLocal8Bit(error.what()));
        } else {
            qWarning("%s", error.what());
        }
    }
}

EvaluationAnswer TFormHOknoPM::ShowEvaluation() {
    return dialogs_->ShowEvaluation(
        FinishedTextInput(meter_, store_),
        [this](TFormKonec& evaluation) { features_.AddToEvaluation(evaluation, *engine_); });
}

void TFormHOknoPM::SetSeam(QtWindowSeam seam) {
    dialogs_->SetSeam(std::move(seam));
}

bool TFormHOknoPM::StopMode() const {
    return engine_->stopMode;
}
