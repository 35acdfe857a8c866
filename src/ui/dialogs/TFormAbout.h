#pragma once
// Shows the program's name, version, licence and author, with links to the web, mail and help,
// and where the pupil's settings are kept.

#include "ProgramAddresses.h"

#include "QtWindowSeam.h"

#include <QDialog>

#include <functional>

class QLabel;
class QtLinkLabel;
class QPushButton;
class QUrl;

class TFormAbout : public QDialog {
    Q_OBJECT

public:
    // Without a web page the web link leads to the help; without an address the e-mail line
    // is hidden.
    explicit TFormAbout(QWidget* parent = nullptr, QtWindowSeam seam = {},
                        ProgramAddresses addresses = ProgramAddresses::OfBuild());

    // Shows the settings file's path as a line of the window.
    void SetSettingsFile(const QString& path);

    // The help window, nothing when empty. While the About window is modal it blocks every
    // other window of the program except its own children, so the help must be one of them.
    std::function<void(const QString& topic)> showHelp;

    void LabelTovikHTTPLinkClick();
    void LabelTovikMailLinkClick();
    void Label10Click();

    QLabel* Label2;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QtLinkLabel* Label10;
    QLabel* Image1;
    QLabel* Label3;
    QLabel* Label4;
    QtLinkLabel* LabelTovikHTTPLink;
    QLabel* Label9;
    QtLinkLabel* Label8;
    QPushButton* BitBtn1;
    QLabel* LabelSettings;

private:
    QtWindowSeam seam_;
    ProgramAddresses addresses_;
};
