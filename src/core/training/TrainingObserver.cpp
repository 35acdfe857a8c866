#include "TrainingObserver.h"

#include "KeyTimer.h"

void TrainingObserver::KeyJudged(unsigned char expected, unsigned char typed, bool right) {
    if (timer_ != nullptr) {
        timer_->Judge(expected, typed, right);
    }
}

void TrainingObserver::TextBegun() {
    if (begun_) {
        begun_();
    }
    if (timer_ != nullptr) {
        timer_->Restart();
    }
}

void TrainingObserver::TextFinished() {
    if (timer_ != nullptr && finished_) {
        finished_();
    }
}
