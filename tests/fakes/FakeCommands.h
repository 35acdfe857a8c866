#pragma once
// Counts the commands executed; each may be bound to a real handler by the test.

#include "Commands.h"

#include <functional>
#include <string>
#include <vector>

class FakeCommands final : public Commands {
public:
    void ActionPause() override { Run("Pause", onPause); }
    void ActionContinue() override { Run("Continue", onContinue); }
    void ActionLekce() override { Run("Lekce", onLekce); }
    void ActionOpenFile() override { Run("OpenFile", onOpenFile); }
    void ActionResetLekci() override { Run("ResetLekci", onResetLekci); }
    void ActionClose() override { Run("Close", onClose); }

    std::function<void()> onPause, onContinue, onLekce, onOpenFile, onResetLekci, onClose;
    std::vector<std::string> executed;

private:
    void Run(const char* name, const std::function<void()>& handler) {
        executed.emplace_back(name);
        if (handler) {
            handler();
        }
    }
};
