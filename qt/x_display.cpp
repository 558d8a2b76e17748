#include "qt/x_display.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace tessorin::qt {
namespace {

// Qt takes X when no platform is named (and Wayland is not there to be preferred) or xcb is named.
bool qtWouldTakeX() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return std::string_view(platform).starts_with("xcb");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return !(wayland && *wayland);
}

}  // namespace

std::optional<std::string> unreachableXDisplay() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display || !qtWouldTakeX()) return std::nullopt;
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) return std::string(display);
    return std::nullopt;
}

}  // namespace tessorin::qt
