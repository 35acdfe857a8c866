#pragma once
// Hears what happens while the pupil types, for the features that follow the typing without
// taking part in it (the on-screen keyboard, errors per key, the progress history). Every
// character is a code page 1250 byte; Enter is TypingLine::kEndOfLine.

class TypingObserver {
public:
    virtual ~TypingObserver() = default;

    // The character to be typed next changed: a new line, a keystroke that moved on, Backspace.
    // `expected` is TypingLine::kEndOfLine at the end of the line, 0 when there is no line.
    virtual void NextCharacter(unsigned char expected) { (void)expected; }
    // One typed character or Enter was checked against the character that was expected.
    virtual void KeyChecked(unsigned char expected, unsigned char typed, bool right) {
        (void)expected, (void)typed, (void)right;
    }
    // A text starts from its first line (a new lesson or file, or the same text again).
    virtual void TextBegun() {}
    // The last line of a text was finished, just before the evaluation is shown.
    virtual void TextFinished() {}

protected:
    TypingObserver() = default;
    TypingObserver(const TypingObserver&) = default;
    TypingObserver& operator=(const TypingObserver&) = default;
};
