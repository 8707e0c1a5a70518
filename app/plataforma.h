// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The Qt platform an embedded window needs: a foreign X11 window can only be
// a parent through the xcb platform, which a Wayland session offers through
// XWayland.

#include <string_view>

namespace thn::app {

struct EntornoGrafico {
    std::string_view qt_qpa_platform;  // QT_QPA_PLATFORM, empty when unset
    std::string_view wayland_display;  // WAYLAND_DISPLAY
    std::string_view xdg_session_type; // XDG_SESSION_TYPE
};

// True when the program must set QT_QPA_PLATFORM=xcb before Qt starts. An
// explicit platform other than Wayland (xcb, offscreen...) is respected.
bool DebeForzarXcb(bool incrustado, const EntornoGrafico& entorno);

}  // namespace thn::app
