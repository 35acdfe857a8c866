#pragma once
// The keyboard guide below the typing area: the lesson's whole intro line above a keyboard
// that follows the typing, lighting the next key and flashing a key struck by mistake.

#include "TypingObserver.h"

#include <QTimer>
#include <QWidget>

#include <string>

class KeyboardView;
class QLabel;

class KeyboardPanel final : public QWidget, public TypingObserver {
    Q_OBJECT

public:
    // How long a key struck by mistake stays in the error colour.
    static constexpr int kFlashMs = 300;

    explicit KeyboardPanel(QWidget* parent = nullptr);

    // The layout the text is typed on: the lesson's, or the last chosen for an own text.
    void SetLayout(bool qwertz);
    // The lesson's intro line in code page 1250; an empty line hides the label.
    void SetIntroLine(const std::string& introLine);

    [[nodiscard]] KeyboardView& View() { return *view_; }
    [[nodiscard]] QLabel& IntroLabel() { return *intro_; }

    void NextCharacter(unsigned char expected) override;
    void KeyJudged(unsigned char expected, unsigned char struck, bool right) override;
    void TextBegun() override;
    void TextFinished() override;

private:
    void EndFlash();

    QLabel* intro_;
    KeyboardView* view_;
    QTimer flashTimer_;
    unsigned char next_ = 0;
};
