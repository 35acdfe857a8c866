#include "ClassSendRound.h"

#include "ClassServer.h"
#include "ResultQueue.h"

#include <string>
#include <utility>
#include <vector>

ClassSendRound::ClassSendRound(ResultQueue& queue, ClassServer& server, StepTrace trace)
    : queue_(queue), server_(server), trace_(std::move(trace)) {}

ClassProblem ClassSendRound::Run() {
    sent_ = 0;
    if (queue_.Oldest(1).empty()) {
        return ClassProblem::None;
    }
    const ClassProblem problem = SendBatches();
    server_.Disconnect();
    return problem;
}

ClassProblem ClassSendRound::SendBatches() {
    if (!server_.Connected()) {
        if (const ClassProblem problem = server_.Connect(); problem != ClassProblem::None) {
            return problem;
        }
        Step("connected", 0);
    }
    for (std::vector<QueuedResult> batch = queue_.Oldest(kBatch); !batch.empty();
         batch = queue_.Oldest(kBatch)) {
        const int count = static_cast<int>(batch.size());
        Step("sending", count);
        if (const ClassProblem problem = server_.Insert(batch); problem != ClassProblem::None) {
            return problem;
        }
        Step("committed", count);
        std::vector<std::string> ids;
        ids.reserve(batch.size());
        for (QueuedResult& result : batch) {
            ids.push_back(std::move(result.id));
        }
        // A queue that cannot forget would send the same batch for ever.
        if (!queue_.Remove(ids)) {
            return ClassProblem::QueueNotKept;
        }
        sent_ += count;
        Step("unqueued", count);
    }
    return ClassProblem::None;
}

void ClassSendRound::Step(std::string_view step, int count) const {
    if (trace_) {
        trace_(step, count);
    }
}
