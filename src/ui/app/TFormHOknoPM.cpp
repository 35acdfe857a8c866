#include "TFormHOknoPM.h"

#include "Clock.h"
#include "Cp1250.h"
#include "Evaluation.h"
#include "IniFile.h"
#include "Lekce.h"
#include "PaintBoxType.h"
#include "PauseCommands.h"
#include "ProgramOptions.h"
#include "QtDesignFont.h"
#include "QtField.h"
#include "QtPicture.h"
#include "QtReporter.h"
#include "QtSpeedBar.h"
#include "QtText.h"
#include "SettingsReport.h"
#include "SpeedMeter.h"
#include "TFormAbout.h"
#include "TFormCQuery.h"
#include "TFormHelp.h"
#include "TFormKonec.h"
#include "TFormLekce.h"
#include "TFormOptions.h"
#include "TSOkno.h"
#include "TypingEngine.h"
#include "ViewLayout.h"
#include "WindowBounds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int kTimerSecMs = 1000;
constexpr int kStatusPanel0Width = 150;
constexpr int kStatusBarHeight = 22;
const QString kDefaultFontName = QStringLiteral("Courier New");
constexpr int kDefaultFontSize = 12;

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

std::string Cp(const char* utf8) {
    return Cp1250::FromUtf8(utf8);
}

void SetHint(QWidget* widget, const QString& hint) {
    widget->setToolTip(QtText::ShortHint(hint));
    widget->setStatusTip(QtText::LongHint(hint));
}

void SetHint(QAction* action, const QString& hint) {
    action->setToolTip(QtText::ShortHint(hint));
    action->setStatusTip(QtText::LongHint(hint));
}

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(QtDesignFont(11));
    label->move(x, y);
    label->adjustSize();
    return label;
}

// A label whose right edge stays at `right`, as a right-aligned label grows to the left.
QLabel* MakeRightLabel(QWidget* parent, const QString& text, int right, int y) {
    auto* label = MakeLabel(parent, text, 0, y);
    label->move(right - label->width(), y);
    return label;
}

// The line's error count sets its colours on every keystroke: comparing two colours is
// cheaper than building and resolving a new palette each time.
void SetFieldColours(QWidget* field, QPalette::ColorRole background, QPalette::ColorRole text) {
    const QPalette system = QApplication::palette();
    QPalette palette = field->palette();
    if (palette.color(QPalette::Base) == system.color(background) &&
        palette.color(QPalette::Text) == system.color(text) &&
        palette.isBrushSet(QPalette::Active, QPalette::Base)) {
        return;
    }
    palette.setColor(QPalette::Base, system.color(background));
    palette.setColor(QPalette::Text, system.color(text));
    field->setPalette(palette);
}

// The read-only fields of the window: they only show numbers and texts, never take the
// focus by Tab, and pass their keystrokes to the typing engine.
void SetUpField(QWidget* field, int x, int y, int width, int height, const QString& hint) {
    field->setFont(QtDesignFont(11));
    field->setGeometry(x, y, width, height);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setCursor(Qt::PointingHandCursor);
    // The window's context menu applies here too.
    field->setContextMenuPolicy(Qt::NoContextMenu);
    SetFieldColours(field, QPalette::Button, QPalette::ButtonText);
    SetHint(field, hint);
}

QtField* MakeField(QWidget* parent, int x, int y, int width, int height, const QString& hint) {
    auto* field = new QtField(parent);
    SetUpField(field, x, y, width, height, hint);
    return field;
}

// A button that shows its action's caption, picture, hints and visibility and executes it.
void BindButton(QPushButton* button, QAction* action) {
    const auto sync = [button, action] {
        button->setText(action->text());
        button->setIcon(action->icon());
        button->setToolTip(action->toolTip());
        button->setStatusTip(action->statusTip());
        button->setVisible(action->isVisible());
    };
    sync();
    QObject::connect(action, &QAction::changed, button, sync);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
}

// The key-down code of a key, as the typing engine knows them (Windows virtual keys).
uint16_t VirtualKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return TypingEngine::kVkReturn;
    case Qt::Key_Up:
        return TypingEngine::kVkUp;
    case Qt::Key_Down:
        return TypingEngine::kVkDown;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<uint16_t>(112 + (key - Qt::Key_F1));
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<uint16_t>(key);
    }
    return 0xFF; // a key the engine has no use for
}

// Calls `onShow` when the watched window is shown, before it appears on the screen.
class ShowHook final : public QObject {
public:
    explicit ShowHook(std::function<void()> onShow) : onShow_(std::move(onShow)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            onShow_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onShow_;
};

} // namespace

