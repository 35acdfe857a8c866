#pragma once
// The typing model wired together as the main window wires it: the lesson store on a
// temporary lesson directory, the real speed meter on a fake clock, the engine, the pause
// and lesson commands, with the commands seam bound to the real handlers.

#include "FakeClock.h"
#include "FakeCommands.h"
#include "FakeLessonDialogs.h"
#include "FakeWindow.h"
#include "RecordingDrawer.h"
#include "RecordingReporter.h"
#include "RecordingSound.h"
#include "TempLessonDir.h"

#include "Cp1250.h"
#include "Lekce.h"
#include "LessonCommands.h"
#include "PauseCommands.h"
#include "ProgramOptions.h"
#include "SpeedMeter.h"
#include "TypingEngine.h"
#include "TypingLine.h"

#include <cstdint>
#include <string>
#include <string_view>

struct TypingRig {
    TypingRig() {
        // What a first run reads: the key of MoveOnError defaults to off.
        options.MoveOnError = false;
        meter.Clear();
        commands.onPause = [this] { pause.ActionPause(); };
        commands.onContinue = [this] { pause.ActionContinue(); };
        commands.onLekce = [this] { lessons.ActionLekce(); };
        commands.onOpenFile = [this] { lessons.ActionOpenFile(); };
        commands.onResetLekci = [this] { pause.ActionResetLekci(); };
    }

    // Loads lesson n as the lesson dialog would and starts typing it.
    void StartLesson(int n, bool qwertz = true) {
        store.LoadLesson(n, qwertz);
        engine.BeginNewText();
        pause.ActionContinue();
    }

    // Types UTF-8 text character by character; returns how many keys were consumed.
    int Type(std::string_view utf8) {
        int consumed = 0;
        for (char c : Cp1250::FromUtf8(utf8)) {
            consumed += Press(static_cast<unsigned char>(c)) ? 1 : 0;
        }
        return consumed;
    }
    // One character event; true when the engine consumed it.
    bool Press(unsigned char c) {
        engine.FormKeyPress(c);
        return c == 0;
    }
    // One key-down event; true when the engine consumed it.
    bool KeyDown(VirtualKey key) {
        engine.FormKeyDown(key);
        return key == VirtualKey::None;
    }
    bool Enter() { return KeyDown(VirtualKey::Return); }
    bool Backspace() { return Press(TypingEngine::kBackspace); }

    [[nodiscard]] int Pos() const { return line.typedPos; }
    [[nodiscard]] std::string PatternUtf8() const {
        return Cp1250::ToUtf8(
            std::string(line.patternLine.begin(), line.patternLine.begin() + line.patternLen));
    }

    TempLessonDir dir;
    FakeClock clock;
    SpeedMeter meter{clock};
    RecordingReporter reporter;
    LEKCE store{dir.Path(), reporter};
    ProgramOptions options;
    RecordingSound sound;
    RecordingDrawer drawer;
    FakeWindow window;
    FakeCommands commands;
    FakeLessonDialogs dialogs;
    TypingLine line;
    TypingEngine engine{line, store, meter, options, sound, drawer, window, commands};
    PauseCommands pause{engine, store, meter, options, window, commands, clock};
    LessonCommands lessons{engine, store, dialogs, commands, dir.Path()};
};
