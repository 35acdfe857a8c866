#include "SettingsReport.h"

#include "IniFile.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

// A settings file over the size limit stands for any file that cannot be read: permissions
// do not stop the root user the tests may run as.
TEST(SettingsReport, OnlyAnUnreadableFileIsReportedWithItsPath) {
    std::string pattern = (fs::temp_directory_path() / "klaptos-report-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string path = pattern + "/klaptos.ini";

    RecordingReporter reporter;
    SettingsReport::ReportIfUnreadable(IniFile(path), reporter); // missing: nothing to lose
    std::ofstream(path, std::ios::binary) << "[Window]\r\nLeft=1\r\n";
    SettingsReport::ReportIfUnreadable(IniFile(path), reporter);
    EXPECT_TRUE(reporter.reports.empty());

    std::ofstream(path, std::ios::binary | std::ios::app) << std::string((16u << 20) + 1, 'x');
    SettingsReport::ReportIfUnreadable(IniFile(path), reporter);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_TRUE(reporter.reports[0].isError);
    EXPECT_EQ(reporter.reports[0].Utf8(),
              "Nastavení programu nelze přečíst ze souboru\r\n" + path +
                  "\r\nProgram začíná s výchozím nastavením a při ukončení nic neuloží, aby se "
                  "obsah souboru neztratil.");
    fs::remove_all(pattern);
}
