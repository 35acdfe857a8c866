#pragma once
// Shows the program's name, version, licence and author, with links to the web, mail and help,
// and where the pupil's settings are kept.

#include "ProgramAddresses.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QUrl;

class TFormAbout : public QDialog {
    Q_OBJECT

public:
    // Without a web page the web link leads to the help; without an address the e-mail line
    // is hidden.
    explicit TFormAbout(QWidget* parent = nullptr,
                        ProgramAddresses addresses = ProgramAddresses::OfBuild());

    // Shows the settings file's path as a line of the window.
    void SetSettingsFile(const QString& path);

    // The ways out of the window; replaceable so that nothing real opens in tests.
    std::function<void(const QUrl&)> openUrl; // the desktop's browser or mail program
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
    QLabel* Label10;
    QLabel* Image1;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* LabelTovikHTTPLink;
    QLabel* Label9;
    QLabel* Label8;
    QPushButton* BitBtn1;
    QLabel* LabelSettings;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgramAddresses addresses_;
};
