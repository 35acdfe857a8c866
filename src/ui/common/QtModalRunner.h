#pragma once
// Runs every modal dialog of the main window, so that tests can answer a dialog in place
// of a person instead of waiting in its event loop.

#include <functional>

class QDialog;

// Shows the dialog modally and returns its result (QDialog::Accepted, a button's result).
using QtModalRunner = std::function<int(QDialog&)>;

// The real runner: QDialog::exec().
[[nodiscard]] int QtExecModal(QDialog& dialog);
