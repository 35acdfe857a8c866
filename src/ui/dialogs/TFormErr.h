#pragma once
// The report window: tells the pupil about a problem with a file, as an error (with the
// download page of the complete program) or as information.

#include <QDialog>
#include <QUrl>

#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFormErr : public QDialog {
    Q_OBJECT

public:
    using UrlOpener = std::function<void(const QUrl&)>;

    static constexpr const char* kDownloadPage = "https://klaptos.example.org/klaptos/index.htm";

    // `isError`: an error report, else an information report; it never changes afterwards.
    TFormErr(QWidget* owner, bool isError);

    // The message in code page 1250; "\r\n" starts a new line, long lines are wrapped.
    void SetMessage(const std::string& message);
    // The same for a message in UTF-8.
    void SetMessageUtf8(const std::string& utf8);

    // What a click on the link does with the download page; by default the desktop opens it.
    void SetUrlOpener(UrlOpener opener);

    const bool IsError;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void LabelTovikHTTPLinkClick();
    // Places the controls anchored to the bottom edge and stretches the text box.
    void ArrangeAnchored();

    QLabel* ImageChyba;
    QLabel* LabelTovikHTTPLink;
    QLabel* LabelStahnoutVerzi;
    QPlainTextEdit* MemoChyba;
    QPushButton* BitBtnZavritOkno;
    QLabel* ImageReport;

    UrlOpener urlOpener_;
    int widening_ = 0; // pixels the window is wider than designed, so that no label is cut off
};
