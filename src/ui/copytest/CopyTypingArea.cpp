#include "CopyTypingArea.h"

#include <QKeyEvent>

CopyTypingArea::CopyTypingArea(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("CopyTypingArea"));
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void CopyTypingArea::keyPressEvent(QKeyEvent* event) {
    // A tab would be a character of its own in the text; the focus must stay here as well.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool CopyTypingArea::canInsertFromMimeData(const QMimeData* source) const {
    (void)source;
    return false;
}

void CopyTypingArea::insertFromMimeData(const QMimeData* source) {
    (void)source; // the copy is typed, not pasted
}
