#include "KeyboardPanel.h"

#include "KeyboardView.h"
#include "QtDesignFont.h"
#include "QtText.h"

#include <QEvent>
#include <QLabel>
#include <QStringList>
#include <QTextLayout>

namespace {

constexpr int kSpacing = 2;    // between the intro line and the keyboard
constexpr int kIntroLines = 2; // as many as the lessons' intro lines take at the design width
constexpr int kDesignWidth = 505;

// The words of `text` that fill at most `lines` lines of `width`, one line after another; the
// last line ends in "…" when the words go on.
QString Elided(const QString& text, const QFont& font, int width, int lines) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    QStringList shown;
    int start = 0;
    while (start < text.size() && static_cast<int>(shown.size()) < lines) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        if (static_cast<int>(shown.size()) + 1 == lines) {
            shown << QFontMetrics(font).elidedText(text.mid(start), Qt::ElideRight, width);
            break;
        }
        shown << text.mid(start, line.textLength()).trimmed();
        start += line.textLength();
    }
    layout.endLayout();
    return shown.join(u'\n');
}

} // namespace

KeyboardPanel::KeyboardPanel(QWidget* parent)
    : QWidget(parent), intro_(new QLabel(this)), view_(new KeyboardView(this)),
      note_(new QLabel(this)) {
    intro_->setTextFormat(Qt::PlainText);
    intro_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    intro_->setFont(QtDesignFont(12));
    note_->setObjectName(QStringLiteral("LabelKlavesniceNevejde"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    note_->setFont(QtDesignFont(12));
    note_->setText(QString::fromUtf8("Klávesnice se na obrazovku nevejde. Vejde se po zmenšení "
                                     "písma řádku pro psaní (Ctrl+F)."));
    note_->hide();
    flashTimer_.setSingleShot(true);
    flashTimer_.setInterval(kFlashMs);
    connect(&flashTimer_, &QTimer::timeout, this, &KeyboardPanel::EndFlash);
}

int KeyboardPanel::IntroHeight() const {
    return QFontMetrics(intro_->font()).lineSpacing() * kIntroLines + kSpacing;
}

KeyboardPanel::Fit KeyboardPanel::FitInto(int width, int maxHeight) const {
    const auto heightWith = [&](int viewWidth) {
        return IntroHeight() + view_->heightForWidth(viewWidth);
    };
    if (heightWith(width) <= maxHeight) {
        return {width, heightWith(width)};
    }
    // The widest keyboard that fits: its height grows with its width.
    int fits = std::min(width, kReadableWidth);
    if (heightWith(fits) > maxHeight) {
        const int noteHeight = note_->heightForWidth(width);
        return {0, std::min(noteHeight, maxHeight)};
    }
    int tooWide = width;
    while (tooWide - fits > 1) {
        const int middle = fits + (tooWide - fits) / 2;
        (heightWith(middle) <= maxHeight ? fits : tooWide) = middle;
    }
    return {fits, heightWith(fits)};
}

int KeyboardPanel::heightForWidth(int width) const {
    return FitInto(width, maximumHeight()).height;
}

QSize KeyboardPanel::sizeHint() const {
    return {kDesignWidth, heightForWidth(kDesignWidth)};
}

QSize KeyboardPanel::minimumSizeHint() const {
    return {kReadableWidth, FitInto(kReadableWidth, QWIDGETSIZE_MAX).height};
}

void KeyboardPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceChildren();
}

void KeyboardPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        PlaceChildren();
    }
}

void KeyboardPanel::PlaceChildren() {
    const Fit fit = FitInto(width(), height());
    const bool keyboard = fit.viewWidth > 0;
    intro_->setVisible(keyboard);
    view_->setVisible(keyboard);
    note_->setVisible(!keyboard);
    if (!keyboard) {
        note_->setGeometry(0, 0, width(), height());
        return;
    }
    intro_->setGeometry(0, 0, width(), IntroHeight() - kSpacing);
    ShowIntro();
    // A keyboard narrower than the panel stands in its middle.
    view_->setGeometry((width() - fit.viewWidth) / 2, IntroHeight(), fit.viewWidth,
                       view_->heightForWidth(fit.viewWidth));
}

void KeyboardPanel::ShowIntro() {
    intro_->setText(Elided(introText_, intro_->font(), intro_->width(), kIntroLines));
    intro_->setToolTip(QString(intro_->text()).replace(u'\n', u' ') != introText_ ? introText_
                                                                                  : QString());
}

void KeyboardPanel::SetLayout(bool qwertz) {
    view_->SetLayout(KeyboardLayout::Of(qwertz));
    view_->ShowNext(next_);
}

void KeyboardPanel::SetIntroLine(const std::string& introLine) {
    introText_ = QtText::FromCp1250(introLine);
    ShowIntro();
}

void KeyboardPanel::NextCharacter(unsigned char expected) {
    next_ = expected;
    view_->ShowNext(expected);
}

void KeyboardPanel::KeyChecked(unsigned char /*expected*/, unsigned char typed, bool right) {
    if (right) {
        return;
    }
    const KeySequence& struck = view_->Layout().SequenceFor(typed);
    if (!struck.Writable()) {
        return;
    }
    view_->Flash(struck.strokes.back().key);
    flashTimer_.start();
}

void KeyboardPanel::TextBegun() {
    EndFlash();
}

void KeyboardPanel::TextFinished() {
    EndFlash();
    NextCharacter(0);
}

void KeyboardPanel::EndFlash() {
    flashTimer_.stop();
    view_->Flash(-1);
}
