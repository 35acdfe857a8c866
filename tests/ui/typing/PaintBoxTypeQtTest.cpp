#include "PaintBoxType.h"

#include "Cp1250.h"
#include "ProgramOptions.h"
#include "TypingLine.h"

#include <QFont>
#include <QPaintEvent>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QtTest>

#include <string>

namespace {

// Colours that differ in every role, so that each probed pixel says what painted it.
const QColor kBase(255, 255, 255);
const QColor kText(0, 0, 0);
const QColor kHighlight(0, 0, 160);
const QColor kHighlightedText(255, 255, 0);
const QColor kButton(192, 192, 192);
const QColor kDark(128, 128, 128);
const QColor kLight(240, 240, 200);
// The ruler, the carriage and the dark edges lie between the background and the text, so
// that they stand out in any palette: half way, and three quarters of the way.
const QColor kFace(128, 128, 128);
const QColor kShadow(64, 64, 64);

QPalette TestPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, kBase);
    palette.setColor(QPalette::Text, kText);
    palette.setColor(QPalette::Highlight, kHighlight);
    palette.setColor(QPalette::HighlightedText, kHighlightedText);
    palette.setColor(QPalette::Button, kButton);
    palette.setColor(QPalette::Dark, kDark);
    palette.setColor(QPalette::Light, kLight);
    return palette;
}

QFont TestFont() {
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(16);
    return font;
}

