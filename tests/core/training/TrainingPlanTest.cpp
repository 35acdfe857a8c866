// Opening keys and choosing the focus: the order of the keys, a key opened exactly when the last
// open key reaches the target, the slowest key (errors counting) chosen, kept for two
// exercises, and a pinned key.

#include "TrainingPlan.h"
#include "Cp1250.h"
#include "KeyStatistics.h"
#include "UnlockOrder.h"

#include <gtest/gtest.h>

namespace {

// `count` occurrences of `key` at `speed` presses a minute, `errors` of them wrong.
void Type(KeyStatistics& statistics, char key, double speed, int count = 10, int errors = 0) {
    for (int i = 0; i < count; ++i) {
        statistics.Add(static_cast<unsigned char>(key),
                       {static_cast<float>(60000.0 / speed),
                        static_cast<unsigned char>(i < errors ? 'x' : 0)});
    }
}

} // namespace

TEST(TrainingPlanTest, OrderStartsAtTheHomeRowAndEndsWithDeadKeys) {
    const std::string order = UnlockOrder::For(true);
    EXPECT_EQ(order.substr(0, UnlockOrder::kStartKeys), Cp1250::FromUtf8("dfjkslaůgh"));
    EXPECT_EQ(order.substr(UnlockOrder::kStartKeys, 4), "ruei");
    const auto at = [&](std::string_view utf8) { return order.find(Cp1250::FromUtf8(utf8)); };
    EXPECT_LT(at("ž"), at("Q"));
    EXPECT_LT(at("Z"), at(","));
    EXPECT_LT(at("%"), at("0"));
    EXPECT_LT(at("9"), at("ď"));
    EXPECT_LT(at("ó"), at("Ř"));
    EXPECT_EQ(UnlockOrder::For(false)[UnlockOrder::For(false).find('x') + 2], 'y');
}

TEST(TrainingPlanTest, OpensAKeyExactlyWhenTheLastKeyReachesTheTarget) {
    TrainingPlan plan(UnlockOrder::For(true));
    plan.SetTarget(100);
    KeyStatistics statistics;
    const std::string start = plan.Unlocked();
    for (size_t i = 0; i + 1 < start.size(); ++i) {
        Type(statistics, start[i], 120);
    }
    Type(statistics, start.back(), 99);
    EXPECT_EQ(plan.NextExercise(statistics).unlocked, 0);
    EXPECT_EQ(plan.Unlocked(), start);

    // 2 % errors still count as reached, 4 % not; the errors leave the window as it moves.
    statistics = {};
    for (const char key : start) {
        Type(statistics, key, 120, 50, key == 'g' ? 1 : 0);
    }
    Type(statistics, 'h', 120, 50, 2);
    EXPECT_EQ(plan.NextExercise(statistics).unlocked, 0);
    Type(statistics, 'h', 120, 2);
    const TrainingPlan::Step step = plan.NextExercise(statistics);
    EXPECT_EQ(step.unlocked, 'r');
    EXPECT_EQ(step.focus, 'r') << "the new key, not yet measured, is the slowest";
    EXPECT_EQ(plan.Unlocked(), start + "r");
}

TEST(TrainingPlanTest, FocusIsTheSlowestKeyKeptForTwoExercises) {
    TrainingPlan plan(UnlockOrder::For(true));
    plan.SetTarget(200);
    KeyStatistics statistics;
    for (const char key : plan.Unlocked()) {
        Type(statistics, key, 180);
    }
    Type(statistics, 'j', 100);
    Type(statistics, 'k', 150, 10, 1); // 150 with 10 % errors weighs as 75
    EXPECT_EQ(plan.NextExercise(statistics).focus, 'k');
    Type(statistics, 'k', 170, 40);
    EXPECT_EQ(plan.NextExercise(statistics).focus, 'k') << "kept a second exercise";
    EXPECT_EQ(plan.NextExercise(statistics).focus, 'j');

    // A focus that reaches the target gives way at once.
    Type(statistics, 'j', 300, 50);
    Type(statistics, 'a', 120, 50);
    EXPECT_EQ(plan.NextExercise(statistics).focus, 'a');

    plan.Pin('s');
    EXPECT_EQ(plan.NextExercise(statistics).focus, 's');
    EXPECT_EQ(plan.NextExercise(statistics).focus, 's');
    EXPECT_EQ(plan.NextExercise(statistics).focus, 's');
    plan.Pin('p'); // not open yet: the plan chooses
    EXPECT_EQ(plan.Pinned(), 'p');
    EXPECT_EQ(plan.NextExercise(statistics).focus, 'a');
    plan.Pin('#');
    EXPECT_EQ(plan.Pinned(), 0);
}

TEST(TrainingPlanTest, TargetOutsideItsRangeIsTheDefault) {
    TrainingPlan plan(UnlockOrder::For(true));
    plan.SetTarget(59);
    EXPECT_EQ(plan.Target(), 150);
    plan.SetTarget(400);
    EXPECT_EQ(plan.Target(), 400);
    plan.SetUnlockedCount(3);
    EXPECT_EQ(plan.UnlockedCount(), UnlockOrder::kStartKeys);
}