TFormHOknoPM::TFormHOknoPM(const Model& model, const QString& settingsFile, const QString& textDir,
                           QString helpFile, QWidget* parent)
    : QMainWindow(parent), store_(model.store), meter_(model.meter), options_(model.options),
      sound_(model.sound), clock_(model.clock), textDir_(textDir), helpFile_(std::move(helpFile)),
      iniFileName_(settingsFile) {
    setWindowTitle(QStringLiteral("Klaptos"));
    // The window shows the program's icon, which main() gives the whole application.
    setAttribute(Qt::WA_InputMethodEnabled);

    CreateActions();
    CreateControls();
    CreateMenus();

    engine_ = std::make_unique<TypingEngine>(line_, store_, meter_, options_, sound_, *paintBoxType,
                                             *this, *this);
    pause_ =
        std::make_unique<PauseCommands>(*engine_, store_, meter_, options_, *this, *this, clock_);
    lessons_ = std::make_unique<LessonCommands>(*engine_, store_, meter_, *this, *this,
                                                QtText::ToPath(textDir_));

    // Until the first text is shown the typing line holds the font sample.
    engine_->ClearPattern();
    engine_->ClearTypedLine();
    engine_->stopMode = false;
    engine_->SetPattern(FontSampleLine());

    TimerSec.setInterval(kTimerSecMs);
    connect(&TimerSec, &QTimer::timeout, this, [this] { pause_->TimerSecTimer(); });

    RouteKeystrokes();
    resize(kDesignClientWidth, kDesignClientHeight + MenuBarHeight());
    FormCreate();
}

TFormHOknoPM::~TFormHOknoPM() {
    TimerSec.stop();
    FormDestroy();
}

// ---------------------------------------------------------------------------------------------
// Construction

void TFormHOknoPM::CreateActions() {
    const auto make = [this](const char* caption, const QKeySequence& shortcut, const char* picture,
                             const char* hint) {
        auto* action = new QAction(Utf8(caption), this);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (picture != nullptr) {
            action->setIcon(QtPicture::Icon(QStringLiteral(":/app/%1.svg").arg(picture)));
        }
        SetHint(action, Utf8(hint));
        addAction(action);
        return action;
    };
    auto& a = ActionList1;
    a.ActionClose = make("&Konec", QKeySequence(Qt::CTRL | Qt::Key_Q), "door",
                         "Finito | Konec prace s programem");
    a.ActionOpenFile =
        make("&Vlastní text", QKeySequence(Qt::CTRL | Qt::Key_O), "sheet",
             "Otevři textový soubor s vlastní lekcí | Načíst vlastní textový soubor s Winodows "
             "kódováním češtiny");
    a.ActionFont = make("&Font", QKeySequence(Qt::CTRL | Qt::Key_F), "brush",
                        "Font použitý při psaní | Výběr druhu a velikosti fontu v okně psaní");
    a.ActionOptions = make("&Nastavení možností", QKeySequence(Qt::CTRL | Qt::Key_N), "tools",
                           "Nastavení možností chování programu | Možnost volby zobrazení, "
                           "zvuků, chování při zavření programu apod.");
    a.ActionLekce = make("&Otevřít lekci", QKeySequence(Qt::CTRL | Qt::Key_L), nullptr,
                         "Otevřít soubor s lekcí");
    a.ActionPause =
        make("Přerušit psaní", QKeySequence(Qt::Key_F8), "pause", "Pozastavit dočasně psaní");
    a.ActionContinue =
        make("Pokračovat", QKeySequence(Qt::Key_F9), "continue", "Pokračovat v psaní");
    a.ActionMenuPauseContinue = make("&Start/Stop psaní", QKeySequence(Qt::Key_F10), nullptr,
                                     "Pozastavit či pokračovat v psaní lekce či souboru");
    a.ActionResetLekci = make("&Začít znovu", QKeySequence(Qt::CTRL | Qt::Key_F2), nullptr,
                              "Začít psát otevřený soubor nebo lekci od začátku");

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

    Napoveda11 = new QAction(QStringLiteral("&Napoveda"), this);
    Napoveda11->setShortcut(QKeySequence(Qt::Key_F1));
    Napoveda11->setShortcutContext(Qt::WindowShortcut);
    addAction(Napoveda11);
    connect(Napoveda11, &QAction::triggered, this, [this] { Napoveda11Click(); });
    MenuOaplikaci = new QAction(QStringLiteral("&O aplikaci"), this);
    connect(MenuOaplikaci, &QAction::triggered, this, [this] { MenuOaplikaciClick(); });
}

void TFormHOknoPM::CreateMenus() {
    const auto& a = ActionList1;
    QMenuBar* bar = menuBar();
    Soubor1 = bar->addMenu(QStringLiteral("&Soubor lekce"));
    Soubor1->addAction(a.ActionLekce);
    Soubor1->addAction(a.ActionOpenFile);
    Soubor1->addSeparator();
    Soubor1->addAction(a.ActionClose);
    MenuPsani = bar->addMenu(Utf8("&Psaní"));
    MenuPsani->addAction(a.ActionPause);
    MenuPsani->addAction(a.ActionContinue);
    MenuPsani->addAction(a.ActionMenuPauseContinue);
    MenuPsani->addSeparator();
    MenuPsani->addAction(a.ActionResetLekci);
    MenuProgram = bar->addMenu(QStringLiteral("&Program"));
    MenuProgram->addAction(a.ActionFont);
    MenuProgram->addAction(a.ActionOptions);
    Help1 = bar->addMenu(QStringLiteral("&Help"));
    Help1->addAction(Napoveda11);
    Help1->addAction(MenuOaplikaci);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(a.ActionOpenFile);
    PopupMenu1->addAction(a.ActionClose);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(mapToGlobal(pos)); });
}

