// The speed panel's frame, painted by itself, looks exactly as the style sheet it replaces drew
// it (a style sheet brings the whole style sheet machinery into memory).

#include "QtDesignFont.h"
#include "QtGroupFrame.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

namespace {

QImage Picture(QGroupBox& box) {
    box.setFont(QtDesignFont(11));
    box.setGeometry(0, 0, 505, 73);
    // A child with its own font, as the speed panel's: a style sheet restyles children too.
    auto* label = new QLabel(QString::fromUtf8("střed"), &box);
    label->setFont(QtDesignFont(11));
    label->move(200, 16);
    return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class QtGroupFrameQtTest : public QObject {
    Q_OBJECT

private slots:
    void looksAsTheStyleSheetDrewIt() {
        const QString caption = QString::fromUtf8("Rychlost [úhozy za minutu]");
        QGroupBox sheet(caption);
        sheet.setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
            " left: 6px; padding: 0px 2px; }"));
        QtGroupFrame frame(caption);
        QCOMPARE(Picture(frame), Picture(sheet));
    }
};

QTEST_MAIN(QtGroupFrameQtTest)
#include "QtGroupFrameQtTest.moc"
