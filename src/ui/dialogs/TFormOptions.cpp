#include "TFormOptions.h"

#include "ProgramOptions.h"
#include "QtDesignFont.h"
#include "QtText.h"
#include "SoundPlayer.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>
#include <string>

namespace {

constexpr int kClientWidth = 446;
constexpr int kLeft = 12;                                // left edge of the column of controls
constexpr int kCheckBoxWidth = kClientWidth - 2 * kLeft; // a check box may reach the right margin
constexpr int kAddedRowHeight = 22;

// A check box cannot wrap its caption; a caption wider than `width` breaks at the last blank
// that still fits, so a wide desktop font never cuts it off.
QString wrappedCaption(const QString& caption, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(caption) <= width) {
        return caption;
    }
    for (qsizetype blank = caption.lastIndexOf(u' '); blank > 0;
         blank = caption.lastIndexOf(u' ', blank - 1)) {
        if (metrics.horizontalAdvance(caption.left(blank)) <= width) {
            return caption.left(blank) + u'\n' + caption.mid(blank + 1);
        }
    }
    return caption;
}

// A number field that only its arrows change, and that stops at its ends.
QSpinBox* upDown(QWidget* parent, int maximum, QLineEdit*& edit) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(0, maximum);
    spin->setWrapping(false);
    edit = spin->findChild<QLineEdit*>();
    edit->setReadOnly(true);
    return spin;
}

QGroupBox* radioGroup(QWidget* parent, const char* caption, const QRect& geometry,
                      QButtonGroup*& items, std::initializer_list<const char*> itemCaptions) {
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setGeometry(geometry);
    items = new QButtonGroup(group);
    int id = 0;
    for (const char* itemCaption : itemCaptions) {
        auto* item = new QRadioButton(QString::fromUtf8(itemCaption), group);
        item->setGeometry(10, 22 + id * 20, geometry.width() - 16, item->sizeHint().height());
        items->addButton(item, id++);
    }
    return group;
}

} // namespace

TFormOptions::TFormOptions(ProgramOptions& options, SoundPlayer& player, QWidget* parent)
    : QDialog(parent), options_(options), player_(player) {
    setWindowTitle(QString::fromUtf8("Nastavení parametrů programu"));
    setFixedSize(kClientWidth, 331);
    setFont(QtDesignFont(11));
    const QFontMetrics metrics(font());
    const int captionWidth = kCheckBoxWidth - style()->pixelMetric(QStyle::PM_IndicatorWidth) -
                             style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) - 4;
    // Each row is placed by its vertical centre, so that a check box lines up with the list
    // or number field beside it whatever the height of the desktop's controls.
    auto checkBox = [&](const char* caption, int centre, int width = kCheckBoxWidth) {
        auto* box =
            new QCheckBox(wrappedCaption(QString::fromUtf8(caption), metrics, captionWidth), this);
        const int height = box->sizeHint().height();
        box->setGeometry(kLeft, centre - height / 2, width, height);
        return box;
    };

    // The arrows stand on the left of the number, as the label to its right reads on from them.
    UpDownCharSpace = upDown(this, Settings::CharSpace.high, EditCharSpace);
    UpDownCharSpace->setLayoutDirection(Qt::RightToLeft);
    UpDownCharSpace->setGeometry(kLeft, 10, 44, 22);
    Label2 = new QLabel(QString::fromUtf8("[pixel] rozšířená mezera mezi znaky psaného textu pro "
                                          "jeho lepší čitelnost"),
                        this);
    Label2->setWordWrap(true);
    Label2->setGeometry(62, 5, kClientWidth - 62 - kLeft, 32);

    CheckBoxCaret = checkBox("Zobrazuj pohyb vozíku", 50);

    CheckBoxErrorBeep = checkBox("Generuj zvuk při chybě", 77, 158);
    ComboBoxZvuk = new QComboBox(this);
    for (const std::string& item : SoundItemCaptions()) {
        ComboBoxZvuk->addItem(QtText::FromCp1250(item));
    }
    ComboBoxZvuk->setGeometry(174, 65, 174, 24);
    BitBtnText = new QPushButton(style()->standardIcon(QStyle::SP_MediaVolume),
                                 QString::fromUtf8("&Test"), this);
    BitBtnText->setGeometry(356, 65, 78, 24);
    BitBtnText->setAutoDefault(false);
    connect(BitBtnText, &QPushButton::clicked, this, &TFormOptions::BitBtnTextClick);

    CheckBoxOpakuj = checkBox("Opakuj řádek při počtu chyb větším než", 105, 250);
    UpDownOpakuj = upDown(this, Settings::ErrRep.high, EditOpakuj);
    UpDownOpakuj->setGeometry(266, 94, 48, 22);

    CheckBoxPosunPriChybe = checkBox(
        "Přejdi na další znak při chybě v psaní - oprava pomocí klávesy Posun zpět [Backspace]",
        136);
    CheckBoxAutoStop =
        checkBox("Automaticky zastav psani (režim STOP) při přepnutí na jinou aplikaci", 165);
    CheckBoxSpeed = checkBox("Zobrazuj rychlost psaní", 187);

    RadioGroupSpeed = radioGroup(this, "Měřítko ukazatele rychlosti", QRect(8, 204, 156, 86),
                                 speedItems, {"0-200", "0-400", "0-600"});
    RadioGroupCloseQuery =
        radioGroup(this, "Dotaz před zavřením programu", QRect(172, 204, 266, 86), closeQueryItems,
                   {"Žádný - zavřít okamžitě", "Zeptat se s předvoleným ANO",
                    "Zeptat se, ale s předvolbou NE"});

    BitBtnOptionOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                     QString::fromUtf8("&Uložit a zavřít"), this);
    BitBtnOptionOK->setGeometry(158, 297, 130, 26);
    BitBtnOptionOK->setDefault(true);
    connect(BitBtnOptionOK, &QPushButton::clicked, this, &TFormOptions::BitBtnOptionOKClick);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QString::fromUtf8("&Cancel"), this);
    BitBtn2->setGeometry(350, 297, 88, 26);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QCheckBox* TFormOptions::AddCheckBox(const QString& caption) {
    // The buttons stay the last row: the new box takes their place and they move down by it.
    auto* box = new QCheckBox(caption, this);
    const int height = std::max(box->sizeHint().height(), kAddedRowHeight);
    box->setGeometry(kLeft, BitBtnOptionOK->y(), kCheckBoxWidth, height);
    for (QPushButton* button : {BitBtnOptionOK, BitBtn2}) {
        button->move(button->x(), button->y() + height);
    }
    setFixedSize(width(), this->height() + height);
    return box;
}

