#include "MainWindowControls.h"

#include "PaintBoxType.h"
#include "ProgramOptions.h"
#include "QtDesignFont.h"
#include "QtField.h"
#include "QtGroupFrame.h"
#include "QtHint.h"
#include "QtSpeedBar.h"
#include "QtText.h"
#include "SpeedMeter.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

namespace {

constexpr int kStatusPanel0Width = 150;
constexpr int kStatusBarHeight = 22;
constexpr QRect kPaintBoxType(0, 1, 508, 93);
constexpr QRect kPanel1(0, 96, 509, 225);
constexpr QRect kBitBtnPause(190, 48, 129, 26);
constexpr QRect kBitBtnContinue(190, 46, 129, 36);
constexpr QRect kButtonShowSpeed(448, 157, 57, 19);
constexpr QRect kGroupBoxSpeed(2, 150, 505, 73);
constexpr QRect kButtonNoSpeed(487, 9, 15, 15);
constexpr QRect kProgressBar(12, 57, 481, 9);
constexpr int kScaleTop = 44;

enum class On { Panel, SpeedBox };

// The read-only fields, in the panel's or the speed box's coordinates, with their hints.
struct FieldSpec {
    QtField* MainWindowControls::*member;
    const char* name;
    On parent;
    QRect rect;
    const char* hint;
};

const FieldSpec kFields[] = {
    {&MainWindowControls::EditNapoveda,
     "EditNapoveda",
     On::Panel,
     {32, 14, 471, 21},
     "Úvodní řádek soubor/lekce | Úvodní řádek soubor/lekce s popisem či návodem k cvičení"},
    {&MainWindowControls::EditChybyRadek,
     "EditChybyRadek",
     On::Panel,
     {119, 90, 36, 21},
     "Chyby jsou zdůrazněné, pokud převýšily hodnotu pro opakovaní řádku udanou v Nastavení"},
    {&MainWindowControls::EditChybyLekce,
     "EditChybyLekce",
     On::Panel,
     {237, 90, 36, 21},
     "Počet chyb od začátku psaní lekce/souboru"},
    {&MainWindowControls::EditChybyFreq,
     "EditChybyFreq",
     On::Panel,
     {369, 90, 36, 21},
     "Poměr chyb k celkovému počtu úhozů"},
    {&MainWindowControls::EditCisloRadku,
     "EditCisloRadku",
     On::Panel,
     {66, 123, 36, 21},
     "Číslo právě psaného řádku"},
    {&MainWindowControls::EditPocetRadku,
     "EditPocetRadku",
     On::Panel,
     // Wide enough for seven digits: a text may have up to 1,000,000 lines.
     {119, 123, 52, 21},
     "Celkový počet řádků v lekci/souboru"},
    {&MainWindowControls::EditDobaPsani,
     "EditDobaPsani",
     On::Panel,
     {237, 123, 36, 21},
     "Doba psaní od měřená od začátku lekce/souboru"},
    {&MainWindowControls::EditDobaDoKonce,
     "EditDobaDoKonce",
     On::Panel,
     {370, 123, 36, 21},
     "Odhadovaný čas do konce lekce/souboru - objevi se až po prvních 100 úhozech"},
    {&MainWindowControls::EditRychlostMin,
     "EditRychlostMin",
     On::SpeedBox,
     {165, 12, 36, 21},
     "Minimum z posledních 10 úhozů"},
    {&MainWindowControls::EditRychlostPrumer,
     "EditRychlostPrumer",
     On::SpeedBox,
     {235, 12, 36, 21},
     "Průměr z posledních 10 úhozů"},
    {&MainWindowControls::EditRychlostMax,
     "EditRychlostMax",
     On::SpeedBox,
     {305, 12, 36, 21},
     "Maximum z posledních 10 úhozů"},
    {&MainWindowControls::EditRychlostAbsPrumer,
     "EditRychlostAbsPrumer",
     On::SpeedBox,
     {441, 12, 36, 21},
     "Absolutní průměrná rychlost  | Absolutní průměrná rychlost měřená ve správných úhozech za "
     "minutu "},
};

// The captions: left-aligned at (x, y), or right-aligned with their right edge at x.
struct LabelSpec {
    On parent;
    const char* text;
    int x;
    int y;
    bool rightAligned = false;
};

const LabelSpec kLabels[] = {
    {On::Panel, "Úkol", 5, 18},
    {On::Panel, "Počet chyb v řádku", 16, 94},
    {On::Panel, "- celkem v lekci", 159, 94},
    {On::Panel, "Frekvence chyb", 289, 94},
    {On::Panel, "% (chyby / úhozy)", 411, 94},
    {On::Panel, "číslo ř. ", 27, 127},
    {On::Panel, "z", 108, 127},
    {On::Panel, "Doba psaní ", 175, 127},
    {On::Panel, "m:s", 277, 127},
    {On::Panel, "Zbývá asi ", 318, 127},
    {On::Panel, "minut do konce ", 412, 127},
    {On::SpeedBox, "-aktuální:  min.", 162, 16, true},
    {On::SpeedBox, "střed", 231, 16, true},
    {On::SpeedBox, "max.", 302, 16, true},
    {On::SpeedBox, "- průměrná", 438, 16, true},
};

// Each scale label keeps the centre its designed caption had, whatever number it shows.
constexpr std::array<int, 9> kScaleLeft{10, 65, 124, 185, 241, 302, 362, 423, 482};
constexpr std::array<const char*, 9> kScaleCaption{"0",   "25",  "50",  "75", "100",
                                                   "125", "150", "175", "200"};

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
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

QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& rect) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(rect);
    return button;
}

} // namespace

