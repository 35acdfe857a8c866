// The queue's rules: oldest first, in batches, forgotten only after the server committed them,
// kept whole when the server cannot take them, and never stored twice on the server, even
// when the program dies between the server's commit and the local removal.

#include "ClassSendRound.h"
#include "ClassServer.h"
#include "ProblemNotice.h"
#include "ResultQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

class ListQueue final : public ResultQueue {
public:
    bool Add(const QueuedResult& result) override {
        if (std::none_of(items.begin(), items.end(),
                         [&](const QueuedResult& item) { return item.id == result.id; })) {
            items.push_back(result);
        }
        return true;
    }
    std::vector<QueuedResult> Oldest(int count) override {
        const auto end = items.begin() + std::min<std::ptrdiff_t>(count, std::ssize(items));
        return {items.begin(), end};
    }
    bool Remove(const std::vector<std::string>& ids) override {
        if (failRemovals > 0) {
            --failRemovals;
            return false;
        }
        std::erase_if(items, [&](const QueuedResult& item) {
            return std::find(ids.begin(), ids.end(), item.id) != ids.end();
        });
        return true;
    }
    std::deque<QueuedResult> items;
    int failRemovals = 0;
};

// A server that keeps what it commits by id, as the class database's primary key does.
class FakeServer final : public ClassServer {
public:
    [[nodiscard]] bool Connected() const override { return connected; }
    ClassProblem Connect() override {
        ++connects;
        connected = connectProblem == ClassProblem::None;
        return connectProblem;
    }
    ClassProblem Insert(const std::vector<QueuedResult>& batch) override {
        batches.push_back(static_cast<int>(batch.size()));
        if (auto found = insertProblems.find(static_cast<int>(batches.size()));
            found != insertProblems.end()) {
            return found->second;
        }
        for (const QueuedResult& result : batch) {
            ++received[result.id];
        }
        return ClassProblem::None;
    }
    void Disconnect() override { connected = false; }

    bool connected = false;
    int connects = 0;
    ClassProblem connectProblem = ClassProblem::None;
    std::map<int, ClassProblem> insertProblems; // by the number of the Insert call, from 1
    std::vector<int> batches;
    std::map<std::string, int> received; // the server's rows: a result sent again is skipped
    [[nodiscard]] int Stored() const { return static_cast<int>(received.size()); }
};

void Fill(ListQueue& queue, int count) {
    for (int i = 0; i < count; ++i) {
        queue.Add({"r" + std::to_string(i), "{}"});
    }
}

TEST(ClassSendRound, AnEmptyQueueSendsNothingAndConnectsToNobody) {
    ListQueue queue;
    FakeServer server;
    ClassSendRound round(queue, server);
    EXPECT_EQ(round.Run(), ClassProblem::None);
    EXPECT_EQ(server.connects, 0);
    EXPECT_EQ(round.Sent(), 0);
}

TEST(ClassSendRound, SendsTheOldestFirstInBatchesForgetsThemAndHangsUp) {
    ListQueue queue;
    Fill(queue, 120);
    FakeServer server;
    std::vector<std::string> steps;
    ClassSendRound round(queue, server, [&](std::string_view step, int count) {
        steps.push_back(std::string(step) + ' ' + std::to_string(count));
    });

    EXPECT_EQ(round.Run(), ClassProblem::None);

    EXPECT_EQ(server.batches, (std::vector<int>{50, 50, 20}));
    EXPECT_EQ(server.Stored(), 120);
    EXPECT_TRUE(queue.items.empty());
    EXPECT_EQ(round.Sent(), 120);
    EXPECT_FALSE(server.connected);
    EXPECT_EQ(steps,
              (std::vector<std::string>{"connected 0", "sending 50", "committed 50", "unqueued 50",
                                        "sending 50", "committed 50", "unqueued 50", "sending 20",
                                        "committed 20", "unqueued 20"}));
}

