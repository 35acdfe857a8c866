#include "TFormAbout.h"

#include "QtDesignFont.h"
#include "QtLinkLabel.h"
#include "QtPicture.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include <utility>

namespace {

const char* const kLicenceTopic = "IDH_LICENCE";
const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);
const QColor kLinkBlue(0, 0, 255);

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

TFormAbout::TFormAbout(QWidget* parent, QtWindowSeam seam, ProgramAddresses addresses)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      seam_(std::move(seam)), addresses_(std::move(addresses)) {
    setWindowTitle(QString::fromUtf8("O programu"));
    setFixedSize(432, 246);
    setFont(QtDesignFont(13, false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);

    const QString title = QString::fromUtf8("Klaptos 1.0");
    const QFont titleFont = QtDesignFont(30, true);
    Label2 = new QLabel(title, this);
    Label2->setGeometry(86, 15, 262, 29);
    Label2->setFont(titleFont);
    Label2->setAlignment(Qt::AlignCenter);
    setTextColour(Label2, kSilver);
    Label1 = new QLabel(title, this);
    Label1->setGeometry(83, 12, 262, 29);
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    setTextColour(Label1, kNavy);

    Label5 = new QLabel(QString::fromUtf8("Výuka psaní všemi deseti na české klávesnici"), this);
    Label5->setGeometry(16, 56, 400, 18);
    Label5->setAlignment(Qt::AlignCenter);

    Label6 =
        new QLabel(QString::fromUtf8("Klaptos je svobodný software šířený pod licencí MIT."), this);
    Label6->setGeometry(16, 90, 400, 18);
    Label6->setAlignment(Qt::AlignCenter);

    Label10 = new QtLinkLabel(QString::fromUtf8("Podmínky licence"), this);

    Image1 = new QLabel(this);
    Image1->setGeometry(41, 149, 41, 40);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QtPicture::Render(QStringLiteral(":/dialogs/about-hardhat.svg"),
                                        QSize(32, 32), devicePixelRatio()));

    Label3 = new QLabel(QString::fromUtf8("Autor:"), this);
    Label3->setGeometry(93, 151, 49, 16);
    Label3->setFont(QtDesignFont(13, true));

    Label4 = new QLabel(QString::fromUtf8("Tým Klaptos"), this);
    Label4->setGeometry(144, 151, 98, 16);
    Label4->setFont(QtDesignFont(13, true));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(Label4, kNavy);

    LabelTovikHTTPLink =
        new QtLinkLabel(addresses_.homepage.isEmpty() ? QString::fromUtf8("Jak získat program")
                                                      : addresses_.HomepageShown(),
                        this);
    Label9 = new QLabel(QString::fromUtf8("e-mail:"), this);
    Label9->setGeometry(182, 173, 60, 16);
    Label9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label8 = new QtLinkLabel(addresses_.contactEmail, this);
    Label9->setVisible(!addresses_.contactEmail.isEmpty());
    Label8->setVisible(!addresses_.contactEmail.isEmpty());

    // A link reacts to a click on its text only, so each one is exactly as wide as its text.
    QFont linkFont = QtDesignFont(13, false);
    linkFont.setUnderline(true);
    const QFontMetrics linkMetrics(linkFont);
    auto placeLink = [&](QtLinkLabel* link, int left, int top, void (TFormAbout::*click)()) {
        link->setFont(linkFont);
        setTextColour(link, kLinkBlue);
        link->setCursor(Qt::PointingHandCursor);
        link->setGeometry(left, top, linkMetrics.horizontalAdvance(link->text()) + 2, 16);
        connect(link, &QtLinkLabel::clicked, this, click);
    };
    placeLink(LabelTovikHTTPLink, 248, 151, &TFormAbout::LabelTovikHTTPLinkClick);
    placeLink(Label8, 248, 172, &TFormAbout::LabelTovikMailLinkClick);
    placeLink(Label10, 0, 110, &TFormAbout::Label10Click);
    Label10->move((width() - Label10->width()) / 2, Label10->y());

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                              QString::fromUtf8("&Zavřít okno"), this);
    BitBtn1->setGeometry(317, 215, 108, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    Label2->lower(); // the shadow lies under the title

    LabelSettings = new QLabel(this);
    LabelSettings->setGeometry(16, 194, 400, 16);
    LabelSettings->setTextFormat(Qt::PlainText);
    LabelSettings->hide();
}

void TFormAbout::SetSettingsFile(const QString& path) {
    const QString line = QString::fromUtf8("Nastavení: ") + path;
    // A long path loses its middle, where the pupil's own folder names are least telling.
    LabelSettings->setText(
        LabelSettings->fontMetrics().elidedText(line, Qt::ElideMiddle, LabelSettings->width()));
    LabelSettings->setToolTip(path);
    LabelSettings->setVisible(!path.isEmpty());
}

void TFormAbout::LabelTovikHTTPLinkClick() {
    if (addresses_.homepage.isEmpty()) {
        if (showHelp) {
            showHelp(QString::fromLatin1(ProgramAddresses::kRestoreTopic));
        }
    } else {
        seam_.openUrl(QUrl(addresses_.homepage));
    }
}

void TFormAbout::LabelTovikMailLinkClick() {
    if (!addresses_.contactEmail.isEmpty()) {
        seam_.openUrl(QUrl(QStringLiteral("mailto:") + addresses_.contactEmail));
    }
}

void TFormAbout::Label10Click() {
    if (showHelp) {
        showHelp(QString::fromUtf8(kLicenceTopic));
    }
}
