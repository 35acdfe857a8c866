#pragma once
// The report window as the loaders see it: a modal message that returns when the pupil closes it.

#include "Cp1250.h"

#include <string>

class Reporter {
public:
    virtual ~Reporter() = default;
    // Both take the message in code page 1250; "\r\n" starts a new line.
    virtual void ReportError(const std::string& message) = 0;
    virtual void ReportInfo(const std::string& message) = 0;
    // Information in UTF-8, for a message that names characters the code page cannot hold
    // (those of a pupil's own text that were replaced). A report window that can show
    // only code page 1250 shows them as the unmappable character.
    virtual void ReportInfoUtf8(const std::string& message) {
        ReportInfo(Cp1250::FromUtf8(message));
    }
    // An error whose help is a section of its own: the report window's link leads to the help
    // file's `topic` (an anchor such as "HISTORY") and reads `title` (code page 1250), instead
    // of leading to the help on getting the program's files back.
    virtual void ReportErrorWithHelp(const std::string& message, const std::string& topic,
                                     const std::string& title) {
        (void)topic, (void)title;
        ReportError(message);
    }
};
