#include "SheetPrintLoader.h"

#include "PluginFile.h"
#include "QtText.h"
#include "Reporter.h"
#include "SheetPrintPlugin.h"

#include <utility>

SheetPrintLoader::SheetPrintLoader(Reporter& reporter, QStringList searchDirs)
    : reporter_(reporter), searchDirs_(std::move(searchDirs)) {}

void SheetPrintLoader::Print(QTextDocument& document, QWidget* parent) {
    if (plugin_ == nullptr) {
        QString problems;
        plugin_ =
            qobject_cast<SheetPrintPlugin*>(PluginFile::Load(kPluginName, searchDirs_, problems));
        if (plugin_ == nullptr) {
            reporter_.ReportError(QtText::ToCp1250(
                QString::fromUtf8("Výsledek nelze vytisknout, protože chybí knihovna %1.so nebo "
                                  "ji nelze načíst. Uložte jej jako PDF a vytiskněte odtud.")
                    .arg(QString::fromLatin1(kPluginName)) +
                problems));
            return;
        }
    }
    plugin_->Print(document, parent);
}
