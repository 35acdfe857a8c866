// The bare Qt window that scripts/measure.sh measures beside Klaptos: a main window with a
// menu bar and a status bar that draws one more character per key, so that what Qt itself
// spends on a keystroke (event delivery, one partial paint, one flush) can be told apart.

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QWidget>

namespace {

class TypedLine final : public QWidget {
public:
    TypedLine() {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFont(QFont(QStringLiteral("Courier New"), 12));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->text().isEmpty()) {
            return;
        }
        if (text_.size() >= kLineLength) {
            text_.clear();
            update();
        }
        text_ += event->text().front();
        // Only the new character's cell, as a typing tutor repaints it.
        const QFontMetrics metrics(font());
        const int cell = metrics.horizontalAdvance(QLatin1Char('M'));
        update(QRect(kMargin + (static_cast<int>(text_.size()) - 1) * cell, kMargin, cell,
                     metrics.height()));
    }

    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().color(QPalette::Base));
        const QFontMetrics metrics(font());
        const int cell = metrics.horizontalAdvance(QLatin1Char('M'));
        for (qsizetype i = 0; i < text_.size(); ++i) {
            painter.drawText(kMargin + static_cast<int>(i) * cell, kMargin + metrics.ascent(),
                             QString(text_[i]));
        }
    }

private:
    static constexpr qsizetype kLineLength = 69;
    static constexpr int kMargin = 10;
    QString text_;
};

} // namespace

int main(int argc, char* argv[]) {
    // The same event loop as Klaptos runs on.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Klaptos (bare Qt)"));
    window.menuBar()->addMenu(QStringLiteral("&Soubor"));
    window.statusBar()->showMessage(QStringLiteral("bare Qt"));
    auto* line = new TypedLine;
    window.setCentralWidget(line);
    // The designed window without the keyboard; KLAPTOS_BARE_SIZE=<width>x<height> gives it
    // another size, for example the program's own with its keyboard, so that what the window's
    // pixels cost can be told from what the program adds.
    QSize size(509, 370);
    const QStringList asked = qEnvironmentVariable("KLAPTOS_BARE_SIZE").split(u'x');
    if (asked.size() == 2 && asked[0].toInt() > 0 && asked[1].toInt() > 0) {
        size = QSize(asked[0].toInt(), asked[1].toInt());
    }
    window.resize(size);
    window.show();
    line->setFocus();
    return QApplication::exec();
}
