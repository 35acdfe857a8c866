#include "QtReporter.h"

#include "TFormErr.h"

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

void QtReporter::ReportError(const std::string& message) {
    Report(message, true);
}

void QtReporter::ReportInfo(const std::string& message) {
    Report(message, false);
}

void QtReporter::Report(const std::string& message, bool isError) {
    TFormErr window(owner_ ? owner_() : nullptr, isError, seam_);
    window.SetMessage(message);
    seam_.runModal(window);
}