void TFormHOknoPM::CreateControls() {
    auto* client = new QWidget(this);
    client->setFont(QtDesignFont(11));
    setCentralWidget(client);

    paintBoxType = new PaintBoxType(line_, options_, client);
    paintBoxType->setGeometry(0, 1, 508, 93);

    Panel1 = new QFrame(client);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(0, 96, 509, 225);

    MakeLabel(Panel1, Utf8("Úkol"), 5, 18);
    EditNapoveda = MakeField(Panel1, 32, 14, 471, 21,
                             Utf8("Úvodní řádek soubor/lekce | Úvodní řádek soubor/lekce s "
                                  "popisem či návodem k cvičení"));

    BitBtnPause = new QPushButton(Panel1);
    BitBtnPause->setGeometry(190, 48, 129, 26);
    BitBtnPause->setFocusPolicy(Qt::ClickFocus);
    BindButton(BitBtnPause, ActionList1.ActionPause);
    BitBtnContinue = new QPushButton(Panel1);
    BitBtnContinue->setGeometry(190, 46, 129, 36);
    BitBtnContinue->setFocusPolicy(Qt::ClickFocus);
    BitBtnContinue->setFont(QtDesignFont(13, true));
    BindButton(BitBtnContinue, ActionList1.ActionContinue);

    MakeLabel(Panel1, Utf8("Počet chyb v řádku"), 16, 94);
    EditChybyRadek = MakeField(Panel1, 119, 90, 36, 21,
                               Utf8("Chyby jsou zdůrazněné, pokud převýšily hodnotu pro "
                                    "opakovaní řádku udanou v Nastavení"));
    MakeLabel(Panel1, Utf8("- celkem v lekci"), 159, 94);
    EditChybyLekce =
        MakeField(Panel1, 237, 90, 36, 21, Utf8("Počet chyb od začátku psaní lekce/souboru"));
    MakeLabel(Panel1, Utf8("Frekvence chyb"), 289, 94);
    EditChybyFreq = MakeField(Panel1, 369, 90, 36, 21, Utf8("Poměr chyb k celkovému počtu úhozů"));
    MakeLabel(Panel1, Utf8("% (chyby / úhozy)"), 411, 94);

    MakeLabel(Panel1, Utf8("číslo ř. "), 27, 127);
    EditCisloRadku = MakeField(Panel1, 66, 123, 36, 21, Utf8("Číslo právě psaného řádku"));
    MakeLabel(Panel1, Utf8("z"), 108, 127);
    EditPocetRadku =
        MakeField(Panel1, 119, 123, 36, 21, Utf8("Celkový počet řádků v lekci/souboru"));
    MakeLabel(Panel1, Utf8("Doba psaní "), 175, 127);
    EditDobaPsani =
        MakeField(Panel1, 237, 123, 36, 21, Utf8("Doba psaní od měřená od začátku lekce/souboru"));
    MakeLabel(Panel1, Utf8("m:s"), 277, 127);
    MakeLabel(Panel1, Utf8("Zbývá asi "), 318, 127);
    EditDobaDoKonce = MakeField(Panel1, 370, 123, 36, 21,
                                Utf8("Odhadovaný čas do konce lekce/souboru - objevi se až po "
                                     "prvních 100 úhozech"));
    MakeLabel(Panel1, Utf8("minut do konce "), 412, 127);
    // The typing engine's keystrokes land here: a field that Space and Enter cannot press.
    EditCisloRadku->setAttribute(Qt::WA_InputMethodEnabled);

    ButtonShowSpeed = new QPushButton(QStringLiteral("Rychlost"), Panel1);
    ButtonShowSpeed->setGeometry(448, 157, 57, 19);
    SetHint(ButtonShowSpeed, Utf8("Zobrazovat ukazatele rychlosti psaní"));
    connect(ButtonShowSpeed, &QPushButton::clicked, this,
            [this] { pause_->ButtonShowSpeedClick(); });

    GroupBoxSpeed = new QGroupBox(Utf8("Rychlost [úhozy za minutu]"), Panel1);
    GroupBoxSpeed->setFont(QtDesignFont(11));
    GroupBoxSpeed->setGeometry(2, 150, 505, 73);
    // The caption sits on the frame's top line, as designed, not above it: the fields
    // inside are placed for that.
    GroupBoxSpeed->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; padding: 0px 2px; }"));
    MakeRightLabel(GroupBoxSpeed, Utf8("-aktuální:  min."), 162, 16);
    MakeRightLabel(GroupBoxSpeed, Utf8("střed"), 231, 16);
    MakeRightLabel(GroupBoxSpeed, Utf8("max."), 302, 16);
    MakeRightLabel(GroupBoxSpeed, Utf8("- průměrná"), 438, 16);
    EditRychlostMin =
        MakeField(GroupBoxSpeed, 165, 12, 36, 21, Utf8("Minimum z posledních 10 úhozů"));
    EditRychlostPrumer =
        MakeField(GroupBoxSpeed, 235, 12, 36, 21, Utf8("Průměr z posledních 10 úhozů"));
    EditRychlostMax =
        MakeField(GroupBoxSpeed, 305, 12, 36, 21, Utf8("Maximum z posledních 10 úhozů"));
    EditRychlostAbsPrumer =
        MakeField(GroupBoxSpeed, 441, 12, 36, 21,
                  Utf8("Absolutní průměrná rychlost  | Absolutní průměrná rychlost měřená ve "
                       "správných úhozech za minutu "));
    ButtonNoSpeed = new QPushButton(QStringLiteral("X"), GroupBoxSpeed);
    ButtonNoSpeed->setGeometry(487, 9, 15, 15);
    ButtonNoSpeed->setFont(QtDesignFont(8, true));
    SetHint(ButtonNoSpeed, Utf8("Skrýt zobrazení rychlosti"));
    connect(ButtonNoSpeed, &QPushButton::clicked, this, [this] { pause_->ButtonNoSpeedClick(); });

    ProgressBarRychlostPrumer = new QtSpeedBar(GroupBoxSpeed);
    ProgressBarRychlostPrumer->setGeometry(12, 57, 481, 9);
    ProgressBarRychlostPrumer->setRange(0, 200);
    ProgressBarRychlostPrumer->setValue(0);
    SetHint(ProgressBarRychlostPrumer,
            Utf8("Grafické zobrazení střední rychlosti psaní v úhozech za minutu"));

    // Each scale label keeps the centre its designed caption had, whatever number it shows.
    static constexpr std::array<int, 9> kScaleLeft{10, 65, 124, 185, 241, 302, 362, 423, 482};
    static constexpr std::array<const char*, 9> kScaleCaption{"0",   "25",  "50",  "75", "100",
                                                              "125", "150", "175", "200"};
    const QFont scaleFont = QtDesignFont(8);
    const QFontMetrics scaleMetrics(scaleFont);
    for (size_t i = 0; i < LabelSpeed.size(); ++i) {
        const QString caption = QString::fromLatin1(kScaleCaption[i]);
        const int centre = kScaleLeft[i] + scaleMetrics.horizontalAdvance(caption) / 2;
        constexpr int kBoxWidth = 30;
        auto* label = new QLabel(caption, GroupBoxSpeed);
        label->setFont(scaleFont);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(centre - kBoxWidth / 2, 44, kBoxWidth, scaleMetrics.height());
        LabelSpeed[i] = label;
    }

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->setFont(QtDesignFont(11));
    for (auto& panel : statusPanels) {
        panel = new QLabel(StatusBar1);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    statusPanels[0]->setFixedWidth(kStatusPanel0Width);
    // A long hint must never widen the window.
    statusPanels[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addWidget(statusPanels[0]);
    StatusBar1->addWidget(statusPanels[1], 1);
    setStatusBar(StatusBar1);
}

// The file dialog is built when it is first needed: building it loads a whole set of style
// icons, a third of the program's start-up. Once built it stays, so it remembers the last
// folder and its size.
QFileDialog& TFormHOknoPM::OpenDialog() {
    if (OpenDialogFile == nullptr) {
        OpenDialogFile = new QFileDialog(this, QStringLiteral("Otevrit textovy soubor"));
        OpenDialogFile->setNameFilters(
            {QStringLiteral("Text (*.txt)"), Utf8("Všechny soubory (*)")});
        OpenDialogFile->setDefaultSuffix(QStringLiteral("txt"));
        OpenDialogFile->setFileMode(QFileDialog::ExistingFile);
        OpenDialogFile->setAcceptMode(QFileDialog::AcceptOpen);
        OpenDialogFile->setOption(QFileDialog::ReadOnly, true);
        OpenDialogFile->setOption(QFileDialog::DontUseNativeDialog, true);
        OpenDialogFile->setSizeGripEnabled(true);
        // Wide enough that the Czech column titles and dates are not cut off.
        OpenDialogFile->resize(800, 500);
        if (auto* list = OpenDialogFile->findChild<QTreeView*>()) {
            list->header()->resizeSection(2, 190); // type: "prostý textový dokument"
            list->header()->resizeSection(3, 130); // date and time, Czech
        }
    }
    return *OpenDialogFile;
}

void TFormHOknoPM::RouteKeystrokes() {
    installEventFilter(this);
    const std::initializer_list<QWidget*> controls{paintBoxType,
                                                   EditNapoveda,
                                                   BitBtnPause,
                                                   BitBtnContinue,
                                                   EditChybyRadek,
                                                   EditChybyLekce,
                                                   EditChybyFreq,
                                                   EditCisloRadku,
                                                   EditPocetRadku,
                                                   EditDobaPsani,
                                                   EditDobaDoKonce,
                                                   ButtonShowSpeed,
                                                   EditRychlostMin,
                                                   EditRychlostMax,
                                                   EditRychlostPrumer,
                                                   EditRychlostAbsPrumer,
                                                   ButtonNoSpeed,
                                                   GroupBoxSpeed,
                                                   ProgressBarRychlostPrumer};
    for (QWidget* control : controls) {
        control->installEventFilter(this);
        keyControls_.insert(control);
    }
}

// ---------------------------------------------------------------------------------------------
// Creation, first resize, first paint

void TFormHOknoPM::FormCreate() {
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &TFormHOknoPM::ApplicationStateChanged);
    viewHomeLeft = paintBoxType->x();
    viewHomeTop = paintBoxType->y();
    frameExtraWidth = width() - paintBoxType->width();
    if (SOkno) {
        SOkno->SetProcessing(Cp("Obnovuji nastavení..."));
    }

    const IniFile ini(QtText::ToPath(iniFileName_));
    QtReporter settingsReporter([this] { return this; });
    SettingsReport::ReportIfUnreadable(ini, settingsReporter);
    meter_.LoadStatistics(&ini);
    options_.ReadOptions(&ini);
    SetSpeedScale(options_.SpeedMax);
    ReadTypingFont(ini);

    const QRect screen = ScreenArea();
    const WindowBounds bounds =
        WindowBounds::Read(ini).FittedToScreen(screen.width(), screen.height());
    move(bounds.left, bounds.top);
    resize(bounds.width, bounds.height);
}

