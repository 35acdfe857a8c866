#include "TFormKonec.h"

#include "Cp1250.h"
#include "QtText.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

#include <algorithm>

namespace {

constexpr int kClientWidth = 424;
constexpr int kClientHeight = 373;
constexpr int kFontPixels = 11;     // the design font of the window
constexpr int kRichTextPixels = 13; // the evaluation's text
constexpr int kBulletIndent = 20;

// Statistics, in the group box's own coordinates: four rows, a left and a right column.
constexpr int kGroupHeight = 123;
constexpr int kRowTop[] = {20, 44, 68, 92};
constexpr int kFieldWidth = 48;
constexpr int kFieldHeight = 21;
constexpr int kLeftLabel = 8;
constexpr int kLeftField = 92;
constexpr int kRightLabel = 150;
constexpr int kRightField = 262;
constexpr int kFieldPadding = 10; // frame and text margins of a line edit
constexpr int kUnitGap = 4;
constexpr int kRightMargin = 6;
constexpr int kUnitHeight = 28; // room for a unit that has to wrap

constexpr QRect kLabelHodnoceni(8, 130, 200, 14);
constexpr QRect kRichEditKonec(8, 146, 407, 163);
constexpr QRect kLabelPrejeteSi(8, 316, 200, 14);
constexpr int kButtonTop = 336;
constexpr int kButtonWidth = 118;
constexpr int kButtonHeight = 25;
constexpr int kButtonLeft[] = {8, 153, 297};

QString Text(const std::string& cp1250) {
    return QtText::FromCp1250(cp1250);
}

QPushButton* AddButton(QWidget* parent, const char* name, const std::string& caption, int left) {
    auto* button = new QPushButton(Text(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
    return button;
}

} // namespace

TFormKonec::TFormKonec(const Evaluation& evaluation, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FormKonec"));
    QFont windowFont = QApplication::font();
    windowFont.setPixelSize(kFontPixels);
    setFont(windowFont);
    setFixedSize(kClientWidth, kClientHeight);
    setWindowTitle(Text(evaluation.caption));

    GroupBox1 = new QGroupBox(QString::fromUtf8("Statistický přehled"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(0, 0, kClientWidth, kGroupHeight);

    auto rightRow = [&](const char* name, int row, const char* label, const std::string& value,
                        const char* unit) {
        AddLabel(GroupBox1, QString::fromUtf8(label),
                 QRect(kRightLabel, kRowTop[row], kRightField - kRightLabel, kFieldHeight));
        QLineEdit* field = AddField(name, kRightField, kRowTop[row], value);
        const int unitLeft = field->geometry().right() + 1 + kUnitGap;
        QLabel* unitLabel =
            AddLabel(GroupBox1, QString::fromUtf8(unit),
                     QRect(unitLeft, kRowTop[row] + (kFieldHeight - kUnitHeight) / 2,
                           kClientWidth - kRightMargin - unitLeft, kUnitHeight));
        unitLabel->setWordWrap(true);
        return field;
    };
    auto leftRow = [&](const char* name, int row, const char* label, const std::string& value) {
        AddLabel(GroupBox1, QString::fromUtf8(label),
                 QRect(kLeftLabel, kRowTop[row], kLeftField - kLeftLabel, kFieldHeight));
        return AddField(name, kLeftField, kRowTop[row], value);
    };
    EditKDoba = rightRow("EditKDoba", 0, "Doba psaní ", evaluation.time, "h:m:s");
    EditKChyby = leftRow("EditKChyby", 1, "Celkem chyb", evaluation.errors);
    EditKFrekvence =
        rightRow("EditKFrekvence", 1, "Frekvence chyb", evaluation.frequency, "% (chyby / úhozy)");
    EditKPocetUhozu = leftRow("EditKPocetUhozu", 2, "Celkem úhozů", evaluation.keystrokes);
    EditKRychlost = rightRow("EditKRychlost", 2, "Zdánlivá rychlost", evaluation.apparentSpeed,
                             "úhozů za minutu");
    EditKAbsRychlost = rightRow("EditKAbsRychlost", 3, "Absolutní rychlost", evaluation.absSpeed,
                                "správných úhozů za minutu");

    QFont boldFont = windowFont;
    boldFont.setBold(true);
    QLabel* hodnoceni = AddLabel(this, QString::fromUtf8("Hodnocení"), kLabelHodnoceni);
    hodnoceni->setObjectName(QStringLiteral("LabelHodnoceni"));
    hodnoceni->setFont(boldFont);

    RichEditKonec = new QTextEdit(this);
    RichEditKonec->setObjectName(QStringLiteral("RichEditKonec"));
    RichEditKonec->setGeometry(kRichEditKonec);
    RichEditKonec->setReadOnly(true);
    RichEditKonec->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditKonec->setFocusPolicy(Qt::ClickFocus);
    QFont richFont = windowFont;
    richFont.setPixelSize(kRichTextPixels);
    RichEditKonec->setFont(richFont);
    RichEditKonec->document()->setDefaultFont(richFont);
    RichEditKonec->document()->setIndentWidth(kBulletIndent);

    QLabel* prejeteSi = AddLabel(this, QString::fromUtf8("Přejete si"), kLabelPrejeteSi);
    prejeteSi->setObjectName(QStringLiteral("LabelPrejeteSi"));
    prejeteSi->setFont(boldFont);

    BitBtnKDalsi = AddButton(this, "BitBtnKDalsi", evaluation.nextCaption, kButtonLeft[0]);
    BitBtnKOpakovat = AddButton(this, "BitBtnKOpakovat", evaluation.repeatCaption, kButtonLeft[1]);
    BitBtn3 = AddButton(this, "BitBtn3", Cp1250::FromUtf8("&Ukončit program"), kButtonLeft[2]);
    connect(BitBtnKDalsi, &QPushButton::clicked, this,
            [this] { Finish(EvaluationAnswer::Next, kResultNext); });
    connect(BitBtnKOpakovat, &QPushButton::clicked, this,
            [this] { Finish(EvaluationAnswer::Repeat, kResultRepeat); });
    connect(BitBtn3, &QPushButton::clicked, this,
            [this] { Finish(EvaluationAnswer::Quit, kResultQuit); });
    QWidget::setTabOrder(BitBtnKOpakovat, BitBtnKDalsi);
    QWidget::setTabOrder(BitBtnKDalsi, BitBtn3);

    if (evaluation.frequencyHighlighted) {
        Highlight(EditKFrekvence);
    }
    if (evaluation.absSpeedHighlighted) {
        Highlight(EditKAbsRychlost);
    }
    BitBtnKDalsi->setEnabled(evaluation.nextEnabled);
    FillEvaluation(evaluation);

    BitBtnKOpakovat->setFocus();
}

EvaluationAnswer TFormKonec::AnswerFromResult(int result) {
    switch (result) {
    case kResultNext:
        return EvaluationAnswer::Next;
    case kResultQuit:
        return EvaluationAnswer::Quit;
    case kResultPractice:
        return EvaluationAnswer::Practice;
    default:
        return EvaluationAnswer::Repeat;
    }
}

QLineEdit* TFormKonec::AddField(const char* name, int left, int top, const std::string& value) {
    auto* field = new QLineEdit(QString::fromStdString(value), GroupBox1);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus); // out of the tab order
    // The design width holds "00:00:00" in the design font; a wider font gets what it needs.
    const int needed = field->fontMetrics().horizontalAdvance(field->text()) + kFieldPadding;
    field->setGeometry(left, top, std::max(kFieldWidth, needed), kFieldHeight);
    field->setCursorPosition(0);
    return field;
}

QLabel* TFormKonec::AddLabel(QWidget* parent, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

void TFormKonec::Highlight(QLineEdit* field) {
    const QPalette system = QApplication::palette();
    QPalette palette = field->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, system.color(group, QPalette::Highlight));
        palette.setColor(group, QPalette::Text, system.color(group, QPalette::HighlightedText));
    }
    field->setPalette(palette);
}

void TFormKonec::FillEvaluation(const Evaluation& evaluation) {
    RichEditKonec->clear();
    QTextCursor cursor(RichEditKonec->document());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    QTextList* list = nullptr;
    for (const EvaluationLine& line : evaluation.lines) {
        if (list == nullptr) {
            list = cursor.createList(bullets);
        } else {
            cursor.insertBlock();
            list->add(cursor.block());
        }
        QTextCharFormat format;
        if (line.bold) {
            format.setFontWeight(QFont::Bold);
        }
        cursor.insertText(Text(line.text), format);
    }
    RichEditKonec->moveCursor(QTextCursor::Start);
}

void TFormKonec::AddPart(QWidget* part) {
    const int top = height();
    const int partHeight = part->sizeHint().height();
    part->setParent(this);
    part->setGeometry(0, top, kClientWidth, partHeight);
    setFixedSize(kClientWidth, top + partHeight);
    part->show();
}

void TFormKonec::FinishWithPractice() {
    Finish(EvaluationAnswer::Practice, kResultPractice);
}

void TFormKonec::Finish(EvaluationAnswer answer, int result) {
    answer_ = answer;
    done(result);
}
