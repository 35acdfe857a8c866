#pragma once
// Tells the program's trace (ProgramTrace) what the typing made of each key and when a text
// began or ended: the trace's one tie to the typing engine. It hears the engine of `window`
// for its own life, which must end before the window's.

#include "TypingObserver.h"

class ProgramTrace;
class TFormHOknoPM;

class TraceObserver final : private TypingObserver {
public:
    TraceObserver(ProgramTrace& trace, TFormHOknoPM& window);
    ~TraceObserver() override;
    TraceObserver(const TraceObserver&) = delete;
    TraceObserver& operator=(const TraceObserver&) = delete;

private:
    void NextCharacter(unsigned char expected) override;
    void KeyJudged(unsigned char expected, unsigned char struck, bool right) override;
    void TextBegun() override;
    void TextFinished() override;

    ProgramTrace& trace_;
    TFormHOknoPM& window_;
};
