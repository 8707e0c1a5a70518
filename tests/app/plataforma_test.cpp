// SPDX-License-Identifier: EUPL-1.2
// The Qt platform the desktop program asks for.

#include "app/plataforma.h"

#include <gtest/gtest.h>

namespace thn::prueba {
namespace {

struct CasoXcb {
    bool incrustado;
    app::EntornoGrafico entorno;
    bool xcb;
};

TEST(Plataforma, SoloLaVentanaIncrustadaEnWaylandPasaAXcb)
{
    const CasoXcb casos[] = {
        {true, {"", "wayland-0", ""}, true},
        {true, {"", "", "wayland"}, true},
        {true, {"wayland", "wayland-0", "wayland"}, true},
        {true, {"wayland-egl", "", ""}, true},
        {true, {"", "", "x11"}, false},
        {true, {"offscreen", "wayland-0", ""}, false},
        {true, {"xcb", "wayland-0", ""}, false},
        {false, {"", "wayland-0", "wayland"}, false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(app::DebeForzarXcb(c.incrustado, c.entorno), c.xcb)
            << c.entorno.qt_qpa_platform << "|" << c.entorno.wayland_display << "|" << c.entorno.xdg_session_type;
}

}  // namespace
}  // namespace thn::prueba
