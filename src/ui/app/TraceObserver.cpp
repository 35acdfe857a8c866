#include "TraceObserver.h"

#include "ProgramTrace.h"
#include "QtText.h"
#include "TFormHOknoPM.h"
#include "TypingEngine.h"
#include "TypingLine.h"

#include <string>

namespace {

// A character of the text as a script reads it: Enter and the space by name.
QString Character(unsigned char c) {
    switch (c) {
    case TypingLine::kEndOfLine:
        return QStringLiteral("Enter");
    case ' ':
        return QStringLiteral("space");
    case 0:
        return QStringLiteral("nothing");
    default:
        return QtText::FromCp1250(std::string(1, static_cast<char>(c)));
    }
}

} // namespace

TraceObserver::TraceObserver(ProgramTrace& trace, TFormHOknoPM& window)
    : trace_(trace), window_(window) {
    window_.Engine().AddObserver(*this);
    trace_.FollowTyping(&window_, [this] { return window_.StopMode(); });
}

TraceObserver::~TraceObserver() {
    trace_.FollowTyping(nullptr, {});
    window_.Engine().RemoveObserver(*this);
}

void TraceObserver::NextCharacter(unsigned char expected) {
    trace_.KeyMoved(QStringLiteral("next ") + Character(expected));
}

void TraceObserver::KeyJudged(unsigned char expected, unsigned char struck, bool right) {
    if (!right) {
        trace_.KeyJudged(QStringLiteral("wrong, %1 expected").arg(Character(expected)));
    } else {
        trace_.KeyJudged(struck == TypingLine::kEndOfLine ? QStringLiteral("line finished")
                                                         : QStringLiteral("right"));
    }
}

void TraceObserver::TextBegun() {
    trace_.Note(QStringLiteral("text begun"));
}

void TraceObserver::TextFinished() {
    trace_.Note(QStringLiteral("text finished"));
}
