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
        std::string message; // code page 1250
        [[nodiscard]] std::string Utf8() const { return Cp1250::ToUtf8(message); }
    };
    void ReportError(const std::string& message) override { reports.push_back({true, message}); }
    void ReportInfo(const std::string& message) override { reports.push_back({false, message}); }
    std::vector<Report> reports;
};
