#include "PauseCommands.h"

#include "Clock.h"
#include "Commands.h"
#include "Cp1250.h"
#include "Lekce.h"
#include "MainWindowPort.h"
#include "ProgramOptions.h"
#include "SpeedMeter.h"
#include "TypingEngine.h"

#include <cstdint>
#include <string>

namespace {

// Without a keystroke for this long the clock refreshes the speeds itself.
constexpr uint32_t kRefreshAfterMs = 1000;

struct Texts {
    std::string typing = Cp1250::FromUtf8("* PSANÍ");
    std::string stopped = Cp1250::FromUtf8("# STOP - stiskněte F9");
    std::string noText = Cp1250::FromUtf8("# STOP - zvolte lekci!");
    std::string continueCaption = Cp1250::FromUtf8("&Pokračovat v psaní");
    std::string continueHint = Cp1250::FromUtf8("Pokračovat v psaní lekce či souboru");
    std::string pauseCaption = Cp1250::FromUtf8("&Přerušit psaní");
    std::string pauseHint = Cp1250::FromUtf8("Pozastavit dočasně psaní");
};

const Texts& texts() {
    static const Texts instance;
    return instance;
}

} // namespace

PauseCommands::PauseCommands(TypingEngine& engine, LEKCE& store, SpeedMeter& meter,
                             ProgramOptions& options, MainWindowPort& window, Commands& commands,
                             const Clock& clock)
    : engine_(engine), store_(store), meter_(meter), options_(options), window_(window),
      commands_(commands), clock_(clock) {}

void PauseCommands::ActionPause() {
    window_.ShowPauseAction(false);
    window_.FocusLineNumberField();
    window_.SetStatusText(store_.LineCount() > 0 ? texts().stopped : texts().noText);
    window_.SetPauseContinueMenu(texts().continueCaption, texts().continueHint);
    engine_.stopMode = true;
}

void PauseCommands::ActionContinue() {
    if (store_.LineCount() > 0) {
        window_.ShowPauseAction(true);
        window_.SetPauseContinueMenu(texts().pauseCaption, texts().pauseHint);
        window_.FocusLineNumberField();
        window_.SetStatusText(texts().typing);
        engine_.ResumeTyping();
        // The time spent stopped is neither typing time nor an interval.
        meter_.Resume();
        return;
    }
    window_.SetStatusText(texts().noText);
    engine_.stopMode = true;
    window_.SetPauseContinueMenu(texts().continueCaption, texts().continueHint);
    commands_.ActionLekce();
}

void PauseCommands::ActionMenuPauseContinue() {
    if (engine_.stopMode) {
        commands_.ActionContinue();
    } else {
        commands_.ActionPause();
    }
}

void PauseCommands::ActionResetLekci() {
    commands_.ActionPause();
    if (store_.LineCount() > 0) {
        engine_.StartAgain();
    }
}

void PauseCommands::TimerSecTimer() {
    // Unsigned difference, so that the wrap of the tick count after 49 days is harmless.
    const uint32_t sinceKeystrokeMs = clock_.TickCount() - meter_.lastTick;
    if (sinceKeystrokeMs > kRefreshAfterMs) {
        meter_.Measure(false);
        meter_.ShowSpeed(window_, options_, engine_.stopMode,
                         store_.Progress(engine_.Line().typedPos));
    }
    if (engine_.stopMode) {
        std::string status = window_.StatusText();
        if (!status.empty()) {
            status[0] = status[0] == '#' ? ' ' : '#';
            window_.SetStatusText(status);
        }
    }
}

void PauseCommands::ButtonNoSpeedClick() {
    options_.Speed = false;
    window_.SetShowSpeedButtonVisible(true);
    window_.FocusLineNumberField();
    window_.SetSpeedPanelVisible(false);
}

void PauseCommands::ButtonShowSpeedClick() {
    window_.SetSpeedPanelVisible(true);
    window_.SetShowSpeedButtonVisible(false);
    window_.FocusLineNumberField();
    options_.Speed = true;
}

void PauseCommands::ApplicationDeactivated() {
    if (options_.AutoStop) {
        commands_.ActionPause();
    }
}
