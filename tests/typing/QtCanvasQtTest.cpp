#include "QtCanvas.h"

#include "Cp1250.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

QPalette TestPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    palette.setColor(QPalette::Highlight, QColor(0, 0, 160));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 0));
    return palette;
}

QFont TypingFont(bool italic) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(16);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// What drawing the character straight onto its cell gives, with no help from the canvas.
QImage DrawnStraight(const QFont& font, const QString& text, QColor ink, QColor paper) {
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 40, metrics.height() + 8, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    int x = 20;
    QPainter painter(&image);
    painter.setFont(font);
    for (const QChar character : text) {
        const QRect cell(x, 4, metrics.horizontalAdvance(character), metrics.height());
        painter.fillRect(cell, paper);
        painter.setPen(ink);
        if (character.isPrint() && !character.isSpace()) {
            painter.drawText(QPoint(x, 4 + metrics.ascent()), QString(character));
        }
        x += cell.width();
    }
    return image;
}

QString AllCp1250Characters() {
    QString text;
    for (int c = 0x20; c <= 0xff; ++c) {
        text += QChar(static_cast<char16_t>(Cp1250::ToUnicode(static_cast<unsigned char>(c))));
    }
    return text;
}

} // namespace

class QtCanvasQtTest : public QObject {
    Q_OBJECT

private slots:
    // Characters come from kept cells after their first drawing: the second line of the
    // same characters, and the same line in other colours, must look exactly as drawn.
    void KeptCellsLookExactlyLikeDrawnCharacters_data() {
        QTest::addColumn<bool>("italic");
        QTest::newRow("upright") << false;
        QTest::newRow("italic, reaching over its neighbours") << true;
    }

    void KeptCellsLookExactlyLikeDrawnCharacters() {
        QFETCH(bool, italic);
        const QFont font = TypingFont(italic);
        const QString text = AllCp1250Characters();
        const QPalette palette = TestPalette();

        QImage image;
        QtCanvas canvas(image);
        canvas.SetPalette(palette);
        canvas.SetFont(font);
        const QFontMetrics metrics(font);
        for (const auto& [ink, paper] : {std::pair{SysColor::WindowText, SysColor::Window},
                                         std::pair{SysColor::HighlightText, SysColor::Highlight},
                                         std::pair{SysColor::WindowText, SysColor::Window}}) {
            image = QImage(metrics.horizontalAdvance(text) + 40, metrics.height() + 8,
                           QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            int x = 20;
            for (int c = 0x20; c <= 0xff; ++c) {
                canvas.DrawChar(x, 4, static_cast<unsigned char>(c), ink, paper);
                x += metrics.horizontalAdvance(text.at(c - 0x20));
            }
            QCOMPARE(image, DrawnStraight(font, text, canvas.Color(ink), canvas.Color(paper)));
        }
    }

    void ANewFontForgetsTheKeptCells() {
        QImage image(200, 40, QImage::Format_RGB32);
        QtCanvas canvas(image);
        canvas.SetPalette(TestPalette());
        canvas.SetFont(TypingFont(false));
        canvas.DrawChar(20, 4, 'W', SysColor::WindowText, SysColor::Window);

        QFont bigger = TypingFont(false);
        bigger.setPixelSize(24);
        canvas.SetFont(bigger);
        image.fill(Qt::darkGreen);
        const QFontMetrics metrics(bigger);
        canvas.DrawChar(20, 4, 'W', SysColor::WindowText, SysColor::Window);
        const QImage expected =
            DrawnStraight(bigger, QStringLiteral("W"), Qt::black, Qt::white)
                .copy(0, 0, 20 + metrics.horizontalAdvance(QLatin1Char('W')), metrics.height() + 4);
        QCOMPARE(image.copy(expected.rect()), expected);
    }

    void CellsCutAtTheImageEdgeAndTheDirtyRectangleCoversThem() {
        QImage image(30, 30, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QtCanvas canvas(image);
        canvas.SetPalette(TestPalette());
        canvas.SetFont(TypingFont(false));
        (void)canvas.TakeDirtyRect();
        canvas.DrawChar(25, -5, 'M', SysColor::HighlightText, SysColor::Highlight);
        const QFontMetrics metrics(canvas.Font());
        const QRect cell(25, -5, metrics.horizontalAdvance(QLatin1Char('M')), metrics.height());
        QCOMPARE(canvas.TakeDirtyRect(), cell & image.rect());
        QCOMPARE(image.pixel(29, 0), QColor(0, 0, 160).rgb());
        QCOMPARE(image.pixel(24, 0), QColor(Qt::darkGreen).rgb());
    }
};

QTEST_MAIN(QtCanvasQtTest)
#include "QtCanvasQtTest.moc"
