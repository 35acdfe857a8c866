#pragma once
// The report window as the loaders see it: a modal message that returns when the pupil closes it.

#include <string>

class Reporter {
public:
    virtual ~Reporter() = default;
    // Both take the message in code page 1250; "\r\n" starts a new line.
    virtual void ReportError(const std::string& message) = 0;
    virtual void ReportInfo(const std::string& message) = 0;
};
