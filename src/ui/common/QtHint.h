#pragma once
// The hints of a control or an action, written "short | long": the short part as its tooltip,
// the long part for the status bar (a hint without "|" serves as both).

class QAction;
class QString;
class QWidget;

void SetHint(QWidget* widget, const QString& hint);
void SetHint(QAction* action, const QString& hint);
