#include "TypingEngine.h"

#include "Commands.h"
#include "Cp1250.h"
#include "Evaluation.h"
#include "Lekce.h"
#include "LessonCount.h"
#include "LineDrawer.h"
#include "MainWindowPort.h"
#include "ProgramOptions.h"
#include "SoundPlayer.h"
#include "SpeedMeter.h"
#include "TypingObserver.h"

#include <algorithm>

#include <string>

TypingEngine::TypingEngine(TypingLine& line, LEKCE& store, SpeedMeter& meter,
                           const ProgramOptions& options, SoundPlayer& sound, LineDrawer& drawer,
                           MainWindowPort& window, Commands& commands)
    : line_(line), store_(store), meter_(meter), options_(options), sound_(sound), drawer_(drawer),
      window_(window), commands_(commands) {}

void TypingEngine::ResumeTyping() {
    stopMode = false;
    if (options_.ErrorBeep) {
        sound_.WarmUp();
    }
}

void TypingEngine::AddObserver(TypingObserver& observer) {
    observers_.push_back(&observer);
}

void TypingEngine::RemoveObserver(TypingObserver& observer) {
    std::erase(observers_, &observer);
}

template <typename Event> void TypingEngine::Tell(const Event& event) {
    for (TypingObserver* observer : observers_) {
        event(*observer);
    }
}

void TypingEngine::TellNextCharacter() {
    const unsigned char next = line_.patternLine[line_.typedPos];
    Tell([next](TypingObserver& o) { o.NextCharacter(next); });
}

void TypingEngine::FormKeyPress(unsigned char& key) {
    // The line-number field is never a tab stop, so Space and Enter cannot press a button.
    window_.FocusLineNumberField();
    if (key >= 32) {
        const unsigned char c = key;
        key = 0;
        if (!stopMode) {
            TypeCharacter(c);
        }
    } else if (key == kBackspace) {
        key = 0;
        if (!stopMode) {
            Backspace();
        }
    }
}

void TypingEngine::FormKeyDown(VirtualKey& key) {
    window_.FocusLineNumberField();
    std::string text;
    if (key == VirtualKey::Down && store_.NextLine(text)) {
        StartLine();
        ShowLine(&text);
        key = VirtualKey::None;
    }
    if (key == VirtualKey::Up && store_.PreviousLine(text)) {
        StartLine();
        ShowLine(&text);
        key = VirtualKey::None;
    }
    if (key == VirtualKey::Return) {
        key = VirtualKey::None;
        if (!stopMode) {
            Enter();
        }
    }
}

void TypingEngine::ShowLine(const std::string* text) {
    SetPattern(text != nullptr ? std::string_view(*text) : std::string_view());
    ClearTypedLine();
    window_.ShowLineNumber(store_.LineNumber);
    window_.ShowLineCount(store_.LineCount());
    window_.InvalidateView();
    TellNextCharacter();
}

void TypingEngine::BeginNewText() {
    ClearStatistics();
    BeginText();
}

void TypingEngine::ResumeText() {
    if (meter_.lessonKeystrokes == 0) {
        Tell([](TypingObserver& o) { o.StatisticsCleared(); });
    }
    BeginText();
}

void TypingEngine::BeginText() {
    commands_.ActionPause();
    ClearSpeedDisplay(window_);
    UpdateCaption();
    window_.ShowIntroLine(store_.IntroLine);
    Tell([](TypingObserver& o) { o.TextBegun(); });
    std::string text;
    if (store_.NextLine(text)) {
        StartLine();
        ShowLine(&text);
    } else {
        // An emptied store (a failed load) leaves no line of the old text on the screen.
        ShowLine(nullptr);
    }
}

void TypingEngine::StartAgain() {
    ClearStatistics();
    std::string text;
    if (store_.FirstLine(text)) {
        Tell([](TypingObserver& o) { o.TextBegun(); });
        StartLine();
        ShowLine(&text);
        ClearSpeedDisplay(window_);
    }
}

void TypingEngine::ClearStatistics() {
    meter_.Clear();
    Tell([](TypingObserver& o) { o.StatisticsCleared(); });
}

void TypingEngine::UpdateCaption() {
    std::string suffix;
    if (store_.CurrentLesson > 0) {
        suffix = " lekce " + std::to_string(store_.CurrentLesson) +
                 (store_.Qwertz ? " (QWERTZ)" : " (QWERTY)");
    } else if (store_.CurrentLesson < 0) {
        // The path is the file system's own bytes; the caption is code page 1250.
        suffix = " soubor: " + Cp1250::FromUtf8(store_.DisplayFileName);
    }
    const std::string caption = "Klaptos" + suffix;
    const std::string applicationTitle = suffix.empty() ? caption : "KTOS" + suffix;
    window_.SetCaption(caption, applicationTitle);
}

