#pragma once
// The keyboard guide below the typing area: the lesson's whole intro line above a keyboard
// that follows the typing, lighting the next key and flashing a key struck by mistake.
//
// The panel fits the height the window can give it (its maximum height): the keyboard is
// drawn smaller, down to a size that can still be read, and below that the panel shows a note
// in its place. The intro line always takes two lines, so that a longer or a missing intro
// does not change the panel's height.

#include "TypingObserver.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <string>

class KeyboardView;
class QLabel;

class KeyboardPanel final : public QWidget, public TypingObserver {
public:
    // How long a key struck by mistake stays in the error colour.
    static constexpr int kFlashMs = 300;
    // The narrowest keyboard whose caps can still be read.
    static constexpr int kReadableWidth = 320;

    explicit KeyboardPanel(QWidget* parent = nullptr);

    // The layout the text is typed on: the lesson's, or the last chosen for an own text.
    void SetLayout(bool qwertz);
    // The lesson's intro line in code page 1250.
    void SetIntroLine(const std::string& introLine);

    [[nodiscard]] KeyboardView& View() { return *view_; }
    [[nodiscard]] QLabel& IntroLabel() { return *intro_; }
    // What is shown when no readable keyboard fits.
    [[nodiscard]] QLabel& NoteLabel() { return *note_; }

    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

    void NextCharacter(unsigned char expected) override;
    void KeyChecked(unsigned char expected, unsigned char typed, bool right) override;
    void TextBegun() override;
    void TextFinished() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // How the panel fills a width within its maximum height: the keyboard's width, or none.
    struct Fit {
        int viewWidth = 0; // 0: the note instead of the keyboard
        int height = 0;
    };
    [[nodiscard]] Fit FitInto(int width, int maxHeight) const;
    [[nodiscard]] int IntroHeight() const;
    void PlaceChildren();
    void ShowIntro();
    void EndFlash();

    QLabel* intro_;
    KeyboardView* view_;
    QLabel* note_;
    QString introText_;
    QTimer flashTimer_;
    unsigned char next_ = 0;
};
