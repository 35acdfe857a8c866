#include "SettingsReport.h"

#include "Cp1250.h"
#include "IniFile.h"
#include "Reporter.h"

void SettingsReport::ReportIfUnreadable(const IniFile& ini, Reporter& reporter) {
    if (ini.Unreadable()) {
        reporter.ReportError(UnreadableMessage(ini.Path()));
    }
}

std::string SettingsReport::UnreadableMessage(const std::string& path) {
    // The path is the file system's own bytes (UTF-8); it is converted for display only.
    return Cp1250::FromUtf8("Nastavení programu nelze přečíst ze souboru\r\n") +
           Cp1250::FromUtf8(path) +
           Cp1250::FromUtf8("\r\nProgram začíná s výchozím nastavením a při ukončení nic "
                            "neuloží, aby se obsah souboru neztratil.");
}