TEST(ClassSendRound, ABatchTheServerCannotTakeStaysQueuedWithEverythingAfterIt) {
    ListQueue queue;
    Fill(queue, 120);
    FakeServer server;
    server.insertProblems[2] = ClassProblem::ServerFull;
    ClassSendRound round(queue, server);

    EXPECT_EQ(round.Run(), ClassProblem::ServerFull);
    EXPECT_EQ(server.Stored(), 50);
    ASSERT_EQ(queue.items.size(), std::size_t{70});
    EXPECT_EQ(queue.items.front().id, "r50");
    EXPECT_FALSE(server.connected);

    server.insertProblems.clear();
    EXPECT_EQ(round.Run(), ClassProblem::None);
    EXPECT_EQ(server.Stored(), 120);
    EXPECT_TRUE(queue.items.empty());
}

TEST(ClassSendRound, AServerThatTurnsTheLoginAwayLeavesTheQueueAsItWas) {
    ListQueue queue;
    Fill(queue, 3);
    FakeServer server;
    server.connectProblem = ClassProblem::WrongPassword;
    ClassSendRound round(queue, server);

    EXPECT_EQ(round.Run(), ClassProblem::WrongPassword);
    EXPECT_TRUE(server.batches.empty());
    EXPECT_EQ(queue.items.size(), std::size_t{3});
}

// The program killed after the server's commit and before the local removal: the next run
// sends the same results again, and the server keeps each once.
TEST(ClassSendRound, ResultsSentAgainAfterTheServerCommittedAreStoredOnce) {
    ListQueue queue;
    Fill(queue, 3);
    FakeServer server;
    queue.failRemovals = 1;
    ClassSendRound round(queue, server);

    EXPECT_EQ(round.Run(), ClassProblem::QueueNotKept);
    EXPECT_EQ(queue.items.size(), std::size_t{3});
    queue.Add({"r3", "{}"});
    queue.Add({"r0", "{}"}); // queued twice: kept once

    EXPECT_EQ(round.Run(), ClassProblem::None);
    EXPECT_TRUE(queue.items.empty());
    EXPECT_EQ(server.Stored(), 4);
    EXPECT_EQ(server.received["r0"], 2); // arrived twice, stored once
    EXPECT_EQ(server.batches, (std::vector<int>{3, 4}));
}

TEST(ProblemNotice, AProblemIsToldOnceAcrossRetriesAndAgainOnlyAfterItWentAway) {
    ProblemNotice notice;
    EXPECT_EQ(notice.Take(), std::nullopt);

    notice.Observe(ClassProblem::Unreachable);
    EXPECT_EQ(notice.Take(), ClassProblem::Unreachable);
    notice.Observe(ClassProblem::Unreachable); // the retries a few minutes later
    notice.Observe(ClassProblem::Unreachable);
    EXPECT_EQ(notice.Take(), std::nullopt);
    EXPECT_EQ(notice.Current(), ClassProblem::Unreachable);

    notice.Observe(ClassProblem::ServerFull); // a different one is news
    EXPECT_EQ(notice.Take(), ClassProblem::ServerFull);

    notice.Observe(ClassProblem::None); // a send went through
    EXPECT_EQ(notice.Take(), std::nullopt);
    notice.Observe(ClassProblem::ServerFull);
    EXPECT_EQ(notice.Take(), ClassProblem::ServerFull);
}

TEST(ClassProblems, TheServersErrorCodesNameTheProblem) {
    const std::vector<std::pair<const char*, ClassProblem>> cases{
        {"28P01", ClassProblem::WrongPassword},    {"28000", ClassProblem::NotAdmitted},
        {"3D000", ClassProblem::NoDatabase},       {"42P01", ClassProblem::NotClassDatabase},
        {"3F000", ClassProblem::NotClassDatabase}, {"42501", ClassProblem::Refused},
        {"53100", ClassProblem::ServerFull},       {"08006", ClassProblem::Unreachable},
        {"57P01", ClassProblem::Unreachable},      {"53300", ClassProblem::Unreachable},
        {"", ClassProblem::Unreachable},           {"23505", ClassProblem::Other},
    };
    for (const auto& [state, problem] : cases) {
        EXPECT_EQ(ClassProblems::OfSqlState(state), problem) << state;
    }
    EXPECT_EQ(ClassProblems::WaitingNotice(ClassProblem::None), "");
    EXPECT_NE(ClassProblems::WaitingNotice(ClassProblem::Unreachable).find("není dostupný"),
              std::string::npos);
}

} // namespace
