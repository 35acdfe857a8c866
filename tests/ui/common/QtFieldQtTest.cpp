#include "QtField.h"
#include "QtSpeedBar.h"

#include "PaintCounter.h"
#include "QtDesignFont.h"

#include <QAccessible>
#include <QImage>
#include <QLineEdit>
#include <QProgressBar>
#include <QtTest>

#include <memory>

namespace {

// A window with a reference widget of Qt's own and our stand-in for it, side by side on the
// same background, so that their pictures can be compared pixel for pixel.
struct SideBySide {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();

    SideBySide() {
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, QColor(212, 208, 200));
        palette.setColor(QPalette::Base, QColor(236, 233, 216));
        palette.setColor(QPalette::Text, QColor(0, 0, 128));
        window->setPalette(palette);
        window->resize(520, 120);
    }

    [[nodiscard]] bool Show() const {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    QImage Shot(QWidget* widget) const {
        const QImage whole = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return whole.copy(widget->geometry());
    }
};

QLineEdit* ReferenceField(QWidget* parent, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    // As in the main window: no focus until clicked.
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setFont(QtDesignFont(11));
    edit->setGeometry(geometry);
    return edit;
}

QtField* OurField(QWidget* parent, const QRect& geometry) {
    auto* field = new QtField(parent);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setFont(QtDesignFont(11));
    field->setGeometry(geometry);
    return field;
}

QtSpeedBar* OurSpeedBar(QWidget* parent) {
    auto* bar = new QtSpeedBar(parent);
    bar->setGeometry(12, 57, 481, 9);
    bar->setRange(0, 200);
    return bar;
}

// The columns where two pictures of the same size differ.
QList<int> DifferingColumns(const QImage& a, const QImage& b) {
    QList<int> columns;
    for (int x = 0; x < a.width(); ++x) {
        for (int y = 0; y < a.height(); ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                columns << x;
                break;
            }
        }
    }
    return columns;
}

} // namespace

