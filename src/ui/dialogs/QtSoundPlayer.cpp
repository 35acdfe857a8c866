#include "QtSoundPlayer.h"

#include <QApplication>

#include <canberra.h>
#include <dlfcn.h>

namespace {

// libcanberra and the codec libraries behind it are loaded on a worker thread when a sound may
// soon be wanted, not at start-up and not on the keystroke of the first error.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_open) open = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;

    [[nodiscard]] bool Loaded() const { return play != nullptr; }
};

const Canberra& LoadCanberra() {
    static const Canberra canberra = [] {
        Canberra c;
        void* library = ::dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            return c;
        }
        c.create = reinterpret_cast<decltype(c.create)>(::dlsym(library, "ca_context_create"));
        c.destroy = reinterpret_cast<decltype(c.destroy)>(::dlsym(library, "ca_context_destroy"));
        c.open = reinterpret_cast<decltype(c.open)>(::dlsym(library, "ca_context_open"));
        c.changeProps =
            reinterpret_cast<decltype(c.changeProps)>(::dlsym(library, "ca_context_change_props"));
        c.play = reinterpret_cast<decltype(c.play)>(::dlsym(library, "ca_context_play"));
        if (!c.create || !c.destroy || !c.open || !c.changeProps || !c.play) {
            return Canberra{};
        }
        return c;
    }();
    return canberra;
}

} // namespace

QtSoundPlayer::~QtSoundPlayer() {
    if (opener_.joinable()) {
        opener_.join();
    }
    if (context_ != nullptr) {
        LoadCanberra().destroy(context_);
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

void QtSoundPlayer::WarmUp() {
    State closed = State::Closed;
    if (state_.compare_exchange_strong(closed, State::Opening)) {
        opener_ = std::thread([this] { Open(); });
    }
}

void QtSoundPlayer::Open() {
    const Canberra& canberra = LoadCanberra();
    ca_context* context = nullptr;
    if (!canberra.Loaded() || canberra.create(&context) != CA_SUCCESS) {
        state_.store(State::Unavailable, std::memory_order_release);
        return;
    }
    canberra.changeProps(context, CA_PROP_APPLICATION_NAME, "Klaptos", nullptr);
    // Without a sound server every later sound would try to connect again and fail;
    // find that out once and keep to the plain beep.
    if (canberra.open(context) != CA_SUCCESS) {
        canberra.destroy(context);
        state_.store(State::Unavailable, std::memory_order_release);
        return;
    }
    context_ = context;
    state_.store(State::Open, std::memory_order_release);
}

void QtSoundPlayer::Play(SystemSound sound) {
    // Never waits for the open: a sound before it is done is the plain beep.
    WarmUp();
    if (state_.load(std::memory_order_acquire) == State::Open) {
        const int result =
            LoadCanberra().play(context_, 0, CA_PROP_EVENT_ID, EventId(sound),
                                CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
        if (result == CA_SUCCESS) {
            played_ = true;
            return;
        }
        // A sound system that has never played anything is not there (no device, no theme):
        // stop paying for the attempt on every wrong keystroke.
        if (!played_ && ++failures_ >= kFailuresBeforeGivingUp) {
            LoadCanberra().destroy(context_);
            context_ = nullptr;
            state_.store(State::Unavailable, std::memory_order_release);
        }
    }
    QApplication::beep();
}
