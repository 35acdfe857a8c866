#pragma once
// Shows the loaders' reports in the report window, modally over the main window.

#include "Reporter.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class TFormErr;

class QtReporter final : public Reporter {
public:
    // The owner is asked for each report, because the main window is created after the
    // lesson store that reports through this object.
    using OwnerGetter = std::function<QWidget*()>;
    // Takes the place of the modal loop: gets the shown window and returns when it is done.
    using DialogHook = std::function<void(TFormErr&)>;

    explicit QtReporter(OwnerGetter owner = {});

    void SetOwner(QWidget* owner);
    void SetDialogHook(DialogHook hook);
    // The help file a report window's link shows while the project has no web page.
    void SetHelpFile(const QString& helpFile);

    void ReportError(const std::string& message) override;
    void ReportInfo(const std::string& message) override;
    void ReportInfoUtf8(const std::string& message) override;

private:
    void Report(const std::string& utf8, bool isError);

    OwnerGetter owner_;
    DialogHook hook_;
    QString helpFile_;
};