class QtFieldQtTest : public QObject {
    Q_OBJECT

private slots:
    void LooksLikeAReadOnlyLineEdit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("shape");
        QTest::addColumn<bool>("frame");
        QTest::newRow("empty") << QString() << QRect(0, 0, 36, 21) << true;
        QTest::newRow("speed") << QStringLiteral("187") << QRect(0, 0, 36, 21) << true;
        QTest::newRow("time") << QStringLiteral("12:05") << QRect(0, 0, 41, 21) << true;
        QTest::newRow("Czech, too long to fit")
            << QString::fromUtf8("Úvodní řádek: ďábelské úpění kůň, ještě delší text než pole")
            << QRect(0, 0, 140, 21) << true;
        QTest::newRow("no frame") << QString::fromUtf8("Načítám data...") << QRect(0, 0, 201, 20)
                                  << false;
    }

    void LooksLikeAReadOnlyLineEdit() {
        QFETCH(QString, text);
        QFETCH(QRect, shape);
        QFETCH(bool, frame);
        SideBySide s;
        QLineEdit* edit = ReferenceField(s.window.get(), shape.translated(10, 10));
        QtField* field = OurField(s.window.get(), shape.translated(10, 50));
        edit->setFrame(frame);
        field->setFrame(frame);
        edit->setText(text);
        edit->setCursorPosition(0);
        field->setText(text);
        QVERIFY(s.Show());
        QCOMPARE(s.Shot(field), s.Shot(edit));
    }

    void EmphasisedColoursAndFocusLookLikeALineEdit() {
        SideBySide s;
        QLineEdit* edit = ReferenceField(s.window.get(), QRect(10, 10, 36, 21));
        QtField* field = OurField(s.window.get(), QRect(10, 50, 36, 21));
        for (QWidget* w : {static_cast<QWidget*>(edit), static_cast<QWidget*>(field)}) {
            QPalette palette = w->palette();
            palette.setColor(QPalette::Base, QColor(0, 0, 160));
            palette.setColor(QPalette::Text, QColor(255, 255, 0));
            w->setPalette(palette);
        }
        edit->setText(QStringLiteral("4"));
        field->setText(QStringLiteral("4"));
        QVERIFY(s.Show());
        QCOMPARE(s.Shot(field), s.Shot(edit));

        // Each in turn holds the focus: the focused frame must look the same too.
        edit->setFocus();
        const QImage editFocused = s.Shot(edit);
        field->setFocus();
        QCOMPARE(s.Shot(field), editFocused);
    }

    void ANewTextRepaintsTheFieldAloneAndTheSameTextNothing() {
        SideBySide s;
        QtField* field = OurField(s.window.get(), QRect(10, 10, 36, 21));
        field->setText(QStringLiteral("12"));
        QVERIFY(s.Show());
        PaintCounter fieldPaints(field);
        PaintCounter windowPaints(s.window.get());

        field->setText(QStringLiteral("12"));
        QCoreApplication::processEvents();
        QCOMPARE(fieldPaints.paints, 0);

        field->setText(QStringLiteral("13"));
        QTRY_COMPARE(fieldPaints.paints, 1);
        QCOMPARE(windowPaints.paints, 0);
        QCOMPARE(field->text(), QStringLiteral("13"));
        field->clear();
        QVERIFY(field->text().isEmpty());
    }

    // A screen reader hears what the line edit and progress bar would have told it.
    void AssistiveTechnologyReadsTheTextAndTheSpeed() {
        SideBySide s;
        QtField* field = OurField(s.window.get(), QRect(10, 10, 36, 21));
        field->setText(QStringLiteral("187"));
        QtSpeedBar* bar = OurSpeedBar(s.window.get());
        bar->setValue(57);

        QAccessibleInterface* text = QAccessible::queryAccessibleInterface(field);
        QVERIFY(text != nullptr);
        QCOMPARE(text->role(), QAccessible::EditableText);
        QCOMPARE(text->text(QAccessible::Value), QStringLiteral("187"));
        QVERIFY(text->state().readOnly);

        QAccessibleInterface* speed = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(speed != nullptr);
        QCOMPARE(speed->role(), QAccessible::ProgressBar);
        QAccessibleValueInterface* value = speed->valueInterface();
        QVERIFY(value != nullptr);
        QCOMPARE(value->currentValue().toInt(), 57);
        QCOMPARE(value->minimumValue().toInt(), 0);
        QCOMPARE(value->maximumValue().toInt(), 200);
        bar->setValue(120);
        QCOMPARE(speed->text(QAccessible::Value), QStringLiteral("120"));
    }

    void SpeedBarLooksLikeASmoothProgressBar() {
        SideBySide s;
        auto* reference = new QProgressBar(s.window.get());
        reference->setGeometry(12, 17, 481, 9);
        reference->setTextVisible(false);
        reference->setRange(0, 200);
        QtSpeedBar* bar = OurSpeedBar(s.window.get());
        QVERIFY(s.Show());

        for (const int value : {0, 200, 1, 57, 123, 199, 0}) {
            reference->setValue(value);
            bar->setValue(value);
            QCoreApplication::processEvents();
            const QList<int> columns = DifferingColumns(s.Shot(bar), s.Shot(reference));
            if (value == bar->minimum() || value == bar->maximum()) {
                QVERIFY2(columns.isEmpty(), qPrintable(QString::number(value)));
                continue;
            }
            // A partly filled bar may differ only where the filled part ends: the style
            // rounds that end off, the kept picture of the full bar is cut square.
            const int end = 12 + 1 + value * 479 / 200;
            for (const int column : columns) {
                QVERIFY2(std::abs(12 + column - end) <= 3,
                         qPrintable(QStringLiteral("value %1, column %2").arg(value).arg(column)));
            }
        }
    }

    void SpeedBarClampsAndRepaintsOnlyWhenItsEndMoves() {
        SideBySide s;
        QtSpeedBar* bar = OurSpeedBar(s.window.get());
        QVERIFY(s.Show());
        PaintCounter barPaints(bar);
        PaintCounter windowPaints(s.window.get());

        bar->setValue(350);
        QCOMPARE(bar->value(), 200);
        bar->setValue(-4);
        QCOMPARE(bar->value(), 0);
        QTRY_VERIFY(barPaints.paints > 0);
        QCOMPARE(windowPaints.paints, 0);

        // A range smaller than the bar's width in pixels: every step moves the end.
        barPaints.paints = 0;
        bar->setValue(1);
        QTRY_COMPARE(barPaints.paints, 1);

        // A range far wider than the bar: a step of one moves no pixel and paints nothing.
        bar->setRange(0, 100000);
        bar->setValue(0);
        QCoreApplication::processEvents();
        barPaints.paints = 0;
        bar->setValue(1);
        QCoreApplication::processEvents();
        QCOMPARE(barPaints.paints, 0);
        QCOMPARE(bar->value(), 1);

        // A shrunken range keeps the value inside it.
        bar->setRange(0, 0);
        QCOMPARE(bar->value(), 0);
    }
};

QTEST_MAIN(QtFieldQtTest)
#include "QtFieldQtTest.moc"
