#pragma once
// The result of a timed copy: the sheet with the figures, the grade and the marked text, the
// pupil's name (editable, it heads the sheet), "Uložit jako PDF…" and "Tisk…".

#include "CopyScore.h"

#include <QDate>
#include <QDialog>

#include <functional>
#include <optional>

class QLineEdit;
class QTextDocument;
class QTextBrowser;

class CopyResultSheet final : public QDialog {
    Q_OBJECT

public:
    struct Actions {
        // The save dialog: the chosen file's path, if any; `suggested` is the name offered.
        std::function<std::optional<QString>(const QString& suggested)> choosePdfFile;
        // Prints the sheet's document.
        std::function<void(QTextDocument& document, QWidget* parent)> print;
        // Tells the pupil that the PDF could not be written.
        std::function<void(const QString& message)> reportError;
    };

    CopyResultSheet(CopyOutcome outcome, const QString& pupil, const QDate& date, Actions actions,
                    QWidget* parent);

    [[nodiscard]] QString PupilName() const;
    [[nodiscard]] QString Html() const;

    // "Uložit jako PDF…" and "Tisk…", as if clicked.
    void SaveAsPdf();
    void Print();
    // Writes the sheet as a PDF file; false when it cannot be written.
    [[nodiscard]] bool WritePdf(const QString& path) const;

private:
    void ShowSheet();

    CopyOutcome outcome_;
    QDate date_;
    Actions actions_;
    QLineEdit* name_ = nullptr;
    QTextBrowser* sheet_ = nullptr;
};
