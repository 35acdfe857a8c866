#pragma once
// One attempt to empty the queue into the class database: the oldest results first, in
// batches, each forgotten on this computer only after the server has committed it. A result
// sent twice (a kill between the server's commit and the local removal) is ignored by the
// server, so nothing is lost and nothing is stored twice.

#include "ClassProblem.h"

#include <functional>
#include <string_view>

class ClassServer;
class ResultQueue;

class ClassSendRound {
public:
    static constexpr int kBatch = 50;

    // The steps of a send as they happen, for the program's trace: "connected", "sending N",
    // "committed N", "unqueued N".
    using StepTrace = std::function<void(std::string_view step, int count)>;

    ClassSendRound(ResultQueue& queue, ClassServer& server, StepTrace trace = {});

    // Sends until the queue is empty or a problem stops it; None when everything went. The
    // connection is closed again at the end, so that a class of pupils holds no connections
    // between sends.
    ClassProblem Run();
    // The results sent by the last Run.
    [[nodiscard]] int Sent() const { return sent_; }

private:
    ClassProblem SendBatches();
    void Step(std::string_view step, int count) const;

    ResultQueue& queue_;
    ClassServer& server_;
    StepTrace trace_;
    int sent_ = 0;
};
