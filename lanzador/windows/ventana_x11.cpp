// SPDX-License-Identifier: EUPL-1.2
#include "ventana_x11.h"

namespace thn::lanzador {

std::optional<VentanaX11> ResolverVentana(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return std::nullopt;
    // The desktop stands for the whole screen, never for a host.
    for (HWND w = hwnd; w && w != GetDesktopWindow(); w = GetAncestor(w, GA_PARENT)) {
        const auto id = reinterpret_cast<std::uintptr_t>(GetPropA(w, "__wine_x11_whole_window"));
        if (id == 0)
            continue;
        POINT origen{0, 0};
        MapWindowPoints(hwnd, w, &origen, 1);
        return VentanaX11{static_cast<std::uint32_t>(id), {origen.x, origen.y}};
    }
    return std::nullopt;
}

}  // namespace thn::lanzador
