#include "QtCanvas.h"

#include "Cp1250.h"

#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// The contrast ratio of two colours as the accessibility guidelines define it, 1 to 21.
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

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

    // Filled shapes come from rows worked out once per shape: moved anywhere, even partly
    // off the image, they must fill exactly the pixels Qt's rasteriser fills there.
    void KeptShapesFillExactlyWhatQtFills() {
        const std::vector<std::vector<Point>> shapes{
            {{10, 4}, {14, 0}, {18, 4}, {18, 20}, {16, 22}, {12, 22}, {10, 20}}, // a carriage
            {{0, 0}, {20, 3}, {5, 9}, {17, 15}, {2, 19}},                        // concave
            {{3, 0}, {9, 21}, {0, 14}, {12, 14}, {3, 21}},                       // crossing
        };
        for (const auto& shape : shapes) {
            for (const QPoint offset :
                 {QPoint(0, 0), QPoint(37, 5), QPoint(101, -6), QPoint(37, 5), QPoint(-8, 30)}) {
                std::vector<Point> moved;
                QPolygon polygon;
                for (const Point& p : shape) {
                    moved.push_back({p.x + offset.x(), p.y + offset.y()});
                    polygon << QPoint(p.x + offset.x(), p.y + offset.y());
                }
                QImage ours(120, 40, QImage::Format_RGB32);
                ours.fill(Qt::darkGreen);
                QtCanvas canvas(ours);
                canvas.SetPalette(TestPalette());
                canvas.Polygon(moved.data(), static_cast<int>(moved.size()), SysColor::Highlight,
                               SysColor::HighlightText);

                QImage qts(120, 40, QImage::Format_RGB32);
                qts.fill(Qt::darkGreen);
                {
                    QPainter painter(&qts);
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(canvas.Color(SysColor::HighlightText));
                    painter.drawPolygon(polygon, Qt::OddEvenFill);
                }
                QtCanvas outline(qts);
                outline.SetPalette(TestPalette());
                for (size_t i = 0; i < moved.size(); ++i) {
                    outline.Line(moved[i], moved[(i + 1) % moved.size()], SysColor::Highlight, 1);
                }
                QCOMPARE(ours, qts);
            }
        }
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

    // The ruler dots and the carriage must be seen on the view's background: at least 3:1
    // (the contrast for graphics), in the desktop's light palette and in a dark one.
    void RulerAndCarriageStandOutOnTheBackground_data() {
        QTest::addColumn<QPalette>("palette");
        std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        QTest::newRow("Fusion light") << fusion->standardPalette();
        QPalette dark;
        dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
        dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::Mid, QColor(0x23, 0x23, 0x23));
        dark.setColor(QPalette::Dark, QColor(0x1a, 0x1a, 0x1a));
        QTest::newRow("dark") << dark;
    }
    void RulerAndCarriageStandOutOnTheBackground() {
        QFETCH(QPalette, palette);
        QImage image(1, 1, QImage::Format_RGB32);
        QtCanvas canvas(image);
        canvas.SetPalette(palette);
        const QColor background = canvas.Color(SysColor::Window);
        for (const SysColor mark : {SysColor::BtnFace, SysColor::BtnShadow}) {
            const double ratio = Contrast(canvas.Color(mark), background);
            QVERIFY2(ratio >= 3.0, qPrintable(QStringLiteral("%1:1 for %2 on %3")
                                                  .arg(ratio, 0, 'f', 2)
                                                  .arg(canvas.Color(mark).name())
                                                  .arg(background.name())));
        }
        // The carriage's dark edges still set themselves apart from its body.
        QVERIFY(Contrast(canvas.Color(SysColor::BtnShadow), background) >
                Contrast(canvas.Color(SysColor::BtnFace), background));
    }
};

QTEST_MAIN(QtCanvasQtTest)
#include "QtCanvasQtTest.moc"
