#pragma once
// The printing plugin: the print dialog and the printing of a result sheet on A4.

#include "SheetPrintPlugin.h"

#include <QObject>

class SheetPrinter final : public QObject, public SheetPrintPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.klaptos.SheetPrintPlugin/1")
    Q_INTERFACES(SheetPrintPlugin)

public:
    bool Print(QTextDocument& document, QWidget* parent) override;
};
