// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The X11 window behind a window of any Wine program of the session.

#include "lanzador/nucleo/variables.h"

#include <windows.h>

#include <cstdint>
#include <optional>

namespace thn::lanzador {

struct VentanaX11 {
    std::uint32_t id = 0;
    Desplazamiento desplazamiento;  // of `hwnd`'s client area inside it
};

// Child windows have no X11 window of their own: the nearest ancestor that has
// one is taken. nullopt when `hwnd` names no window or none has one.
std::optional<VentanaX11> ResolverVentana(HWND hwnd);

}  // namespace thn::lanzador
