#include "CopyTypingArea.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// Marks a paragraph that began where a line wrapped, not where the pupil pressed Enter.
constexpr int kWrappedLine = QTextFormat::UserProperty + 1;

QTextBlockFormat WrappedLineFormat() {
    QTextBlockFormat format;
    format.setProperty(kWrappedLine, true);
    return format;
}

} // namespace

CopyTypingArea::CopyTypingArea(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("CopyTypingArea"));
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    // Corrections are Backspace's; an undo would also take back the kept line breaks.
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

QString CopyTypingArea::Typed() const {
    QString typed;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) {
            typed += block.blockFormat().boolProperty(kWrappedLine) ? QLatin1Char(' ')
                                                                    : QLatin1Char('\n');
        }
        typed += block.text();
    }
    typed.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return typed;
}

void CopyTypingArea::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // A tab would be a character of its own in the text; the focus must stay here as well.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        event->accept();
        return;
    }
    // Every Enter is the pupil's own paragraph, whatever paragraph it is pressed in.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !isReadOnly()) {
        textCursor().insertBlock(QTextBlockFormat());
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    KeepWrappedLineApart();
}

void CopyTypingArea::inputMethodEvent(QInputMethodEvent* event) {
    QPlainTextEdit::inputMethodEvent(event);
    KeepWrappedLineApart();
}

// After a keystroke the paragraph being typed holds at most one wrapped line more.
void CopyTypingArea::KeepWrappedLineApart() {
    const QTextBlock block = textCursor().block();
    const QTextLayout* layout = block.layout();
    if (layout == nullptr || layout->lineCount() < 2) {
        return;
    }
    const QTextLine first = layout->lineAt(0);
    const int end = first.textStart() + first.textLength();
    // A word longer than the line breaks inside itself: there is no space to stand for.
    if (end <= 0 || block.text().at(end - 1) != QLatin1Char(' ')) {
        return;
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + end - 1);
    cursor.deleteChar();
    cursor.insertBlock(WrappedLineFormat());
}

bool CopyTypingArea::canInsertFromMimeData(const QMimeData* source) const {
    (void)source;
    return false;
}

void CopyTypingArea::insertFromMimeData(const QMimeData* source) {
    (void)source; // the copy is typed, not pasted
}