void TypingEngine::StartLine() {
    meter_.StartLine();
    meter_.ShowErrors(window_, options_);
    Tell([](TypingObserver& o) { o.LineBegun(); });
}

void TypingEngine::TypeCharacter(unsigned char c) {
    // The time is taken before any drawing, so that drawing never counts as typing time.
    meter_.Measure(true);
    int& pos = line_.typedPos;
    line_.typedLine[pos] = c;
    drawer_.DrawTypedChar(pos);

    // A character that the code page cannot hold is wrong even where a damaged text file
    // happens to contain the same undefined byte. Past the end-of-line marker the pattern
    // holds 0: what the pupil owed there is Enter.
    const unsigned char due = line_.patternLine[pos];
    const unsigned char expected = due != 0 ? due : TypingLine::kEndOfLine;
    const bool right = c == due && c != Cp1250::kUnmappable;
    if (right) {
        meter_.CountRight();
    } else {
        CountError();
    }
    Tell([=](TypingObserver& o) { o.KeyJudged(expected, c, right); });

    if (right || options_.MoveOnError) {
        if (pos < TypingLine::kLastPos) {
            ++pos;
        }
        drawer_.DrawCarriage();
        drawer_.DrawPatternChar(pos - 1);
        drawer_.DrawPatternChar(pos);
        TellNextCharacter();
    }
    meter_.ShowErrors(window_, options_);
    meter_.ShowSpeed(window_, options_, stopMode, store_.Progress(pos));
}

void TypingEngine::Backspace() {
    // Backspace costs a keystroke but is neither right nor wrong; no error is taken back.
    meter_.Measure(true);
    int& pos = line_.typedPos;
    // A wrong character struck without moving on lies under the position: it goes too, or
    // it would stay beside the carriage as if it had been typed there.
    if (pos > 0) {
        line_.typedLine[pos] = ' ';
        drawer_.EraseTypedChar(pos);
        --pos;
    }
    line_.typedLine[pos] = ' ';
    drawer_.EraseTypedChar(pos);
    drawer_.DrawCarriage();
    drawer_.DrawPatternChar(pos + 1);
    drawer_.DrawPatternChar(pos);
    TellNextCharacter();
    meter_.ShowErrors(window_, options_);
    meter_.ShowSpeed(window_, options_, stopMode, store_.Progress(pos));
}

void TypingEngine::Enter() {
    meter_.Measure(true);
    const unsigned char c = line_.patternLine[line_.typedPos];
    if (c != TypingLine::kEndOfLine && c != 0) {
        // The counter fields catch up with the next keystroke; nothing is redrawn here.
        CountError();
        Tell([c](TypingObserver& o) { o.KeyJudged(c, TypingLine::kEndOfLine, false); });
        return;
    }
    meter_.CountRight();
    Tell([](TypingObserver& o) {
        o.KeyJudged(TypingLine::kEndOfLine, TypingLine::kEndOfLine, true);
    });

    std::string text;
    const bool repeat = options_.ErrIsRep && meter_.lineErrors > options_.ErrRep;
    const bool gotLine = repeat ? store_.CurrentLine(text) : store_.NextLine(text);
    if (gotLine) {
        StartLine();
        ShowLine(&text);
        return;
    }
    EndOfText();
}

void TypingEngine::CountError() {
    meter_.CountError();
    if (options_.ErrorBeep) {
        PlayErrorSound(sound_, options_.Sound);
    }
}

void TypingEngine::EndOfText() {
    commands_.ActionPause();
    Tell([](TypingObserver& o) { o.TextFinished(); });
    switch (window_.ShowEvaluation()) {
    case EvaluationAnswer::Quit:
        commands_.ActionClose();
        break;
    case EvaluationAnswer::Next:
        if (store_.CurrentLesson >= kFirstLesson && store_.CurrentLesson < kLastLesson) {
            // Whatever the load returns: a failed load leaves the old text or an empty store,
            // and BeginText copes with both.
            store_.LoadLesson(store_.CurrentLesson + 1, store_.Qwertz);
            BeginNewText();
        } else {
            commands_.ActionOpenFile();
        }
        break;
    case EvaluationAnswer::Repeat:
        commands_.ActionResetLekci();
        break;
    case EvaluationAnswer::Practice:
        break;
    }
}
