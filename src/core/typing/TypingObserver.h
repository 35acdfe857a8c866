#pragma once
// What happens while the pupil types, told to the features that follow the typing without
// taking part in it (the on-screen keyboard, the errors per key, the progress history, and
// any feature that joins the main window later). Every character is a code page 1250 byte;
// Enter is TypingLine::kEndOfLine.
//
// The events of a text come in this order:
//
//   StatisticsCleared   the text's counts start from nothing (a new text, the next lesson, the
//                       same text again from its start, a last session whose place was lost)
//   TextBegun           a text starts from its first line, or a last session's text resumes
//   LineBegun           a line is put up to be typed: the first, the next, the same again after
//                       too many errors, or one chosen with Up or Down
//   NextCharacter       the character to type next: after LineBegun, after every keystroke that
//                       moved on, after Backspace
//   KeyJudged           a typed character or Enter judged against the character expected
//   ... LineBegun, NextCharacter and KeyJudged again, line by line ...
//   TextFinished        the last line was typed, just before the evaluation opens
//
// When an event is told, the typing model (the speed meter, the text and its position, the
// line) already stands as the event leaves it, and every observer has heard every earlier
// event. The observers hear one event in the order in which they were joined, and nothing may
// depend on that order: in an event an observer changes only what it owns, and it reads what
// another observer owns only as the earlier events left it. (The keyboard's heat map reads the
// errors per key at TextBegun and when the next line's first character is told; the counter
// changed them at StatisticsCleared and at KeyJudged.)
class TypingObserver {
public:
    virtual ~TypingObserver() = default;

    // The text's statistics were cleared; those of the last session count as cleared when
    // they hold no keystroke.
    virtual void StatisticsCleared() {}
    virtual void TextBegun() {}
    virtual void LineBegun() {}
    // `expected` is TypingLine::kEndOfLine at the end of the line, 0 when there is no line.
    virtual void NextCharacter(unsigned char expected) { (void)expected; }
    // `struck` was typed where `expected` was due: a character, or Enter (TypingLine::
    // kEndOfLine); past the end-of-line marker, where the position moves on after errors,
    // Enter is the character expected. Backspace is never judged.
    virtual void KeyJudged(unsigned char expected, unsigned char struck, bool right) {
        (void)expected, (void)struck, (void)right;
    }
    virtual void TextFinished() {}

protected:
    TypingObserver() = default;
    TypingObserver(const TypingObserver&) = default;
    TypingObserver& operator=(const TypingObserver&) = default;
};
