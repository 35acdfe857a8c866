#include "QtDesktopLayout.h"

#include "XkbLayoutNames.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <string_view>
#include <xcb/xcb.h>
// The XKB header is C: one of its fields is named like a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace {

// xcb's replies are malloc'ed.
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

// The keyboard group now active; 0, the first layout, when the server cannot say.
int ActiveGroup(xcb_connection_t* connection) {
    const auto extension = Owned(xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
        nullptr));
    if (!extension || extension->supported == 0) {
        return 0;
    }
    const auto state = Owned(xcb_xkb_get_state_reply(
        connection, xcb_xkb_get_state(connection, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    return state ? state->group : 0;
}

} // namespace

std::optional<bool> QtDesktopLayout::Qwertz() const {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return std::nullopt;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return std::nullopt;
    }
    constexpr std::string_view kNames = "_XKB_RULES_NAMES";
    const auto atom = Owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(kNames.size()), kNames.data()),
        nullptr));
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!atom || atom->atom == XCB_ATOM_NONE || screen == nullptr) {
        return std::nullopt;
    }
    // A few hundred bytes at most: five names of layouts, variants and options.
    constexpr uint32_t kLongs = 1024;
    const auto property = Owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, screen->root, atom->atom, XCB_ATOM_STRING, 0, kLongs),
        nullptr));
    if (!property || property->format != 8) {
        return std::nullopt;
    }
    const std::string_view names(
        static_cast<const char*>(xcb_get_property_value(property.get())),
        static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
    return XkbLayoutNames::Qwertz(names, ActiveGroup(connection));
}
