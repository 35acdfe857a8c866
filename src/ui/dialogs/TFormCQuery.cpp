#include "TFormCQuery.h"

#include "ProgramOptions.h"
#include "QtDesignFont.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {} // namespace

TFormCQuery::TFormCQuery(const ProgramOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setWindowTitle(QString::fromUtf8("Potvrzení"));
    setFixedSize(294, 123);
    setFont(QtDesignFont(13, true));
    QPalette windowColours = palette();
    windowColours.setColor(QPalette::Window, windowColours.color(QPalette::Base));
    windowColours.setColor(QPalette::WindowText, windowColours.color(QPalette::Text));
    setPalette(windowColours);

    Label1 = new QLabel(QString::fromUtf8(" Zavřít program Klaptos? "), this);
    Label1->setGeometry(13, 32, 268, 20);
    Label1->setFont(QtDesignFont(16, false));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setAutoFillBackground(true);
    QPalette highlight = Label1->palette();
    highlight.setColor(QPalette::Window, highlight.color(QPalette::Highlight));
    highlight.setColor(QPalette::WindowText, highlight.color(QPalette::HighlightedText));
    Label1->setPalette(highlight);

    // Created No first: its place in the tab order comes before Yes.
    BitBtnNe = new QPushButton(style()->standardIcon(QStyle::SP_DialogNoButton),
                               QString::fromUtf8("&Ne"), this);
    BitBtnNe->setGeometry(162, 72, 97, 25);
    connect(BitBtnNe, &QPushButton::clicked, this, [this] { done(QDialogButtonBox::No); });

    BitBtnAno = new QPushButton(style()->standardIcon(QStyle::SP_DialogYesButton),
                                QString::fromUtf8("&Ano"), this);
    BitBtnAno->setGeometry(34, 72, 89, 25);
    BitBtnAno->setDefault(true);
    connect(BitBtnAno, &QPushButton::clicked, this, [this] { done(QDialogButtonBox::Yes); });
    setTabOrder(BitBtnNe, BitBtnAno);

    // The hint may need two lines in a wide desktop font; it grows upwards from the bottom.
    Label2 = new QLabel(QString::fromUtf8("Nápověda: Zobrazování dotazu lze upravit v Nastavení."),
                        this);
    QFont hintFont = QtDesignFont(11, false);
    hintFont.setItalic(true);
    Label2->setFont(hintFont);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label2->setGeometry(11, 97, 276, 26);
}

QDialogButtonBox::StandardButton TFormCQuery::Answer() const {
    return static_cast<QDialogButtonBox::StandardButton>(result());
}

void TFormCQuery::FormPaint() {
    if (focusDone || !isVisible()) {
        return;
    }
    focusDone = true;
    if (options_.CloseQuery == 1) {
        BitBtnAno->setFocus();
    } else {
        BitBtnNe->setFocus();
    }
}

void TFormCQuery::reject() {
    done(QDialogButtonBox::Cancel);
}

void TFormCQuery::paintEvent(QPaintEvent* event) {
    FormPaint();
    QDialog::paintEvent(event);
}

void TFormCQuery::keyPressEvent(QKeyEvent* event) {
    // Escape belongs to "&Ne", so it answers No; only the title bar cancels.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtnNe->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