void TFormOptions::FormShow() {
    speedItems->button(ProgramOptions::SpeedIndexFromMax(options_.SpeedMax))->setChecked(true);
    UpDownCharSpace->setValue(options_.CharSpace);
    UpDownOpakuj->setValue(options_.ErrRep);
    CheckBoxOpakuj->setChecked(options_.ErrIsRep);
    CheckBoxErrorBeep->setChecked(options_.ErrorBeep);
    CheckBoxCaret->setChecked(options_.Caret);
    CheckBoxSpeed->setChecked(options_.Speed);
    CheckBoxPosunPriChybe->setChecked(options_.MoveOnError);
    CheckBoxAutoStop->setChecked(options_.AutoStop);
    if (QAbstractButton* item = closeQueryItems->button(options_.CloseQuery)) {
        item->setChecked(true);
    }
    ComboBoxZvuk->setCurrentIndex(options_.Sound);
}

void TFormOptions::BitBtnOptionOKClick() {
    options_.ErrIsRep = CheckBoxOpakuj->isChecked();
    options_.ErrRep = UpDownOpakuj->value();
    options_.CharSpace = UpDownCharSpace->value();
    options_.ErrorBeep = CheckBoxErrorBeep->isChecked();
    options_.Caret = CheckBoxCaret->isChecked();
    options_.Speed = CheckBoxSpeed->isChecked();
    options_.MoveOnError = CheckBoxPosunPriChybe->isChecked();
    options_.AutoStop = CheckBoxAutoStop->isChecked();
    // An item can be unselected only when the record held a value out of range: keep that.
    if (closeQueryItems->checkedId() >= 0) {
        options_.CloseQuery = closeQueryItems->checkedId();
    }
    if (ComboBoxZvuk->currentIndex() >= 0) {
        options_.Sound = ComboBoxZvuk->currentIndex();
    }
    options_.SpeedMax = ProgramOptions::SpeedMaxFromIndex(speedItems->checkedId());
    accept();
}

void TFormOptions::BitBtnTextClick() {
    PlayErrorSound(player_, ComboBoxZvuk->currentIndex());
}

void TFormOptions::showEvent(QShowEvent* event) {
    // A window brought back from the task bar keeps what the pupil has changed so far.
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}