void SetFieldColours(QWidget* field, QPalette::ColorRole background, QPalette::ColorRole text) {
    // Comparing two colours is cheaper than building and resolving a new palette each time.
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

MainWindowControls::MainWindowControls(QMainWindow& window, const TypingLine& line,
                                       const ProgramOptions& options, QAction& pause,
                                       QAction& resume) {
    auto* client = new QWidget(&window);
    client->setFont(QtDesignFont(11));
    window.setCentralWidget(client);

    paintBoxType = new PaintBoxType(line, options, client);
    paintBoxType->setObjectName(QStringLiteral("paintBoxType"));
    paintBoxType->setGeometry(kPaintBoxType);

    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(kPanel1);

    BitBtnPause = MakeButton(Panel1, "BitBtnPause", kBitBtnPause);
    BitBtnPause->setFocusPolicy(Qt::ClickFocus);
    BindButton(BitBtnPause, &pause);
    BitBtnContinue = MakeButton(Panel1, "BitBtnContinue", kBitBtnContinue);
    BitBtnContinue->setFocusPolicy(Qt::ClickFocus);
    BitBtnContinue->setFont(QtDesignFont(13, true));
    BindButton(BitBtnContinue, &resume);

    ButtonShowSpeed = MakeButton(Panel1, "ButtonShowSpeed", kButtonShowSpeed);
    ButtonShowSpeed->setText(QStringLiteral("Rychlost"));
    SetHint(ButtonShowSpeed, Utf8("Zobrazovat ukazatele rychlosti psaní"));

    // The caption sits on the frame's top line, as designed, not above it: the fields
    // inside are placed for that.
    GroupBoxSpeed = new QtGroupFrame(Utf8("Rychlost [úhozy za minutu]"), Panel1);
    GroupBoxSpeed->setObjectName(QStringLiteral("GroupBoxSpeed"));
    GroupBoxSpeed->setFont(QtDesignFont(11));
    GroupBoxSpeed->setGeometry(kGroupBoxSpeed);
    const auto parentOf = [this](On on) -> QWidget* {
        return on == On::Panel ? static_cast<QWidget*>(Panel1) : GroupBoxSpeed;
    };

    for (const LabelSpec& design : kLabels) {
        auto* label = new QLabel(Utf8(design.text), parentOf(design.parent));
        label->setFont(QtDesignFont(11));
        label->adjustSize();
        label->move(design.rightAligned ? design.x - label->width() : design.x, design.y);
    }
    // The read-only fields only show numbers and texts, never take the focus by Tab, and pass
    // their keystrokes to the typing engine.
    for (const FieldSpec& design : kFields) {
        auto* field = new QtField(parentOf(design.parent));
        field->setObjectName(QLatin1String(design.name));
        field->setFont(QtDesignFont(11));
        field->setGeometry(design.rect);
        field->setFocusPolicy(Qt::ClickFocus);
        field->setCursor(Qt::PointingHandCursor);
        // The window's context menu applies here too.
        field->setContextMenuPolicy(Qt::NoContextMenu);
        SetFieldColours(field, QPalette::Button, QPalette::ButtonText);
        SetHint(field, Utf8(design.hint));
        this->*design.member = field;
    }
    // The typing engine's keystrokes land here: a field that Space and Enter cannot press.
    EditCisloRadku->setAttribute(Qt::WA_InputMethodEnabled);

    ButtonNoSpeed = MakeButton(GroupBoxSpeed, "ButtonNoSpeed", kButtonNoSpeed);
    ButtonNoSpeed->setText(QStringLiteral("X"));
    ButtonNoSpeed->setFont(QtDesignFont(8, true));
    SetHint(ButtonNoSpeed, Utf8("Skrýt zobrazení rychlosti"));

    ProgressBarRychlostPrumer = new QtSpeedBar(GroupBoxSpeed);
    ProgressBarRychlostPrumer->setObjectName(QStringLiteral("ProgressBarRychlostPrumer"));
    ProgressBarRychlostPrumer->setGeometry(kProgressBar);
    ProgressBarRychlostPrumer->setRange(0, 200);
    ProgressBarRychlostPrumer->setValue(0);
    SetHint(ProgressBarRychlostPrumer,
            Utf8("Grafické zobrazení střední rychlosti psaní v úhozech za minutu"));

    const QFont scaleFont = QtDesignFont(8);
    const QFontMetrics scaleMetrics(scaleFont);
    for (size_t i = 0; i < LabelSpeed.size(); ++i) {
        const QString caption = QString::fromLatin1(kScaleCaption[i]);
        const int centre = kScaleLeft[i] + scaleMetrics.horizontalAdvance(caption) / 2;
        constexpr int kBoxWidth = 30;
        auto* label = new QLabel(caption, GroupBoxSpeed);
        label->setObjectName(QStringLiteral("LabelSpeed%1").arg(i));
        label->setFont(scaleFont);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(centre - kBoxWidth / 2, kScaleTop, kBoxWidth, scaleMetrics.height());
        LabelSpeed[i] = label;
    }

    StatusBar1 = new QStatusBar(&window);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->setFont(QtDesignFont(11));
    for (size_t i = 0; i < statusPanels.size(); ++i) {
        statusPanels[i] = new QLabel(StatusBar1);
        statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    statusPanels[0]->setFixedWidth(kStatusPanel0Width);
    // A long hint must never widen the window.
    statusPanels[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addWidget(statusPanels[0]);
    StatusBar1->addWidget(statusPanels[1], 1);
    window.setStatusBar(StatusBar1);
}

std::array<QWidget*, 19> MainWindowControls::KeyControls() const {
    return {paintBoxType,
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
}

void MainWindowControls::SetSpeedScale(int max) {
    if (max <= 0) {
        max = ProgramOptions::SpeedMaxFromIndex(0);
    }
    const auto labels = SpeedScaleLabels(max);
    for (size_t i = 0; i < LabelSpeed.size(); ++i) {
        LabelSpeed[i]->setText(QString::number(labels[i]));
    }
    ProgressBarRychlostPrumer->setRange(0, max);
    ProgressBarRychlostPrumer->setValue(0);
}
