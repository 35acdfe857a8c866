#pragma once
// The main window's commands, executed as if the pupil had chosen them from the menu,
// so that each command's changes of state happen in one place.

class Commands {
public:
    virtual ~Commands() = default;
    virtual void ActionPause() = 0;
    virtual void ActionContinue() = 0;
    virtual void ActionLekce() = 0;
    virtual void ActionOpenFile() = 0;
    virtual void ActionResetLekci() = 0;
    virtual void ActionClose() = 0;
};
