#include "QtSoundPlayer.h"

#include <QApplication>

#include <canberra.h>

QtSoundPlayer::~QtSoundPlayer() {
    if (context_ != nullptr) {
        ca_context_destroy(context_);
    }
}

const char* QtSoundPlayer::EventId(SystemSound sound) {
    switch (sound) {
    case SystemSound::SimpleBeep:
        return "bell";
    case SystemSound::Asterisk:
        return "dialog-information";
    case SystemSound::Exclamation:
        return "dialog-warning";
    case SystemSound::CriticalStop:
        return "dialog-error";
    case SystemSound::Question:
        // The freedesktop theme has no "dialog-question".
        return "window-question";
    case SystemSound::Default:
        return "message";
    }
    return "bell";
}

bool QtSoundPlayer::EnsureContext() {
    if (context_ != nullptr) {
        return true;
    }
    if (unavailable_) {
        return false;
    }
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) {
        unavailable_ = true;
        return false;
    }
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Klaptos", nullptr);
    // Without a sound server every later sound would try to connect again and fail;
    // find that out once and keep to the plain beep.
    if (ca_context_open(context) != CA_SUCCESS) {
        ca_context_destroy(context);
        unavailable_ = true;
        return false;
    }
    context_ = context;
    return true;
}

void QtSoundPlayer::Play(SystemSound sound) {
    if (EnsureContext()) {
        const int result = ca_context_play(context_, 0, CA_PROP_EVENT_ID, EventId(sound),
                                           CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        if (result == CA_SUCCESS) {
            played_ = true;
            return;
        }
        // A sound system that has never played anything is not there (no device, no theme):
        // stop paying for the attempt on every wrong keystroke.
        if (!played_ && ++failures_ >= kFailuresBeforeGivingUp) {
            ca_context_destroy(context_);
            context_ = nullptr;
            unavailable_ = true;
        }
    }
    QApplication::beep();
}
