#pragma once
// Records the partial redraws that the typing engine asks for, in order.

#include "LineDrawer.h"

#include <functional>
#include <ostream>
#include <vector>

class RecordingDrawer final : public LineDrawer {
public:
    enum class Kind { TypedChar, EraseTypedChar, PatternChar, Carriage };
    struct Call {
        Kind kind;
        int i = 0; // the position; 0 for the carriage
        friend bool operator==(const Call&, const Call&) = default;
        friend void PrintTo(const Call& call, std::ostream* os) {
            static constexpr const char* kNames[] = {"Typed", "Erased", "Pattern", "Carriage"};
            *os << kNames[static_cast<int>(call.kind)] << "(" << call.i << ")";
        }
    };

    void DrawTypedChar(int i) override { Record({Kind::TypedChar, i}); }
    void EraseTypedChar(int i) override { Record({Kind::EraseTypedChar, i}); }
    bool DrawPatternChar(int i) override {
        Record({Kind::PatternChar, i});
        return true;
    }
    void DrawCarriage() override { Record({Kind::Carriage, 0}); }

    static Call Typed(int i) { return {Kind::TypedChar, i}; }
    static Call Erased(int i) { return {Kind::EraseTypedChar, i}; }
    static Call Pattern(int i) { return {Kind::PatternChar, i}; }
    static Call Carriage() { return {Kind::Carriage, 0}; }

    std::vector<Call> calls;
    // Runs at every call, after it is recorded: lets a test look at the state while drawing.
    std::function<void(const Call&)> onCall;

private:
    void Record(const Call& call) {
        calls.push_back(call);
        if (onCall) {
            onCall(call);
        }
    }
};
