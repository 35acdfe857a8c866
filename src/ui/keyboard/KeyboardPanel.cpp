#include "KeyboardPanel.h"

#include "KeyboardView.h"
#include "QtDesignFont.h"
#include "QtText.h"

#include <QLabel>
#include <QVBoxLayout>

KeyboardPanel::KeyboardPanel(QWidget* parent)
    : QWidget(parent), intro_(new QLabel(this)), view_(new KeyboardView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    intro_->setWordWrap(true);
    intro_->setTextFormat(Qt::PlainText);
    intro_->setFont(QtDesignFont(12));
    intro_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    intro_->hide();
    layout->addWidget(intro_);
    layout->addWidget(view_);
    flashTimer_.setSingleShot(true);
    flashTimer_.setInterval(kFlashMs);
    connect(&flashTimer_, &QTimer::timeout, this, &KeyboardPanel::EndFlash);
}

void KeyboardPanel::SetLayout(bool qwertz) {
    view_->SetLayout(KeyboardLayout::Of(qwertz));
    view_->ShowNext(next_);
}

void KeyboardPanel::SetIntroLine(const std::string& introLine) {
    intro_->setText(QtText::FromCp1250(introLine));
    intro_->setVisible(!introLine.empty());
}

void KeyboardPanel::NextCharacter(unsigned char expected) {
    next_ = expected;
    view_->ShowNext(expected);
}

void KeyboardPanel::KeyJudged(unsigned char /*expected*/, unsigned char struck, bool right) {
    if (right) {
        return;
    }
    const KeySequence& keys = view_->Layout().SequenceFor(struck);
    if (!keys.Writable()) {
        return;
    }
    view_->Flash(keys.strokes.back().key);
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
