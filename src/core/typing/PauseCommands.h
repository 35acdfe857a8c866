#pragma once
// STOP mode and typing: pause, continue, start the text again, the one-second clock,
// hiding and showing the speed panel, and stopping when another application takes over.

class Clock;
class Commands;
class LEKCE;
class MainWindowPort;
class SpeedMeter;
class TypingEngine;
struct ProgramOptions;

class PauseCommands {
public:
    PauseCommands(TypingEngine& engine, LEKCE& store, SpeedMeter& meter, ProgramOptions& options,
                  MainWindowPort& window, Commands& commands, const Clock& clock);

    void ActionPause();
    void ActionContinue();
    void ActionMenuPauseContinue();
    void ActionResetLekci();
    void TimerSecTimer();
    void ButtonNoSpeedClick();
    void ButtonShowSpeedClick();
    void ApplicationDeactivated();

private:
    TypingEngine& engine_;
    LEKCE& store_;
    SpeedMeter& meter_;
    ProgramOptions& options_;
    MainWindowPort& window_;
    Commands& commands_;
    const Clock& clock_;
};
