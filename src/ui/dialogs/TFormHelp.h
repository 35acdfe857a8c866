#pragma once
// The program's own help window: shows the help file beside the program at a chosen topic.

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class TFormHelp : public QWidget {
    Q_OBJECT

public:
    // `helpFile` is read on the first ShowTopic, so a window made at start-up costs nothing.
    explicit TFormHelp(QString helpFile, QWidget* parent = nullptr);

    // Shows the window at the anchor `topic` ("CONTENTS", "FORMAT", "IDH_LICENCE", ...) and
    // brings it to the front.
    void ShowTopic(const QString& topic);

    QTextBrowser* TextBrowser;
    QPushButton* ButtonZavrit;

private:
    void LoadHelpFile();

    QString helpFile_;
    bool loaded_ = false;
};
