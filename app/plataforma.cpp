// SPDX-License-Identifier: EUPL-1.2
#include "app/plataforma.h"

namespace thn::app {

bool DebeForzarXcb(bool incrustado, const EntornoGrafico& e)
{
    if (!incrustado)
        return false;
    if (!e.qt_qpa_platform.empty())
        return e.qt_qpa_platform.starts_with("wayland");
    return !e.wayland_display.empty() || e.xdg_session_type == "wayland";
}

}  // namespace thn::app
