#pragma once
// The report window: tells the pupil about a problem with a file, as an error (with the
// download page of the complete program) or as information.

#include "QtWindowSeam.h"

#include <QDialog>
#include <QUrl>

#include <functional>
#include <string>

class QLabel;
class QtLinkLabel;
class QPlainTextEdit;
class QPushButton;

class TFormErr : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kDownloadPage = "https://klaptos.example.org/klaptos/index.htm";

    // `isError`: an error report, else an information report; it never changes afterwards.
    // `seam`: what a click on the link does with the download page (the desktop opens it).
    TFormErr(QWidget* owner, bool isError, QtWindowSeam seam = {});

    // The message in code page 1250; "\r\n" starts a new line, long lines are wrapped.
    void SetMessage(const std::string& message);

    const bool IsError;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormShow();
    void LabelTovikHTTPLinkClick();
    // Places the controls anchored to the bottom edge and stretches the text box.
    void ArrangeAnchored();

    QLabel* ImageChyba;
    QtLinkLabel* LabelTovikHTTPLink;
    QLabel* LabelStahnoutVerzi;
    QPlainTextEdit* MemoChyba;
    QPushButton* BitBtnZavritOkno;
    QLabel* ImageReport;

    QtWindowSeam seam_;
    int widening_ = 0; // pixels the window is wider than designed, so that no label is cut off
};