void TFormHOknoPM::ReadTypingFont(const IniFile& ini) {
    QString name =
        QtText::FromCp1250(ini.ReadString("Font", "Name", QtText::ToCp1250(kDefaultFontName)));
    if (!QFontDatabase::families().contains(name)) {
        name = kDefaultFontName;
    }
    typingFont = QFont(name);
    typingFont.setStyleHint(QFont::TypeWriter);
    const int size = ini.ReadInteger("Font", "Size", kDefaultFontSize);
    // Qt cannot show a size of 0 points or less; such a font keeps the family's own size.
    if (size > 0) {
        typingFont.setPointSize(size);
    }
    typingFont.setBold(ini.ReadBool("Font", "Bold", false));
    typingFont.setItalic(ini.ReadBool("Font", "Italic", false));
}

void TFormHOknoPM::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFormHOknoPM::FormResize() {
    if (!initDone) {
        firstPaintDone = false;
        initDone = true;
        SetTypingFont(typingFont);
        {
            const IniFile ini(QtText::ToPath(iniFileName_));
            if (SOkno) {
                SOkno->SetProcessing(Cp("Načítám data..."));
            }
            store_.RestorePosition(&ini);
        }
        engine_->BeginText();
        TimerSec.start();
        if (SOkno) {
            SOkno->SetReadyToClose();
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
    FocusLineNumberField();
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
    paintBoxType->SetTypingFont(typingFont);
    LayoutTypingView();
}

void TFormHOknoPM::LayoutTypingView() {
    if (layoutInProgress_) {
        return;
    }
    layoutInProgress_ = true;
    const auto finish = qScopeGuard([this] {
        layoutInProgress_ = false;
        InvalidateView();
        update();
    });

    if (options_.Speed) {
        pause_->ButtonShowSpeedClick();
    } else {
        pause_->ButtonNoSpeedClick();
    }

    const QRect frame = frameGeometry();
    const QRect screen = ScreenArea();
    LayoutInput in;
    in.viewWidth = paintBoxType->View().ViewWidth();
    in.viewHeight = paintBoxType->View().ViewHeight();
    in.frameExtraWidth = frameExtraWidth;
    in.viewHomeLeft = viewHomeLeft;
    in.viewHomeTop = viewHomeTop;
    in.maximized = IsWindowMaximized();
    in.clientWidth = width();
    in.clientHeight = ClientHeight();
    in.windowLeft = frame.x();
    in.windowTop = frame.y();
    in.frameWidth = frame.width() - width();
    in.frameHeight = frame.height() - ClientHeight();
    in.panelWidth = Panel1->width();
    in.panelHeight = Panel1->height();
    in.statusBarHeight = StatusBar1->height();
    in.screenWidth = screen.width();
    in.screenHeight = screen.height();
    const LayoutResult out = ::LayoutTypingView(in);

    paintBoxType->setGeometry(out.viewLeft, out.viewTop, in.viewWidth, in.viewHeight);
    Panel1->move(out.panelLeft, out.panelTop);
    if (!in.maximized) {
        resize(out.clientWidth, out.clientHeight + MenuBarHeight());
        move(out.windowLeft, out.windowTop);
    }
}

bool TFormHOknoPM::IsWindowMaximized() const {
    return (windowState() & Qt::WindowMaximized) != 0;
}

void TFormHOknoPM::SetSpeedScale(int max) {
    if (max <= 0) {
        max = 200;
    }
    const auto labels = SpeedScaleLabels(max);
    for (size_t i = 0; i < LabelSpeed.size(); ++i) {
        LabelSpeed[i]->setText(QString::number(labels[i]));
    }
    ProgressBarRychlostPrumer->setRange(0, max);
    ProgressBarRychlostPrumer->setValue(0);
}

int TFormHOknoPM::MenuBarHeight() const {
    const QMenuBar* bar = menuBar();
    return bar->isVisible() ? bar->height() : bar->sizeHint().height();
}

int TFormHOknoPM::ClientHeight() const {
    return height() - MenuBarHeight();
}

QRect TFormHOknoPM::ScreenArea() const {
    const QScreen* s = screen();
    if (s == nullptr) {
        s = QGuiApplication::primaryScreen();
    }
    return s != nullptr ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

// ---------------------------------------------------------------------------------------------
// Keystrokes

bool TFormHOknoPM::eventFilter(QObject* watched, QEvent* event) {
    const auto isKeyTarget = [this, watched] {
        if (keyControls_.contains(watched)) {
            return true;
        }
        // The window itself only when no control has the focus; otherwise it is a key that
        // a control passed on to its parents after the engine has seen it.
        const QWidget* focus = QApplication::focusWidget();
        return watched == this && (focus == nullptr || focus == this);
    };
    switch (event->type()) {
    case QEvent::KeyPress:
        if (isKeyTarget()) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool down = FormKeyDown(*key);
            const bool press = FormKeyPress(*key);
            if (down || press) {
                key->accept();
                return true;
            }
        }
        break;
    case QEvent::InputMethod:
        if (isKeyTarget() && FormInputMethod(*static_cast<QInputMethodEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::InputMethodQuery:
        // A read-only field refuses input methods; this one takes the dead keys' letters.
        if (watched == EditCisloRadku || watched == this) {
            auto* query = static_cast<QInputMethodQueryEvent*>(event);
            const auto* widget = static_cast<QWidget*>(watched);
            for (int bit = 0; bit < 32; ++bit) {
                const auto q =
                    static_cast<Qt::InputMethodQuery>(query->queries().toInt() & (1 << bit));
                if (q != 0) {
                    query->setValue(q, q == Qt::ImEnabled ? QVariant(true)
                                                          : widget->inputMethodQuery(q));
                }
            }
            query->accept();
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TFormHOknoPM::FormKeyDown(const QKeyEvent& event) {
    uint16_t key = VirtualKey(event.key());
    engine_->FormKeyDown(key);
    return key == 0;
}

bool TFormHOknoPM::FormKeyPress(const QKeyEvent& event) {
    // Ctrl and Alt combinations are commands, never typed characters.
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return false;
    }
    if (event.key() == Qt::Key_Backspace) {
        unsigned char key = TypingEngine::kBackspace;
        engine_->FormKeyPress(key);
        return key == 0;
    }
    // Delete has a character in Qt, but it is an editing key, not a typed character.
    if (event.key() == Qt::Key_Delete) {
        return false;
    }
    return TypeText(event.text());
}

bool TFormHOknoPM::FormInputMethod(const QInputMethodEvent& event) {
    return TypeText(event.commitString());
}

bool TFormHOknoPM::TypeText(const QString& text) {
    bool consumed = false;
    for (const char32_t codePoint : text.toUcs4()) {
        unsigned char key = Cp1250::FromUnicode(codePoint);
        engine_->FormKeyPress(key);
        consumed = consumed || key == 0;
    }
    return consumed;
}

// ---------------------------------------------------------------------------------------------
// Hints and the application's state

bool TFormHOknoPM::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        statusPanels[1]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

QString TFormHOknoPM::StatusHint() const {
    return statusPanels[1]->text();
}

void TFormHOknoPM::ApplicationStateChanged(Qt::ApplicationState state) {
    if (state == Qt::ApplicationInactive) {
        pause_->ApplicationDeactivated();
    }
}

bool TFormHOknoPM::StopMode() const {
    return engine_->stopMode;
}

// ---------------------------------------------------------------------------------------------
// Commands

void TFormHOknoPM::ActionPause() {
    ActionList1.ActionPause->trigger();
}

void TFormHOknoPM::ActionContinue() {
    ActionList1.ActionContinue->trigger();
}

void TFormHOknoPM::ActionLekce() {
    ActionList1.ActionLekce->trigger();
}

void TFormHOknoPM::ActionOpenFile() {
    ActionList1.ActionOpenFile->trigger();
}

void TFormHOknoPM::ActionResetLekci() {
    ActionList1.ActionResetLekci->trigger();
}

void TFormHOknoPM::ActionClose() {
    ActionList1.ActionClose->trigger();
}

bool TFormHOknoPM::ChooseLesson(int& lesson, bool& qwertz) {
    TFormLekce dialog(this);
    dialog.Select(lesson, qwertz);
    if (modalRunner(dialog) != QDialog::Accepted) {
        return false;
    }
    lesson = dialog.SelectedLesson();
    qwertz = dialog.SelectedQwertz();
    return true;
}

bool TFormHOknoPM::ChooseTextFile(const std::string& fileName, const std::string& initialDir,
                                  std::string& chosen) {
    QFileDialog& dialog = OpenDialog();
    if (!fileName.empty()) {
        const QString path = QtText::FromPath(fileName);
        dialog.setDirectory(QFileInfo(path).absolutePath());
        dialog.selectFile(path);
    } else if (!initialDir.empty()) {
        dialog.setDirectory(QtText::FromPath(initialDir));
    }
    if (modalRunner(dialog) != QDialog::Accepted) {
        return false;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return false;
    }
    chosen = QtText::ToPath(files.first());
    return true;
}

void TFormHOknoPM::ActionFontExecute() {
    const int windowTop = frameGeometry().y();
    const bool wasStopped = engine_->stopMode;
    ActionPause();

    // The preview: the font sample, all of it typed right.
    const TypingLine saved = line_;
    engine_->SetPattern(FontSampleLine());
    engine_->SetTypedLine(FontSampleLine());
    line_.typedPos = static_cast<int32_t>(FontSampleLine().size());
    InvalidateView();

    // The dialog lists installed fonts only: it gets the font that the typing font's name
    // stands for here ("Courier New" is usually a metric-compatible substitute).
    const QFontInfo resolved(typingFont);
    QFont current = typingFont;
    current.setFamily(resolved.family());
    current.setStyleName(resolved.styleName());
    QFontDialog FontDialog1(current, this);
    FontDialog1.setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::MonospacedFonts);
    FontDialog1.setCurrentFont(current);
    if (auto* buttons = FontDialog1.findChild<QDialogButtonBox*>()) {
        QPushButton* apply = buttons->addButton(QDialogButtonBox::Apply);
        connect(apply, &QPushButton::clicked, this,
                [this, &FontDialog1] { SetTypingFont(FontDialog1.currentFont()); });
    }
    ShowHook placement([this, &FontDialog1] { FontDialog1Show(FontDialog1); });
    FontDialog1.installEventFilter(&placement);

    if (modalRunner(FontDialog1) == QDialog::Accepted) {
        SetTypingFont(FontDialog1.currentFont());
    }
    FontDialog1.removeEventFilter(&placement);

    line_ = saved;
    InvalidateView();
    move(frameGeometry().x(), windowTop);
    if (!wasStopped) {
        ActionContinue();
    }
}

void TFormHOknoPM::FontDialog1Show(QFontDialog& dialog) {
    const QRect rect = dialog.frameGeometry();
    const int w = rect.width();
    const int h = rect.height();
    if (w < 10 || h < 10) {
        return;
    }
    const int screenHeight = ScreenArea().height();
    QRect window = frameGeometry();
    // The screen position of the typing line's lower edge.
    const auto lowerEdge = [this](const QRect& win) {
        return win.y() + (win.height() - ClientHeight()) + paintBoxType->y() +
               paintBoxType->height();
    };
    int y = lowerEdge(window);
    if (screenHeight < y + h) {
        const int top = std::max(0, window.y() - (y + h - screenHeight));
        move(window.x(), top);
        window.moveTop(top);
        y = lowerEdge(window);
        if (screenHeight < y + h) {
            y = screenHeight - h;
        }
    }
    const int left = ((paintBoxType->x() + window.x()) * 2 + paintBoxType->width() - w) / 2;
    dialog.move(left, y);
}

void TFormHOknoPM::ActionOptionsExecute() {
    TFormOptions dialog(options_, sound_, this);
    const bool wasStopped = engine_->stopMode;
    ActionPause();
    if (modalRunner(dialog) == QDialog::Accepted) {
        // A new character space and the speed panel take effect through the layout.
        SetTypingFont(typingFont);
        SetSpeedScale(options_.SpeedMax);
    }
    if (!wasStopped) {
        ActionContinue();
    }
}

void TFormHOknoPM::Napoveda11Click() {
    if (!helpWindow_) {
        helpWindow_ = new TFormHelp(helpFile_, this);
    }
    helpWindow_->ShowTopic(QStringLiteral("CONTENTS"));
}

void TFormHOknoPM::MenuOaplikaciClick() {
    const bool wasStopped = engine_->stopMode;
    ActionPause();
    {
        TFormAbout about(this);
        about.SetSettingsFile(iniFileName_);
        // A help window of the About window itself, so that the modal About does not block it.
        about.showHelp = [this, &about](const QString& topic) {
            auto* help = new TFormHelp(helpFile_, &about);
            help->setAttribute(Qt::WA_DeleteOnClose);
            help->ShowTopic(topic);
        };
        modalRunner(about);
    }
    if (!wasStopped) {
        ActionContinue();
    }
}

// ---------------------------------------------------------------------------------------------
// Closing

void TFormHOknoPM::closeEvent(QCloseEvent* event) {
    // Pending messages run during the close query; a second close request meanwhile waits.
    if (closeQueryRunning_) {
        event->ignore();
        return;
    }
    closeQueryRunning_ = true;
    const bool canClose = FormCloseQuery();
    closeQueryRunning_ = false;
    if (!canClose) {
        event->ignore();
        return;
    }
    closedFrame_ = frameGeometry();
    event->accept();
    emit Closed();
}

bool TFormHOknoPM::FormCloseQuery() {
    const bool wasStopped = engine_->stopMode;
    ActionPause();
    bool canClose = true;
    if (options_.CloseQuery != 0) {
        TFormCQuery query(options_, this);
        canClose = modalRunner(query) == QDialogButtonBox::Yes;
    }
    if (canClose) {
        options_.IsMaximized = IsWindowMaximized();
        showNormal();
        // The restored bounds must be in effect before they are saved.
        QCoreApplication::processEvents();
    } else if (!wasStopped) {
        ActionContinue();
    }
    return canClose;
}

void TFormHOknoPM::FormDestroy() {
    try {
        IniFile ini(QtText::ToPath(iniFileName_));
        // All sections land on the disk together: a failing write never leaves the position
        // of one text beside the statistics of another.
        IniFile::Batch batch(ini);
        const QRect frame = closedFrame_.isValid() ? closedFrame_ : frameGeometry();
        WindowBounds bounds;
        bounds.left = frame.x();
        bounds.top = frame.y();
        bounds.width = frame.width();
        bounds.height = frame.height();
        bounds.Write(ini);

        ini.WriteString("Font", "Name", QtText::ToCp1250(typingFont.family()));
        int size = typingFont.pointSize();
        if (size <= 0) {
            size = qRound(typingFont.pointSizeF());
        }
        ini.WriteInteger("Font", "Size", size > 0 ? size : kDefaultFontSize);
        ini.WriteBool("Font", "Bold", typingFont.bold());
        ini.WriteBool("Font", "Italic", typingFont.italic());

        options_.WriteOptions(&ini);
        meter_.SaveStatistics(&ini);
        store_.SavePosition(&ini);
        batch.Commit();
    } catch (const IniWriteError& error) {
        QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                        QString::fromLocal8Bit(error.what()), QMessageBox::Ok, this);
        modalRunner(box);
    }
}

// ---------------------------------------------------------------------------------------------
// The window's fields, as the typing model writes them

void TFormHOknoPM::ShowLineErrors(int count, bool emphasized) {
    EditChybyRadek->setText(QString::number(count));
    if (emphasized) {
        SetFieldColours(EditChybyRadek, QPalette::Highlight, QPalette::HighlightedText);
    } else {
        SetFieldColours(EditChybyRadek, QPalette::Button, QPalette::ButtonText);
    }
}

void TFormHOknoPM::ShowLessonErrors(int count) {
    EditChybyLekce->setText(QString::number(count));
}

void TFormHOknoPM::ShowErrorFrequency(const std::string& text) {
    EditChybyFreq->setText(QtText::FromCp1250(text));
}

bool TFormHOknoPM::IsSpeedPanelVisible() const {
    // The panel's own flag: the window may not be on the screen yet.
    return !GroupBoxSpeed->isHidden();
}

void TFormHOknoPM::ShowSpeeds(int minSpeed, int avgSpeed, int maxSpeed, int absSpeed) {
    EditRychlostMin->setText(QString::number(minSpeed));
    EditRychlostPrumer->setText(QString::number(avgSpeed));
    EditRychlostMax->setText(QString::number(maxSpeed));
    EditRychlostAbsPrumer->setText(QString::number(absSpeed));
}

void TFormHOknoPM::ShowSpeedBar(int position) {
    ProgressBarRychlostPrumer->setValue(position);
}

void TFormHOknoPM::ClearSpeeds() {
    EditRychlostMin->clear();
    EditRychlostPrumer->clear();
    EditRychlostMax->clear();
    EditRychlostAbsPrumer->clear();
    ProgressBarRychlostPrumer->setValue(0);
}

void TFormHOknoPM::ShowElapsed(const std::string& text) {
    EditDobaPsani->setText(QtText::FromCp1250(text));
}

void TFormHOknoPM::ShowTimeLeft(const std::string& text) {
    EditDobaDoKonce->setText(QtText::FromCp1250(text));
}

void TFormHOknoPM::ShowLineNumber(int lineNumber) {
    EditCisloRadku->setText(QString::number(lineNumber));
}

void TFormHOknoPM::ShowLineCount(int lineCount) {
    EditPocetRadku->setText(QString::number(lineCount));
}

void TFormHOknoPM::ShowIntroLine(const std::string& text) {
    EditNapoveda->setText(QtText::FromCp1250(text));
}

void TFormHOknoPM::SetCaption(const std::string& caption, const std::string& applicationTitle) {
    setWindowTitle(QtText::FromCp1250(caption));
    // The desktop shows the window's title; the application's name carries the short title.
    QCoreApplication::setApplicationName(QtText::FromCp1250(applicationTitle));
}

void TFormHOknoPM::FocusLineNumberField() {
    if (isVisible()) {
        EditCisloRadku->setFocus(Qt::OtherFocusReason);
    }
}

void TFormHOknoPM::InvalidateView() {
    paintBoxType->FullRepaint();
}

void TFormHOknoPM::SetStatusText(const std::string& text) {
    statusText_ = text;
    statusPanels[0]->setText(QtText::FromCp1250(text));
}

std::string TFormHOknoPM::StatusText() const {
    return statusText_;
}

void TFormHOknoPM::ShowPauseAction(bool pauseShown) {
    ActionList1.ActionPause->setVisible(pauseShown);
    ActionList1.ActionContinue->setVisible(!pauseShown);
}

void TFormHOknoPM::SetPauseContinueMenu(const std::string& caption, const std::string& hint) {
    ActionList1.ActionMenuPauseContinue->setText(QtText::FromCp1250(caption));
    SetHint(ActionList1.ActionMenuPauseContinue, QtText::FromCp1250(hint));
}

void TFormHOknoPM::SetSpeedPanelVisible(bool visible) {
    GroupBoxSpeed->setVisible(visible);
}

void TFormHOknoPM::SetShowSpeedButtonVisible(bool visible) {
    ButtonShowSpeed->setVisible(visible);
}

EvaluationAnswer TFormHOknoPM::ShowEvaluation() {
    EvaluationInput input;
    input.lessonKeystrokes = meter_.lessonKeystrokes;
    input.lessonErrors = meter_.lessonErrors;
    input.lessonCorrect = meter_.lessonCorrect;
    input.lessonMs = meter_.lessonMs;
    input.currentLesson = store_.CurrentLesson;
    input.totalChars = store_.TotalChars;
    input.displayFileName = Cp1250::FromUtf8(store_.DisplayFileName);
    TFormKonec dialog(Evaluate(input), this);
    return TFormKonec::AnswerFromResult(modalRunner(dialog));
}
