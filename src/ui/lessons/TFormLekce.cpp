#include "TFormLekce.h"

#include "QtDesignFont.h"
#include "QtPicture.h"
#include "QtText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <array>
#include <utility>

namespace {

constexpr int kRows = 11; // the group fills its four columns top to bottom
constexpr int kTickSize = 10;
constexpr int kClientWidth = 592;
constexpr int kClientHeight = 353;

// What each lesson drills, in lesson order; the caption puts the number in front.
constexpr std::array<const char*, TFormLekce::kLessonCount> kLessonNames = {
    "d f j k",     "s l",         "a u",       "g h",       "r u",       "e i ,",     "OPAKOVANÍ",
    "o .",         "p",           "OPAKOVANÍ", "t",         "y / z",     "ú q",       "OPAKOVANÍ",
    "OPAKOVANÍ",   "v",           "m",         "OPAKOVANÍ", "c",         "x w",       "z / y",
    "OPAKOVANÍ",   "b",           "n",         "OPAKOVANÍ", "Pr.VELKÁ",  "Lev.VELKÁ", "ř",
    "á",           "OPAKOVANÍ",   "č",         "í",         "OPAKOVANÍ", "š",         "é",
    "ě",           "OP. ěščřáéí", "OPAKOVANÍ", "ž",         "ý",         "ď ť ň ó",   "Š Ď Ž",
    "? : ! / ( )", "0..9 % -",
};

} // namespace

TFormLekce::TFormLekce(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("Volba lekce"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QtDesignFont(13, true));

    RadioGroupCisloLekce = new QGroupBox(QString::fromUtf8("Lekce pro nácvik psaní"), this);
    RadioGroupCisloLekce->setGeometry(0, 0, 592, 297);
    lessonItems = new QButtonGroup(this);
    constexpr int itemLeft = 10;
    constexpr int itemTop = 20;
    const int columnWidth = (RadioGroupCisloLekce->width() - 2 * itemLeft) / 4;
    const int rowHeight = (RadioGroupCisloLekce->height() - itemTop - 6) / kRows;
    for (int item = 0; item < kLessonCount; ++item) {
        const QString caption = QString::asprintf("%2d: ", item + 1) +
                                QString::fromUtf8(kLessonNames[static_cast<size_t>(item)]);
        auto* button = new QRadioButton(caption, RadioGroupCisloLekce);
        button->setGeometry(itemLeft + (item / kRows) * columnWidth,
                            itemTop + (item % kRows) * rowHeight, columnWidth - 4, rowHeight);
        lessonItems->addButton(button, item);
    }

    RadioGroupQWERTYZ = new QGroupBox(QString::fromUtf8("pro klávesnici typu"), this);
    RadioGroupQWERTYZ->setGeometry(0, 305, 223, 41);
    layoutItems = new QButtonGroup(this);
    const std::array<const char*, 2> layouts = {"QWERTY", "QWERTZ"};
    for (int item = 0; item < 2; ++item) {
        auto* button = new QRadioButton(QString::fromUtf8(layouts[static_cast<size_t>(item)]),
                                        RadioGroupQWERTYZ);
        const int height = button->sizeHint().height();
        button->setGeometry(10 + item * 106, RadioGroupQWERTYZ->height() - height - 2, 100, height);
        layoutItems->addButton(button, item);
    }

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QString::fromUtf8("&Vyber lekci"), this);
    BitBtn1->setGeometry(289, 317, 118, 27);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QString::fromUtf8("&Zpět"), this);
    BitBtn2->setGeometry(472, 317, 118, 27);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    LabelRozlozeni = new QLabel(this);
    LabelRozlozeni->setObjectName(QStringLiteral("LabelRozlozeni"));
    LabelRozlozeni->setFont(QtDesignFont(12));
    LabelRozlozeni->setGeometry(8, kClientHeight, kClientWidth - 16,
                                LabelRozlozeni->sizeHint().height() + 4);
    LabelRozlozeni->hide();

    Select(1, true);
    connect(layoutItems, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            ShowMarks();
            ShowLayoutNote();
        }
    });
}

void TFormLekce::SetDesktopLayout(std::optional<bool> qwertz) {
    desktopQwertz_ = qwertz;
    ShowLayoutNote();
}

// Below the designed dialog, which grows by the note's line while it is shown.
void TFormLekce::ShowLayoutNote() {
    const bool differs = desktopQwertz_ && *desktopQwertz_ != SelectedQwertz();
    if (differs) {
        LabelRozlozeni->setText(
            QString::fromUtf8("Pozor: v systému máte nastavenou klávesnici %1, zvolený typ je %2.")
                .arg(QLatin1String(*desktopQwertz_ ? "QWERTZ" : "QWERTY"),
                     QLatin1String(SelectedQwertz() ? "QWERTZ" : "QWERTY")));
    }
    LabelRozlozeni->setVisible(differs);
    setFixedSize(kClientWidth, kClientHeight + (differs ? LabelRozlozeni->height() + 4 : 0));
}

void TFormLekce::MarkPassed(std::map<int, std::string> qwerty, std::map<int, std::string> qwertz) {
    passed_[0] = std::move(qwerty);
    passed_[1] = std::move(qwertz);
    ShowMarks();
}

bool TFormLekce::IsTicked(int lesson) const {
    return passed_[SelectedQwertz() ? 1 : 0].contains(lesson);
}

void TFormLekce::ShowMarks() {
    const std::map<int, std::string>& passed = passed_[SelectedQwertz() ? 1 : 0];
    const QIcon tick = QtPicture::Icon(QStringLiteral(":/lessons/passed.svg"));
    // An item without a tick keeps the tick's room, so that every caption starts at one place.
    QPixmap room(kTickSize, kTickSize);
    room.fill(Qt::transparent);
    const QIcon noTick(room);
    for (int item = 0; item < kLessonCount; ++item) {
        QAbstractButton* button = lessonItems->button(item);
        const auto found = passed.find(item + 1);
        // A tick as small as the caption's capitals, so that the widest captions still fit.
        button->setIconSize(QSize(kTickSize, kTickSize));
        button->setIcon(found != passed.end() ? tick : noTick);
        button->setToolTip(found != passed.end() ? QtText::FromCp1250(found->second) : QString());
    }
}

void TFormLekce::Select(int lesson, bool qwertz) {
    if (QAbstractButton* item = lessonItems->button(lesson - 1)) {
        item->setChecked(true);
    }
    layoutItems->button(qwertz ? 1 : 0)->setChecked(true);
}

void TFormLekce::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The focus starts on the chosen lesson: an arrow key then moves the choice itself, not
    // a focus frame away from it (Qt checks the next item only from a checked one).
    if (QAbstractButton* chosen = lessonItems->checkedButton()) {
        chosen->setFocus(Qt::ActiveWindowFocusReason);
    }
}

int TFormLekce::SelectedLesson() const {
    return lessonItems->checkedId() + 1;
}

bool TFormLekce::SelectedQwertz() const {
    return layoutItems->checkedId() == 1;
}
