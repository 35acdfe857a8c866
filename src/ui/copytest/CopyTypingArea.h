#pragma once
// The text area of a timed copy: the pupil types into it freely and corrects with Backspace,
// as on paper. Nothing can be pasted or dropped into it, and Tab writes nothing.

#include <QPlainTextEdit>

class CopyTypingArea final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CopyTypingArea(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
