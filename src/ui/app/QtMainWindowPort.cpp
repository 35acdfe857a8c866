#include "QtMainWindowPort.h"

#include "FeatureList.h"
#include "MainWindowControls.h"
#include "MainWindowMenus.h"
#include "PaintBoxType.h"
#include "QtField.h"
#include "QtHint.h"
#include "QtSpeedBar.h"
#include "QtText.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include <utility>

QtMainWindowPort::QtMainWindowPort(QMainWindow& window, MainWindowControls& controls,
                                   MainWindowMenus& menus, const FeatureList& features,
                                   std::function<EvaluationAnswer()> evaluation)
    : window_(window), controls_(controls), menus_(menus), features_(features),
      evaluation_(std::move(evaluation)), designedIntroTooltip_(controls.EditNapoveda->toolTip()) {}

// ---------------------------------------------------------------------------------------------
// Commands

void QtMainWindowPort::ActionPause() {
    menus_.ActionPause->trigger();
}

void QtMainWindowPort::ActionContinue() {
    menus_.ActionContinue->trigger();
}

void QtMainWindowPort::ActionLekce() {
    menus_.ActionLekce->trigger();
}

void QtMainWindowPort::ActionOpenFile() {
    menus_.ActionOpenFile->trigger();
}

void QtMainWindowPort::ActionResetLekci() {
    menus_.ActionResetLekci->trigger();
}

void QtMainWindowPort::ActionClose() {
    menus_.ActionClose->trigger();
}

// ---------------------------------------------------------------------------------------------
// The fields, as the typing model writes them

void QtMainWindowPort::ShowLineErrors(int count, bool emphasized) {
    controls_.EditChybyRadek->setText(QString::number(count));
    if (emphasized) {
        SetFieldColours(controls_.EditChybyRadek, QPalette::Highlight, QPalette::HighlightedText);
    } else {
        SetFieldColours(controls_.EditChybyRadek, QPalette::Button, QPalette::ButtonText);
    }
}

void QtMainWindowPort::ShowLessonErrors(int count) {
    controls_.EditChybyLekce->setText(QString::number(count));
}

void QtMainWindowPort::ShowErrorFrequency(const std::string& text) {
    controls_.EditChybyFreq->setText(QtText::FromCp1250(text));
}

bool QtMainWindowPort::IsSpeedPanelVisible() const {
    // The panel's own flag: the window may not be on the screen yet.
    return !controls_.GroupBoxSpeed->isHidden();
}

void QtMainWindowPort::ShowSpeeds(int minSpeed, int avgSpeed, int maxSpeed, int absSpeed) {
    controls_.EditRychlostMin->setText(QString::number(minSpeed));
    controls_.EditRychlostPrumer->setText(QString::number(avgSpeed));
    controls_.EditRychlostMax->setText(QString::number(maxSpeed));
    controls_.EditRychlostAbsPrumer->setText(QString::number(absSpeed));
}

void QtMainWindowPort::ShowSpeedBar(int position) {
    controls_.ProgressBarRychlostPrumer->setValue(position);
}

void QtMainWindowPort::ClearSpeeds() {
    controls_.EditRychlostMin->clear();
    controls_.EditRychlostPrumer->clear();
    controls_.EditRychlostMax->clear();
    controls_.EditRychlostAbsPrumer->clear();
    controls_.ProgressBarRychlostPrumer->setValue(0);
}

void QtMainWindowPort::ShowElapsed(const std::string& text) {
    controls_.EditDobaPsani->setText(QtText::FromCp1250(text));
}

void QtMainWindowPort::ShowTimeLeft(const std::string& text) {
    controls_.EditDobaDoKonce->setText(QtText::FromCp1250(text));
}

void QtMainWindowPort::ShowLineNumber(int lineNumber) {
    controls_.EditCisloRadku->setText(lineNumber > 0 ? QString::number(lineNumber) : QString());
}

void QtMainWindowPort::ShowLineCount(int lineCount) {
    controls_.EditPocetRadku->setText(lineCount > 0 ? QString::number(lineCount) : QString());
}

void QtMainWindowPort::ShowIntroLine(const std::string& text) {
    introLine_ = text;
    controls_.EditNapoveda->setText(QtText::FromCp1250(text));
    ShowIntroTooltip();
}

void QtMainWindowPort::ShowIntroTooltip() {
    controls_.EditNapoveda->setToolTip(features_.ShowsIntroLine() ? QtText::FromCp1250(introLine_)
                                                                  : designedIntroTooltip_);
}

void QtMainWindowPort::SetCaption(const std::string& caption, const std::string& applicationTitle) {
    // A feature's text (a practice text) names itself in place of the engine's words.
    if (const std::optional<std::string> suffix = features_.CaptionSuffix()) {
        window_.setWindowTitle(QtText::FromCp1250("Klaptos" + *suffix));
        QCoreApplication::setApplicationName(QtText::FromCp1250("KTOS" + *suffix));
        return;
    }
    window_.setWindowTitle(QtText::FromCp1250(caption));
    // The desktop shows the window's title; the application's name carries the short title.
    QCoreApplication::setApplicationName(QtText::FromCp1250(applicationTitle));
}

void QtMainWindowPort::FocusLineNumberField() {
    if (window_.isVisible()) {
        controls_.EditCisloRadku->setFocus(Qt::OtherFocusReason);
    }
}

void QtMainWindowPort::InvalidateView() {
    controls_.paintBoxType->FullRepaint();
}

void QtMainWindowPort::SetStatusText(const std::string& text) {
    statusText_ = text;
    controls_.statusPanels[0]->setText(QtText::FromCp1250(text));
}

std::string QtMainWindowPort::StatusText() const {
    return statusText_;
}

void QtMainWindowPort::ShowPauseAction(bool pauseShown) {
    menus_.ActionPause->setVisible(pauseShown);
    menus_.ActionContinue->setVisible(!pauseShown);
}

void QtMainWindowPort::SetPauseContinueMenu(const std::string& caption, const std::string& hint) {
    menus_.ActionMenuPauseContinue->setText(QtText::FromCp1250(caption));
    SetHint(menus_.ActionMenuPauseContinue, QtText::FromCp1250(hint));
}

void QtMainWindowPort::SetSpeedPanelVisible(bool visible) {
    controls_.GroupBoxSpeed->setVisible(visible);
}

void QtMainWindowPort::SetShowSpeedButtonVisible(bool visible) {
    controls_.ButtonShowSpeed->setVisible(visible);
}

EvaluationAnswer QtMainWindowPort::ShowEvaluation() {
    return evaluation_();
}
