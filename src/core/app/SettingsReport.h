#pragma once
// Tells the pupil at start that the settings file exists but could not be read, so the
// settings of this run will not be saved over it.

#include <string>

class IniFile;
class Reporter;

class SettingsReport {
public:
    // Reports an error when `ini` could not be read; does nothing otherwise.
    static void ReportIfUnreadable(const IniFile& ini, Reporter& reporter);

    // The report, in code page 1250.
    [[nodiscard]] static std::string UnreadableMessage(const std::string& path);
};
