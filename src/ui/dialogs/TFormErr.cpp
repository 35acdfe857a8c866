#include "TFormErr.h"

#include "Cp1250.h"
#include "QtLinkLabel.h"
#include "QtPicture.h"
#include "QtText.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

// The window as designed: client area 357 x 206, controls placed from its top left corner.
constexpr int kDesignWidth = 357;
constexpr int kDesignHeight = 206;
// 365 x 180 of the whole window, less its frame and title bar.
constexpr int kMinimumClientHeight = 150;
constexpr int kRightMargin = 6; // of the text box and of the widest label
constexpr int kLabelHeight = 16;

constexpr QRect kImageChyba(7, 17, 33, 34);
constexpr QRect kImageReport(7, 18, 33, 33);
constexpr QRect kLabelStahnoutVerzi(46, 124, 310, kLabelHeight);
constexpr QRect kLabelTovikHTTPLink(84, 145, 234, kLabelHeight);
constexpr QRect kMemoChyba(48, 13, 303, 102);
constexpr QRect kBitBtnZavritOkno(146, 174, 111, 25);

constexpr int kPictureSide = 32;

// Distance of a control's top from the bottom edge, which anchoring to the bottom keeps.
constexpr int FromBottom(const QRect& design) {
    return kDesignHeight - design.top();
}

QLabel* MakePicture(QWidget* parent, const char* name, const char* resource, const QRect& place) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(QtPicture::Render(QString::fromLatin1(resource),
                                       QSize(kPictureSide, kPictureSide),
                                       parent->devicePixelRatioF()));
    return label;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Labels are as wide as their text, which in this font may need more than the design width.
int TextWidth(const QLabel* label, int designWidth) {
    return std::max(designWidth, label->fontMetrics().horizontalAdvance(label->text()) + 1);
}

bool SplashIsUp() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
        return window->windowType() == Qt::SplashScreen && window->isVisible();
    });
}

} // namespace

TFormErr::TFormErr(QWidget* owner, bool isError, QtWindowSeam seam,
                   const ProgramAddresses& addresses)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), IsError(isError),
      seam_(std::move(seam)), downloadPage_(addresses.homepage) {
    setObjectName(QStringLiteral("FormErr"));
    setWindowTitle(QString::fromUtf8("Nalezena chyba"));
    // The splash stays on top for up to 7 s; a report during start-up (a missing lesson
    // file, unreadable settings) would wait unseen behind it.
    if (SplashIsUp()) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }

    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, Qt::white);
    windowPalette.setColor(QPalette::WindowText, QColor(0, 0, 128)); // navy
    windowPalette.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    setPalette(windowPalette);
    setAutoFillBackground(true);
    QFont windowFont = font();
    windowFont.setPixelSize(13);
    windowFont.setBold(true);
    setFont(windowFont);
    QFont plainFont = windowFont;
    plainFont.setBold(false);

    ImageChyba = MakePicture(this, "ImageChyba", ":/dialogs/report-error.svg", kImageChyba);

    LabelTovikHTTPLink = new QtLinkLabel(
        downloadPage_.isEmpty() ? QString::fromUtf8("Obnovení souborů programu") : downloadPage_,
        this);
    LabelTovikHTTPLink->setObjectName(QStringLiteral("LabelTovikHTTPLink"));
    LabelTovikHTTPLink->setTextFormat(Qt::PlainText);
    QFont linkFont = windowFont;
    linkFont.setUnderline(true);
    LabelTovikHTTPLink->setFont(linkFont);
    QPalette linkPalette = LabelTovikHTTPLink->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    LabelTovikHTTPLink->setPalette(linkPalette);
    connect(LabelTovikHTTPLink, &QtLinkLabel::clicked, this, &TFormErr::LabelTovikHTTPLinkClick);

    LabelStahnoutVerzi =
        MakeLabel(this, "LabelStahnoutVerzi",
                  QString::fromUtf8(downloadPage_.isEmpty()
                                        ? "Jak chybějící soubory programu obnovit, poradí nápověda:"
                                        : "Úplnou verzi programu si můžete zdarma stáhnout z: "));
    LabelStahnoutVerzi->setFont(plainFont);
    // The window's background is white whatever the desktop theme, so its text stays dark.
    QPalette linePalette = LabelStahnoutVerzi->palette();
    linePalette.setColor(QPalette::WindowText, Qt::black);
    LabelStahnoutVerzi->setPalette(linePalette);

    MemoChyba = new QPlainTextEdit(this);
    MemoChyba->setObjectName(QStringLiteral("MemoChyba"));
    MemoChyba->setFont(plainFont);
    MemoChyba->setReadOnly(true);
    MemoChyba->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoChyba->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoChyba->setPalette(QPalette());
    MemoChyba->setGeometry(kMemoChyba);

    BitBtnZavritOkno = new QPushButton(QString::fromUtf8("&Zavřít okno"), this);
    BitBtnZavritOkno->setObjectName(QStringLiteral("BitBtnZavritOkno"));
    BitBtnZavritOkno->setDefault(true);
    connect(BitBtnZavritOkno, &QPushButton::clicked, this, &QDialog::accept);

    ImageReport = MakePicture(this, "ImageReport", ":/dialogs/report-info.svg", kImageReport);

    LabelStahnoutVerzi->resize(TextWidth(LabelStahnoutVerzi, kLabelStahnoutVerzi.width()),
                               kLabelHeight);
    LabelTovikHTTPLink->resize(TextWidth(LabelTovikHTTPLink, kLabelTovikHTTPLink.width()),
                               kLabelHeight);
    if (IsError) {
        const int needed = kLabelStahnoutVerzi.left() + LabelStahnoutVerzi->width() + kRightMargin;
        widening_ = std::max(0, needed - kDesignWidth);
    }
    setMinimumSize(kDesignWidth + widening_, kMinimumClientHeight);
    resize(kDesignWidth + widening_, kDesignHeight);
    ArrangeAnchored();
    BitBtnZavritOkno->setFocus();
}

