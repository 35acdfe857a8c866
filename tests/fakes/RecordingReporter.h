#pragma once
// Remembers the reports a loader showed, with their mode, in code page 1250 and in UTF-8.

#include "Cp1250.h"
#include "Reporter.h"

#include <string>
#include <vector>

class RecordingReporter final : public Reporter {
public:
    struct Report {
        bool isError;
        std::string message;        // code page 1250
        std::string utf8 = {};      // as given, when the report came in UTF-8
        std::string helpTopic = {}; // the help section an error's link leads to, if its own
        [[nodiscard]] std::string Utf8() const {
            return utf8.empty() ? Cp1250::ToUtf8(message) : utf8;
        }
    };
    void ReportError(const std::string& message) override { reports.push_back({true, message}); }
    void ReportInfo(const std::string& message) override { reports.push_back({false, message}); }
    void ReportInfoUtf8(const std::string& message) override {
        reports.push_back({false, Cp1250::FromUtf8(message), message});
    }
    void ReportErrorWithHelp(const std::string& message, const std::string& topic,
                             const std::string& title) override {
        (void)title;
        reports.push_back({true, message, {}, topic});
    }
    std::vector<Report> reports;
};
