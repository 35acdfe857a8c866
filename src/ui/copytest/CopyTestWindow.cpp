#include "CopyTestWindow.h"

#include "CopyText.h"
#include "CopyTypingArea.h"
#include "QtText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString CopyAsShown(const CopyText& copy) {
    QStringList paragraphs;
    for (const std::string& paragraph : copy.paragraphs) {
        paragraphs << QtText::FromCp1250(paragraph);
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace

CopyTestWindow::CopyTestWindow(const CopyText& copy, int minutes, const QFont& typingFont,
                               const Clock& clock, QWidget* parent)
    : QDialog(parent), countdown_(clock, minutes) {
    setObjectName(QStringLiteral("CopyTestWindow"));
    setWindowTitle(QString::fromUtf8("Opis na čas – ") + QtText::FromCp1250(copy.title));
    setSizeGripEnabled(true);

    auto* title = new QLabel(QtText::FromCp1250(copy.title), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    title->setFont(titleFont);
    remaining_ = new QLabel(this);
    remaining_->setObjectName(QStringLiteral("CopyRemaining"));
    remaining_->setFont(titleFont);
    remaining_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A label of a fixed size: the time shown each second lays nothing out again.
    remaining_->setText(QString::fromUtf8("Zbývá 20:00"));
    remaining_->setFixedSize(remaining_->sizeHint() +
                             QSize(remaining_->fontMetrics().averageCharWidth(), 0));
    auto* head = new QHBoxLayout;
    head->addWidget(title, 1);
    head->addWidget(remaining_);

    copyView_ = new QPlainTextEdit(this);
    copyView_->setObjectName(QStringLiteral("CopyView"));
    copyView_->setReadOnly(true);
    // The copy is read, not selected: nothing of it can reach the text area by the clipboard.
    copyView_->setTextInteractionFlags(Qt::NoTextInteraction);
    copyView_->setFocusPolicy(Qt::NoFocus);
    copyView_->setFont(typingFont);
    copyView_->setPlainText(CopyAsShown(copy));

    typingArea_ = new CopyTypingArea(this);
    typingArea_->setFont(typingFont);
    auto* hint = new QLabel(
        QString::fromUtf8("Opisujte do pole níže souvisle, bez klávesy Enter; po konci textu "
                          "pokračujte znovu od jeho začátku. Čas se spustí prvním úhozem, "
                          "F8 opis ukončí dříve."),
        this);
    hint->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(copyView_, 5);
    layout->addWidget(hint);
    layout->addWidget(typingArea_, 4);
    resize(860, 640);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &CopyTestWindow::CheckTime);
    // Only the first keystroke is heard: the countdown starts, and no keystroke after it
    // costs more than the text area's own work.
    connect(typingArea_, &QPlainTextEdit::textChanged, this, &CopyTestWindow::FirstKeystroke,
            Qt::SingleShotConnection);
    auto* end = new QShortcut(QKeySequence(Qt::Key_F8), this);
    connect(end, &QShortcut::activated, this, &CopyTestWindow::RequestEnd);
    ShowRemaining();
    typingArea_->setFocus();
}

std::string CopyTestWindow::Typed() const {
    return QtText::ToCp1250(typingArea_->Typed());
}

QString CopyTestWindow::RemainingShown() const {
    return remaining_->text();
}

void CopyTestWindow::FirstKeystroke() {
    countdown_.Start();
    ShowRemaining();
}

void CopyTestWindow::ShowRemaining() {
    remaining_->setText(QString::fromUtf8("Zbývá ") +
                        QString::fromStdString(countdown_.RemainingText()));
    if (countdown_.Started()) {
        timer_->start(static_cast<int>(countdown_.MsToNextChange()));
    }
}

void CopyTestWindow::CheckTime() {
    if (finished_) {
        return;
    }
    if (countdown_.Expired()) {
        ShowRemaining();
        Finish();
        return;
    }
    ShowRemaining();
}

void CopyTestWindow::RequestEnd() {
    if (finished_ || question_) {
        return;
    }
    if (!countdown_.Started()) {
        QDialog::reject();
        return;
    }
    QMessageBox question(QMessageBox::Question, QString::fromUtf8("Opis na čas"),
                         QString::fromUtf8("Ukončit opis před koncem času?"), QMessageBox::NoButton,
                         this);
    question.setObjectName(QStringLiteral("CopyEndQuestion"));
    question.setInformativeText(
        QString::fromUtf8("Napsaný text se vyhodnotí; rychlost se počítá na celou zvolenou dobu."));
    QPushButton* yes = question.addButton(QString::fromUtf8("&Ano"), QMessageBox::YesRole);
    QPushButton* no = question.addButton(QString::fromUtf8("&Ne"), QMessageBox::NoRole);
    question.setDefaultButton(no);
    question.setEscapeButton(no);
    question_ = &question;
    runQuestion_(question);
    question_ = nullptr;
    if (!finished_ && question.clickedButton() == yes) {
        Finish();
    }
}

void CopyTestWindow::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    timer_->stop();
    typingArea_->setReadOnly(true);
    if (question_) {
        question_->reject(); // the time ran out while the question was open
    }
    accept();
}

void CopyTestWindow::reject() {
    RequestEnd();
}

void CopyTestWindow::closeEvent(QCloseEvent* event) {
    if (finished_ || !countdown_.Started()) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    RequestEnd();
}
