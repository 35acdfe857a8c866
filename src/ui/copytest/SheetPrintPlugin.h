#pragma once
// What the printing plugin offers the result sheet: the print dialog and the printing itself,
// so that the program loads Qt's printing library only when a sheet is printed.

#include <QtPlugin>

class QTextDocument;
class QWidget;

class SheetPrintPlugin {
public:
    virtual ~SheetPrintPlugin() = default;
    // Lets the pupil choose a printer and prints `document` on A4; false when cancelled.
    virtual bool Print(QTextDocument& document, QWidget* parent) = 0;
};

Q_DECLARE_INTERFACE(SheetPrintPlugin, "org.klaptos.SheetPrintPlugin/1")
