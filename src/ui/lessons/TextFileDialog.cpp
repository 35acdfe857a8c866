#include "TextFileDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileInfo>

#include <algorithm>

TextFileDialog::TextFileDialog(QWidget* parent, const QString& caption)
    : QFileDialog(parent, caption), suffix_(QStringLiteral("txt")) {
    setDefaultSuffix(suffix_);
}

void TextFileDialog::accept() {
    // Qt adds the default suffix to every name without a dot, so "cviceni" would be looked up
    // as "cviceni.txt" even where "cviceni" itself exists, whatever the filter. The choice
    // stands until the next accept: the chosen files are read after the dialog has closed.
    setDefaultSuffix(QString());
    const QStringList typed = selectedFiles();
    const bool allExist =
        !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](const QString& file) {
            const QFileInfo info(file);
            return info.exists() && !info.isDir();
        });
    if (!allExist) {
        setDefaultSuffix(suffix_);
    }
    QFileDialog::accept();
}

void TextFileDialog::done(int result) {
    CloseCompletionLists();
    QFileDialog::done(result);
}

// A completion list is a window of its own; without a window manager it would stay on the
// screen after the dialog and take every key until Escape.
void TextFileDialog::CloseCompletionLists() {
    for (const QCompleter* completer : findChildren<QCompleter*>()) {
        if (QAbstractItemView* popup = completer->popup(); popup != nullptr && popup->isVisible()) {
            popup->hide();
        }
    }
}