// Remembers the regions the widget was asked to paint.
class PaintSpy : public QObject {
public:
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class PaintBoxTypeQtTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void metricsComeFromTheFont();
    void frameIsDarkAboveAndLeftAndLightBelowAndRight();
    void wrongTypedCharacterHasAHighlightedCell();
    void currentPatternCellIsInverted();
    void enterArrowIsInvertedFromTheMarkerOn();
    void rulerHasDoubleDotsAtEveryTenthPosition();
    void carriageCoversTheCurrentDot();
    void carriageOffShowsTheCurrentDotDarker();
    void movedCarriageLeavesNoTrace();
    void keystrokeUpdatesOnlySmallRectangles();
    void changedPaletteRepaintsInTheNewColours();
    void screenShowsWhatAFullPaintShows();

private:
    // The line as a full paint of its present state shows it.
    QImage Painted() const { return box->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // What the window's backing store holds: what keystroke updates put on the screen.
    QImage OnScreen() const {
        return box->screen()
            ->grabWindow(box->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32)
            .copy(box->rect());
    }
    QRgb Pixel(int x, int y) const { return Painted().pixel(x, y); }
    // A pixel of the cell's background: the top left corner, which no glyph reaches.
    QRgb TypedCellBackground(int i) const {
        return Pixel(box->View().CellLeft(i), box->View().lineHeight);
    }
    QRgb PatternCellBackground(int i) const {
        return Pixel(box->View().CellLeft(i), 4 * box->View().lineHeight);
    }
    void Type(const char* text) {
        int i = 0;
        for (; text[i] != 0; ++i) {
            line.typedLine[i] = static_cast<unsigned char>(text[i]);
        }
        line.typedPos = i;
    }

    TypingLine line;
    ProgramOptions options;
    PaintBoxType* box = nullptr;
};

void PaintBoxTypeQtTest::init() {
    line = TypingLine{};
    line.SetPattern("abc def");
    line.ClearTypedLine();
    options = ProgramOptions{};
    box = new PaintBoxType(line, options);
    box->setPalette(TestPalette());
    box->SetTypingFont(TestFont());
    box->resize(box->View().ViewWidth(), box->View().ViewHeight());
    box->FullRepaint();
}

void PaintBoxTypeQtTest::cleanup() {
    delete box;
    box = nullptr;
}

void PaintBoxTypeQtTest::metricsComeFromTheFont() {
    const QFontMetrics metrics(box->TypingFont());
    const TypingView& view = box->View();
    // Every glyph is exactly one glyph width wide, so the cells neither overlap nor drift.
    const QString sample = QStringLiteral("mW.ŽéŘ");
    for (const QChar c : sample) {
        QCOMPARE(metrics.horizontalAdvance(c), view.glyphWidth);
    }
    QCOMPARE(view.lineHeight, metrics.height());
    QCOMPARE(view.cellWidth, view.glyphWidth + 1);
    QCOMPARE(box->sizeHint(), QSize(view.ViewWidth(), view.ViewHeight()));
}

void PaintBoxTypeQtTest::frameIsDarkAboveAndLeftAndLightBelowAndRight() {
    const int w = box->width();
    const int h = box->height();
    QCOMPARE(Pixel(0, h / 2), kShadow.rgb());
    QCOMPARE(Pixel(1, h / 2), kShadow.rgb());
    QCOMPARE(Pixel(w / 2, 0), kShadow.rgb());
    QCOMPARE(Pixel(w / 2, 1), kShadow.rgb());
    QCOMPARE(Pixel(w / 2, 2), kBase.rgb());
    QCOMPARE(Pixel(w / 2, h - 1), kLight.rgb());
    QCOMPARE(Pixel(w - 1, h / 2), kLight.rgb());
    QCOMPARE(Pixel(w - 2, h / 2), kBase.rgb());
}

void PaintBoxTypeQtTest::wrongTypedCharacterHasAHighlightedCell() {
    Type("axc");
    box->FullRepaint();
    QCOMPARE(TypedCellBackground(0), kBase.rgb());
    QCOMPARE(TypedCellBackground(1), kHighlight.rgb());
    QCOMPARE(TypedCellBackground(2), kBase.rgb());

    // The wrong character is drawn in the highlight-text colour somewhere in its cell.
    const TypingView& view = box->View();
    bool textSeen = false;
    for (int y = view.lineHeight; y < 2 * view.lineHeight; ++y) {
        for (int x = view.CellLeft(1); x < view.CellLeft(1) + view.glyphWidth; ++x) {
            textSeen = textSeen || Pixel(x, y) == kHighlightedText.rgb();
        }
    }
    QVERIFY(textSeen);
}

void PaintBoxTypeQtTest::currentPatternCellIsInverted() {
    Type("ab");
    box->FullRepaint();
    QCOMPARE(PatternCellBackground(1), kBase.rgb());
    QCOMPARE(PatternCellBackground(2), kHighlight.rgb());
    QCOMPARE(PatternCellBackground(3), kBase.rgb());

    // The engine moves on: the old cell goes back to normal, the next one is inverted.
    line.typedLine[2] = 'c';
    line.typedPos = 3;
    box->DrawPatternChar(2);
    box->DrawPatternChar(3);
    QCOMPARE(PatternCellBackground(2), kBase.rgb());
    QCOMPARE(PatternCellBackground(3), kHighlight.rgb());
}

void PaintBoxTypeQtTest::enterArrowIsInvertedFromTheMarkerOn() {
    const TypingView& view = box->View();
    const int W = view.cellWidth;
    const int H = view.lineHeight;
    const int q = std::max((W + 3) / 4, 1);
    const int x0 = view.CellLeft(7) + q;
    const int x1 = x0 + (4 * W + 4) / 5;
    const int ym = 4 * H + H / 2;

    struct Row {
        int typedPos;
        QColor background, stroke;
    };
    const Row rows[] = {
        {6, kBase, kText}, {7, kHighlight, kHighlightedText}, {12, kHighlight, kHighlightedText}};
    for (const Row& row : rows) {
        line.typedPos = row.typedPos;
        box->FullRepaint();
        QCOMPARE(Pixel(x0 - 1, 4 * H), row.background.rgb());
        QCOMPARE(Pixel(x1, 4 * H + H - 1), row.background.rgb());
        QCOMPARE(Pixel(x0, ym), row.stroke.rgb());            // the head's point
        QCOMPARE(Pixel((x0 + x1) / 2, ym), row.stroke.rgb()); // the shaft
        QCOMPARE(Pixel(x1, ym - 1), row.stroke.rgb());        // the stroke up
    }
}

void PaintBoxTypeQtTest::rulerHasDoubleDotsAtEveryTenthPosition() {
    line.typedPos = 0;
    box->FullRepaint();
    const TypingView& view = box->View();
    const int y = 3 * view.lineHeight;
    for (int p = 5; p <= 69; ++p) {
        const int c = view.CellCentre(p);
        QCOMPARE(Pixel(c, y), kFace.rgb());
        QCOMPARE(Pixel(c - 1, y - 1), kFace.rgb()); // a square of two by two
        const bool tenth = (p + 1) % 10 == 0;
        QCOMPARE(Pixel(c, y + 2), tenth ? kFace.rgb() : kBase.rgb());
    }
}

void PaintBoxTypeQtTest::carriageCoversTheCurrentDot() {
    line.typedPos = 20;
    box->FullRepaint();
    const TypingView& view = box->View();
    const TypingView::Carriage p = view.ComputeCarriage(20);
    const int c = view.CellCentre(20);
    QCOMPARE(Pixel(c, (p[0].y + p[3].y) / 2), kFace.rgb()); // the body
    QCOMPARE(Pixel(p[1].x, p[1].y + 1), kShadow.rgb());     // the right edge
    QCOMPARE(Pixel(p[0].x, p[0].y + 1), kLight.rgb());      // the left edge
    QCOMPARE(Pixel(c, p[7].y), kShadow.rgb());              // the underline
    QCOMPARE(Pixel(c, p[9].y), kShadow.rgb());
}

void PaintBoxTypeQtTest::carriageOffShowsTheCurrentDotDarker() {
    options.Caret = false;
    line.typedPos = 20;
    box->FullRepaint();
    const TypingView& view = box->View();
    const int y = 3 * view.lineHeight;
    QCOMPARE(Pixel(view.CellCentre(20), y), kShadow.rgb());
    QCOMPARE(Pixel(view.CellCentre(21), y), kFace.rgb());
    QCOMPARE(Pixel(view.CellCentre(20), 2 * view.lineHeight + 2), kBase.rgb()); // no body
    QCOMPARE(Pixel(view.CellCentre(20), 5 * view.lineHeight), kShadow.rgb());   // underline

    line.typedPos = 21;
    box->DrawCarriage();
    QCOMPARE(Pixel(view.CellCentre(20), y), kFace.rgb());
    QCOMPARE(Pixel(view.CellCentre(21), y), kShadow.rgb());
}

void PaintBoxTypeQtTest::movedCarriageLeavesNoTrace() {
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    line.typedPos = 20;
    box->FullRepaint();
    QTRY_COMPARE(OnScreen(), Painted());
    line.typedPos = 30;
    box->DrawCarriage();
    QTRY_COMPARE(OnScreen(), Painted());
}

void PaintBoxTypeQtTest::keystrokeUpdatesOnlySmallRectangles() {
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    PaintSpy spy;
    box->installEventFilter(&spy);
    QCoreApplication::processEvents();
    spy.painted = QRegion();

    // One right keystroke at position 2, as the engine draws it.
    line.typedLine[0] = 'a';
    line.typedLine[1] = 'b';
    line.typedPos = 2;
    box->FullRepaint();
    QCoreApplication::processEvents();
    spy.painted = QRegion();
    spy.paints = 0;

    line.typedLine[2] = 'c';
    box->DrawTypedChar(2);
    line.typedPos = 3;
    box->DrawCarriage();
    box->DrawPatternChar(2);
    box->DrawPatternChar(3);
    QCoreApplication::processEvents();

    QVERIFY(spy.paints > 0);
    const TypingView& view = box->View();
    const QRect bounds = spy.painted.boundingRect();
    QVERIFY2(bounds.left() >= view.CellLeft(1) && bounds.right() < view.CellLeft(5),
             "the update reaches beyond the cells of the keystroke");
    qint64 area = 0;
    for (const QRect& rect : spy.painted) {
        area += qint64{rect.width()} * rect.height();
    }
    QVERIFY(area * 10 < qint64{box->width()} * box->height());
}

void PaintBoxTypeQtTest::changedPaletteRepaintsInTheNewColours() {
    QPalette dark = TestPalette();
    dark.setColor(QPalette::Base, QColor(20, 20, 30));
    box->setPalette(dark);
    QCOMPARE(TypedCellBackground(3), QColor(20, 20, 30).rgb());
}

void PaintBoxTypeQtTest::screenShowsWhatAFullPaintShows() {
    // Half a line typed key by key as the engine draws it, a wrong character still under
    // the position (MoveOnError off).
    line.SetPattern(
        Cp1250::FromUtf8("Kde domov můj, voda hučí po lučinách, bory šumí po skalinách"));
    box->FullRepaint();
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    const std::string typed = Cp1250::FromUtf8("Kde domov můj, voda hučí po lučinách, bory s");
    for (size_t i = 0; i < typed.size(); ++i) {
        line.typedLine[i] = static_cast<unsigned char>(typed[i]);
        box->DrawTypedChar(static_cast<int>(i));
        if (i + 1 < typed.size()) {
            line.typedPos = static_cast<int>(i) + 1;
            box->DrawCarriage();
            box->DrawPatternChar(static_cast<int>(i));
            box->DrawPatternChar(static_cast<int>(i) + 1);
        }
    }
    QCOMPARE(TypedCellBackground(line.typedPos), kHighlight.rgb());
    QCOMPARE(PatternCellBackground(line.typedPos), kHighlight.rgb());

    // Every keystroke's update reached the screen, and nothing of an earlier state is left.
    QTRY_COMPARE(OnScreen(), Painted());
    const QImage shown = OnScreen();
    const QByteArray savePath = qgetenv("KLAPTOS_GRAB_PNG");
    if (!savePath.isEmpty()) {
        shown.save(QString::fromLocal8Bit(savePath));
    }
}

QTEST_MAIN(PaintBoxTypeQtTest)
#include "PaintBoxTypeQtTest.moc"
