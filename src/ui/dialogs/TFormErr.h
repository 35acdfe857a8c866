#pragma once
// The report window: tells the pupil about a problem with a file, as an error (with the
// project's web page, or the help on getting the program's files back) or as information.

#include "ProgramAddresses.h"

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
    using HelpOpener = std::function<void(const QString& topic)>;

    // `isError`: an error report, else an information report; it never changes afterwards.
    // `seam`: what a click on the link does with the web page (the desktop opens it); without
    // a web page in `addresses` the link leads to the help.
    TFormErr(QWidget* owner, bool isError, QtWindowSeam seam = {},
             const ProgramAddresses& addresses = ProgramAddresses::OfBuild());

    // The message in code page 1250; "\r\n" starts a new line, long lines are wrapped.
    void SetMessage(const std::string& message);
    // The same for a message in UTF-8.
    void SetMessageUtf8(const std::string& utf8);

    // What a click on the link does while there is no web page: show the help at a topic.
    void SetHelpOpener(HelpOpener opener);
    // An error with a help section of its own: the link reads `title` and shows the help at
    // `topic`, web page or not.
    void SetHelpTopic(const QString& topic, const QString& title);
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
    QString downloadPage_; // empty: the link leads to the help
    HelpOpener helpOpener_;
    QString helpTopic_ = QString::fromLatin1(ProgramAddresses::kRestoreTopic);
    bool ownTopic_ = false; // the link leads to helpTopic_ even with a web page
    int widening_ = 0;      // pixels the window is wider than designed, so that no label is cut off
};
