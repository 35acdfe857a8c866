#pragma once
// The file dialog for the pupil's own texts: a typed name without an extension gets ".txt"
// only when no file of that very name exists, and the completion list closes with the dialog.

#include <QFileDialog>

// No Q_OBJECT of its own: it adds no signals, and it answers to the class name of Qt's dialog.
class TextFileDialog final : public QFileDialog {
public:
    explicit TextFileDialog(QWidget* parent, const QString& caption);

    void accept() override;
    void done(int result) override;

private:
    void CloseCompletionLists();

    QString suffix_; // the extension a name without one may stand for
};
