#pragma once
// Follows the typing for the training: while an exercise is typed, every judged keystroke goes
// to the key timer; the end of the text is told to the feature. Nothing else of the typing
// concerns the training, so a lesson costs a keystroke one pointer test here.

#include "TypingObserver.h"

#include <functional>
#include <utility>

class KeyTimer;

class TrainingObserver final : public TypingObserver {
public:
    // nullptr stops the timing (any text but an exercise).
    void Follow(KeyTimer* timer) { timer_ = timer; }
    // `begun` hears every text begun, `finished` the end of an exercise.
    void OnBegun(std::function<void()> begun) { begun_ = std::move(begun); }
    void OnFinished(std::function<void()> finished) { finished_ = std::move(finished); }

    void KeyJudged(unsigned char expected, unsigned char typed, bool right) override;
    void TextBegun() override;
    void TextFinished() override;

private:
    KeyTimer* timer_ = nullptr;
    std::function<void()> begun_;
    std::function<void()> finished_;
};
