#pragma once
// The text area of a timed copy: the pupil types into it freely and corrects with Backspace,
// as on paper. Nothing can be pasted or dropped into it, and Tab writes nothing.
//
// A pupil writes one long paragraph, and the text area lays out the whole paragraph it is
// changed in on every keystroke, so a keystroke would cost more with every line typed. Each
// line the wrapping makes is therefore kept as a paragraph of its own: the space at which the
// line wraps becomes a paragraph break that reads as that space. It looks the same, Backspace
// takes it away like the space it is, and a keystroke lays out one line only. The lines are
// painted from kept pictures, with a caret that does not blink; a selection or a composed
// character on its way is painted by the text area itself.

#include "LinePictures.h"

#include <QPlainTextEdit>

class CopyTypingArea final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CopyTypingArea(QWidget* parent);

    // What the pupil typed: a wrapped line's break as the space it stands for, an Enter as
    // "\n".
    [[nodiscard]] QString Typed() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void KeepWrappedLineApart();

    LinePictures pictures_;
};
