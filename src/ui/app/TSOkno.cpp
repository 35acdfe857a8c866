#include "TSOkno.h"

#include "QtDesignFont.h"
#include "QtField.h"
#include "QtPicture.h"
#include "QtText.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace {

constexpr int kClientWidth = 285;
constexpr int kClientHeight = 232;
const QColor kYellow(255, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kSilver(192, 192, 192);

QLabel* TitleLabel(QWidget* parent, const QColor& colour, int x, int y) {
    auto* label = new QLabel(QStringLiteral("Klaptos 1.0"), parent);
    label->setFont(QtDesignFont(30, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    // A fixed box with the text at its top left, where a label fitted to the text would
    // show it: measuring the text would load the fonts before the window is on the screen.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(x, y, kClientWidth - x, 2 * 30);
    return label;
}

} // namespace

TSOkno::TSOkno(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("SOkno"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the splash must never end the program, even before the main window shows.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kClientWidth, kClientHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kYellow);
    setPalette(palette);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(63, 41, 158, 150);
    Image1->setAlignment(Qt::AlignCenter);

    // The silver title lies 3 px below and right of the blue one: its shadow.
    Label2 = TitleLabel(this, kSilver, 13, 11);
    Label1 = TitleLabel(this, kBlue, 10, 8);

    EditProcessing = new QtField(this);
    EditProcessing->setText(QStringLiteral("Inicializuji program..."));
    EditProcessing->setGeometry(42, 202, 201, 20);
    EditProcessing->setFrame(false);
    EditProcessing->setFocusPolicy(Qt::NoFocus);
    EditProcessing->setFont(QtDesignFont(16, true));
    QPalette editPalette = EditProcessing->palette();
    editPalette.setColor(QPalette::Base, kYellow);
    editPalette.setColor(QPalette::Text, kBlue);
    EditProcessing->setPalette(editPalette);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - kClientWidth) / 2,
             area.y() + (area.height() - kClientHeight) / 2);
    }

    Timer2.setInterval(SplashTimerRule::kFirstIntervalMs);
    connect(&Timer2, &QTimer::timeout, this, &TSOkno::Timer2Timer);
    Timer2.start();
}

void TSOkno::ShowPicture() {
    Image1->setPixmap(QtPicture::Render(QStringLiteral(":/app/splash-typist.svg"), {158, 150}));
}

void TSOkno::SetProcessing(const std::string& text) {
    EditProcessing->setText(QtText::FromCp1250(text));
    EditProcessing->repaint();
}

QString TSOkno::Processing() const {
    return EditProcessing->text();
}

void TSOkno::Timer2Timer() {
    if (rule_.Tick() == SplashTimerRule::Step::Close) {
        Timer2.stop();
        close();
        return;
    }
    Timer2.setInterval(SplashTimerRule::kNextIntervalMs);
}
