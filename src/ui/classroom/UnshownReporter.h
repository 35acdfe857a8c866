#pragma once
// A reporter for the class queue's own connection to the history: the history's words about a
// file it cannot open are the history's to tell, once; the class learns only that its queue
// is not kept.

#include "Reporter.h"

class UnshownReporter final : public Reporter {
public:
    void ReportError(const std::string& message) override { (void)message; }
    void ReportInfo(const std::string& message) override { (void)message; }
};
