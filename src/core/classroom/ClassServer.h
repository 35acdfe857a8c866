#pragma once
// The class database as the sending rules see it: a connection that takes a batch of results
// in one transaction.

#include "ClassProblem.h"
#include "ResultQueue.h"

#include <vector>

class ClassServer {
public:
    virtual ~ClassServer() = default;
    [[nodiscard]] virtual bool Connected() const = 0;
    virtual ClassProblem Connect() = 0;
    // Stores every result of `batch` that the server does not have yet, all or none; a result
    // the server has already is no error.
    virtual ClassProblem Insert(const std::vector<QueuedResult>& batch) = 0;
    virtual void Disconnect() = 0;
};
