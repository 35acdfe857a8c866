#pragma once
// Shows the loaders' reports in the report window, modally over the main window.

#include "QtWindowSeam.h"
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

    explicit QtReporter(OwnerGetter owner = {});

    void SetOwner(QWidget* owner);
    // How the report window runs and opens its link; tests answer it here.
    void SetSeam(QtWindowSeam seam);
    // The help file a report window's link shows while the project has no web page.
    void SetHelpFile(const QString& helpFile);

    void ReportError(const std::string& message) override;
    void ReportInfo(const std::string& message) override;
    void ReportInfoUtf8(const std::string& message) override;
    void ReportErrorWithHelp(const std::string& message, const std::string& topic,
                             const std::string& title) override;

private:
    // `topic`: the help section the error's link leads to; empty for the program's files.
    void Report(const std::string& utf8, bool isError, const QString& topic = {},
                const QString& title = {});

    OwnerGetter owner_;
    QtWindowSeam seam_;
    QString helpFile_;
};