void TFormErr::SetMessage(const std::string& message) {
    SetMessageUtf8(Cp1250::ToUtf8(message));
}

void TFormErr::SetMessageUtf8(const std::string& utf8) {
    MemoChyba->clear();
    MemoChyba->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QString text = QString::fromUtf8(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    MemoChyba->setPlainText(text);
}

void TFormErr::SetHelpOpener(HelpOpener opener) {
    helpOpener_ = std::move(opener);
}

void TFormErr::SetHelpTopic(const QString& topic, const QString& title) {
    helpTopic_ = topic;
    ownTopic_ = true;
    LabelStahnoutVerzi->setText(QString::fromUtf8("Co s tím dělat, poradí nápověda:"));
    LabelTovikHTTPLink->setText(title);
    LabelStahnoutVerzi->resize(TextWidth(LabelStahnoutVerzi, kLabelStahnoutVerzi.width()),
                               kLabelHeight);
    LabelTovikHTTPLink->resize(TextWidth(LabelTovikHTTPLink, kLabelTovikHTTPLink.width()),
                               kLabelHeight);
    ArrangeAnchored();
}
void TFormErr::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TFormErr::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ArrangeAnchored();
}

void TFormErr::FormShow() {
    raise();
    // The text box ends one label height above the download line, or above the button
    // when there is no download line.
    ArrangeAnchored();
    LabelStahnoutVerzi->setVisible(IsError);
    LabelTovikHTTPLink->setVisible(IsError);
    ImageChyba->setVisible(IsError);
    ImageReport->setVisible(!IsError);
    setWindowTitle(QString::fromUtf8(IsError ? "Nalezena chyba" : "Informace"));
}

void TFormErr::LabelTovikHTTPLinkClick() {
    if (downloadPage_.isEmpty() || ownTopic_) {
        if (helpOpener_) {
            helpOpener_(helpTopic_);
        }
    } else {
        seam_.openUrl(QUrl(downloadPage_));
    }
}

void TFormErr::ArrangeAnchored() {
    const int bottom = height();
    const int lineTop = bottom - FromBottom(kLabelStahnoutVerzi);
    const int buttonTop = bottom - FromBottom(kBitBtnZavritOkno);

    LabelStahnoutVerzi->move(kLabelStahnoutVerzi.left(), lineTop);
    // The link stands centred under the download line, as designed.
    const int lineCentre = kLabelStahnoutVerzi.left() + LabelStahnoutVerzi->width() / 2;
    LabelTovikHTTPLink->move(std::max(0, lineCentre - LabelTovikHTTPLink->width() / 2),
                             bottom - FromBottom(kLabelTovikHTTPLink));
    BitBtnZavritOkno->setGeometry(kBitBtnZavritOkno.left() + widening_ / 2, buttonTop,
                                  kBitBtnZavritOkno.width(), kBitBtnZavritOkno.height());

    const int memoBottom = IsError ? lineTop : buttonTop;
    MemoChyba->setGeometry(kMemoChyba.left(), kMemoChyba.top(),
                           width() - kMemoChyba.left() - kRightMargin,
                           memoBottom - kMemoChyba.top() - kLabelHeight);
}
