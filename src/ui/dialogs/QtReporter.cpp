#include "QtReporter.h"

#include "Cp1250.h"
#include "TFormErr.h"
#include "TFormHelp.h"

#include <utility>

QtReporter::QtReporter(OwnerGetter owner) : owner_(std::move(owner)) {}

void QtReporter::SetOwner(QWidget* owner) {
    // A guarded pointer, so that a report after the main window has gone has no owner
    // instead of a dangling one.
    owner_ = [guarded = QPointer<QWidget>(owner)]() -> QWidget* { return guarded.data(); };
}

void QtReporter::SetSeam(QtWindowSeam seam) {
    seam_ = std::move(seam);
}

void QtReporter::SetHelpFile(const QString& helpFile) {
    helpFile_ = helpFile;
}

void QtReporter::ReportError(const std::string& message) {
    Report(Cp1250::ToUtf8(message), true);
}

void QtReporter::ReportInfo(const std::string& message) {
    Report(Cp1250::ToUtf8(message), false);
}

void QtReporter::ReportInfoUtf8(const std::string& message) {
    Report(message, false);
}

void QtReporter::ReportErrorWithHelp(const std::string& message, const std::string& topic,
                                     const std::string& title) {
    Report(Cp1250::ToUtf8(message), true, QString::fromStdString(topic),
           QString::fromStdString(Cp1250::ToUtf8(title)));
}

void QtReporter::Report(const std::string& utf8, bool isError, const QString& topic,
                        const QString& title) {
    TFormErr window(owner_ ? owner_() : nullptr, isError, seam_);
    window.SetMessageUtf8(utf8);
    if (!topic.isEmpty()) {
        window.SetHelpTopic(topic, title);
    }
    // A help window of the report window itself, which the modal report would block otherwise.
    window.SetHelpOpener([&window, helpFile = helpFile_](const QString& topic) {
        auto* help = new TFormHelp(helpFile, &window);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->ShowTopic(topic);
    });
    seam_.runModal(window);
}
