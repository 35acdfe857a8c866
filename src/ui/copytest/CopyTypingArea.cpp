#include "CopyTypingArea.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
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
    // A character goes straight into the text: the text area's own handling first tries the
    // key against each of its editing shortcuts, which costs as much as writing it.
    const QString text = event->text();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!text.isEmpty() && text.at(0).isPrint() && !isReadOnly() &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        insertPlainText(text);
        ensureCursorVisible();
        event->accept();
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
    KeepWrappedLineApart();
}

void CopyTypingArea::inputMethodEvent(QInputMethodEvent* event) {
    QPlainTextEdit::inputMethodEvent(event);
    KeepWrappedLineApart();
}

// After a keystroke the paragraph being typed holds at most one wrapped line more.
void CopyTypingArea::KeepWrappedLineApart() {
    const QTextBlock block = textCursor().block();
    QTextLayout* layout = block.layout();
    if (layout == nullptr) {
        return;
    }
    // A layout throws its shaped glyphs away once drawn, and the line being typed is drawn
    // after every keystroke: kept, it is shaped once per keystroke instead of twice.
    layout->setCacheEnabled(true);
    if (layout->lineCount() < 2) {
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

void CopyTypingArea::paintEvent(QPaintEvent* event) {
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection() || !cursor.block().layout()->preeditAreaText().isEmpty()) {
        QPlainTextEdit::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    const QRect exposed = event->rect();
    QPointF offset = contentOffset();
    const qreal pixelRatio = viewport()->devicePixelRatioF();
    const int margin = fontMetrics().height() / 4 + 1;
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF line = blockBoundingRect(block).translated(offset);
        if (line.top() - margin > exposed.bottom()) {
            break;
        }
        if (line.bottom() + margin >= exposed.top() && block.isVisible()) {
            const QRect place = line.toAlignedRect();
            painter.drawImage(place.topLeft() - QPoint(0, margin),
                              pictures_.For(block, place.size(), margin, palette(), pixelRatio));
        }
        offset.ry() += line.height();
    }
    if (hasFocus() && !isReadOnly()) {
        painter.fillRect(cursorRect(), palette().color(QPalette::Text));
    }
}

void CopyTypingArea::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        pictures_.Clear();
    }
    QPlainTextEdit::changeEvent(event);
}

bool CopyTypingArea::canInsertFromMimeData(const QMimeData* source) const {
    (void)source;
    return false;
}

void CopyTypingArea::insertFromMimeData(const QMimeData* source) {
    (void)source; // the copy is typed, not pasted
}
