// The program's icons are drawn from their SVG when shown, at the size and density shown, and
// disabled entries get the style's disabled look.

#include "QtPicture.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace {

int OpaquePixels(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class SvgIconEngineQtTest : public QObject {
    Q_OBJECT

private slots:
    void anIconIsDrawnAtTheSizeAndDensityAsked() {
        const QIcon icon = QtPicture::Icon(QStringLiteral(":/app/klaptos.svg"));
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}}));

        const QPixmap normal = icon.pixmap(QSize(24, 24));
        QCOMPARE(normal.size(), QSize(24, 24));
        QVERIFY(OpaquePixels(normal) > 24 * 24 / 4);

        const QPixmap sharp = icon.pixmap(QSize(24, 24), 2.0);
        QCOMPARE(sharp.size(), QSize(48, 48));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);

        const QPixmap disabled = icon.pixmap(QSize(24, 24), QIcon::Disabled);
        QCOMPARE(disabled.size(), QSize(24, 24));
        QVERIFY(disabled.toImage() != normal.toImage());
    }

    void aMissingPictureGivesAnEmptyPicture() {
        const QIcon icon = QtPicture::Icon(QStringLiteral(":/app/no-such-picture.svg"));
        const QPixmap pixmap = icon.pixmap(QSize(16, 16));
        QCOMPARE(pixmap.size(), QSize(16, 16));
        QCOMPARE(OpaquePixels(pixmap), 0);
    }
};

QTEST_MAIN(SvgIconEngineQtTest)
#include "SvgIconEngineQtTest.moc"
