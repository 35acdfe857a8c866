#pragma once
// Prints a result sheet through the printing plugin klaptos_print.so, loaded when a sheet is
// first printed: beside the program first, then in ../lib/klaptos/ of the program's folder.

#include <QStringList>

class QTextDocument;
class QWidget;
class Reporter;
class SheetPrintPlugin;

class SheetPrintLoader {
public:
    static constexpr const char* kPluginName = "klaptos_print";

    SheetPrintLoader(Reporter& reporter, QStringList searchDirs);

    // The print dialog, then the printing; tells the pupil when the plugin cannot be loaded.
    void Print(QTextDocument& document, QWidget* parent);

private:
    Reporter& reporter_;
    QStringList searchDirs_;
    SheetPrintPlugin* plugin_ = nullptr;
};
