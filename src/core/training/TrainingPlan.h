#pragma once
// Which keys the pupil trains and which one an exercise is written around. Keys open one at a
// time in UnlockOrder's order, when every open key has reached the target speed with few
// errors; the focus is the open key furthest below the target, errors counting against it, and
// it stays for at least two exercises unless it reaches the target first. A key the pupil pins
// is the focus while it is open.

#include <cstddef>
#include <string>
#include <vector>

class KeyStatistics;
struct KeyMeasure;

class TrainingPlan {
public:
    static constexpr int kDefaultTarget = 150; // key presses per minute
    static constexpr int kLowestTarget = 60;
    static constexpr int kHighestTarget = 400;
    static constexpr double kMaxErrorRate = 0.03;
    static constexpr int kKeptExercises = 2;
    // A key with fewer timed occurrences than this has not shown its speed yet.
    static constexpr int kMinimumTimed = 3;
    // How much errors slow a key down in the focus choice: 5 % errors count as a third slower.
    static constexpr double kErrorWeight = 10;

    explicit TrainingPlan(std::string order);

    void SetTarget(int target);
    [[nodiscard]] int Target() const { return target_; }
    // 0 unpins; a key outside the order is ignored.
    void Pin(unsigned char key);
    [[nodiscard]] unsigned char Pinned() const { return pinned_; }
    void SetUnlockedCount(size_t count);
    [[nodiscard]] size_t UnlockedCount() const { return unlocked_; }
    [[nodiscard]] std::string Unlocked() const { return order_.substr(0, unlocked_); }
    [[nodiscard]] const std::string& Order() const { return order_; }
    [[nodiscard]] bool IsUnlocked(unsigned char key) const;

    [[nodiscard]] bool Reached(const KeyMeasure& measure) const;
    // The speed the focus choice sees: the measured speed, lowered by the errors; 0 for a key
    // that has not shown its speed.
    [[nodiscard]] double WeighedSpeed(const KeyMeasure& measure) const;

    struct Step {
        unsigned char focus = 0;
        unsigned char unlocked = 0; // the key this step opened; 0 for none
    };
    // Decides the next exercise: opens a key when every open key has reached the target, then
    // chooses the focus.
    Step NextExercise(const KeyStatistics& statistics);

    [[nodiscard]] unsigned char Focus() const { return focus_; }
    [[nodiscard]] int FocusExercises() const { return focusExercises_; }
    // The focus and how many exercises it has led, as they were saved.
    void RestoreFocus(unsigned char focus, int exercises);

private:
    [[nodiscard]] bool AllReached(const KeyStatistics& statistics) const;
    [[nodiscard]] unsigned char ChooseFocus(const KeyStatistics& statistics) const;

    std::string order_;
    size_t unlocked_;
    int target_ = kDefaultTarget;
    unsigned char pinned_ = 0;
    unsigned char focus_ = 0;
    int focusExercises_ = 0;
};
