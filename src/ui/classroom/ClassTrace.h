#pragma once
// What the class did, for whole-program runs. When KLAPTOS_CLASS_TRACE names a file, each
// step is appended to it as a line: the sender's "queued ID", "connected", "sending N",
// "inserted N" (in the server's transaction, before its commit), "committed N", "unqueued N",
// then "done N" (results still waiting) or "problem NAME"; the join dialog's "joined PLACE"
// ("secret-store" or "password-file", where the password went); the teacher's window's
// "read N" (results shown). When KLAPTOS_CLASS_HOLD names a step as well, the sender stops for good
// after writing that step's line, so that a test can kill the program at that point of a
// send. Both are read when the object is made; unset, nothing is written and nothing waits.

#include <QString>

class ClassTrace {
public:
    static constexpr const char* kTraceVariable = "KLAPTOS_CLASS_TRACE";
    static constexpr const char* kHoldVariable = "KLAPTOS_CLASS_HOLD";

    ClassTrace();

    // Appends "step argument".
    void Step(const QString& step, const QString& argument = {}) const;
    // The sender's steps: appends the line, then stops the calling thread for good when the
    // step is the one to hold at.
    void SenderStep(const QString& step, const QString& argument = {}) const;

private:
    QString file_;
    QString hold_;
};
