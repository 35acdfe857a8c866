#pragma once
// The results waiting for the class database, kept on this computer across runs and kills:
// the seam between the sending rules and the local database.

#include <string>
#include <vector>

struct QueuedResult {
    std::string id;      // the result's UUID
    std::string payload; // the result as the server takes it (JSON)

    friend bool operator==(const QueuedResult&, const QueuedResult&) = default;
};

class ResultQueue {
public:
    virtual ~ResultQueue() = default;
    // Keeps a result until Remove; a result whose id is queued already stays as it is.
    // False when it cannot be kept.
    virtual bool Add(const QueuedResult& result) = 0;
    // Up to `count` results, the first queued first.
    [[nodiscard]] virtual std::vector<QueuedResult> Oldest(int count) = 0;
    // Forgets results the server has; false when they could not be forgotten (they are then
    // sent again, which the server ignores).
    virtual bool Remove(const std::vector<std::string>& ids) = 0;
};
