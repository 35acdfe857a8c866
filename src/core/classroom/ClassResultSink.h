#pragma once
// Where a finished result goes for the class database: the seam between whoever makes
// results (the history, and the copy test and training) and the queue that sends them.

struct ClassResult;

class ClassResultSink {
public:
    virtual ~ClassResultSink() = default;
    // Whether results are wanted: a pupil's class is joined.
    [[nodiscard]] virtual bool WantsResults() const = 0;
    // Queues the result for sending; never waits for the network.
    virtual void Queue(const ClassResult& result) = 0;
};
