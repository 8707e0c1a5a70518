// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What the Wine launcher tells the desktop program, and how: environment
// variables, so that the command line stays the one the host gives.

#include <optional>
#include <string_view>

namespace thn::lanzador {

// "X,Y": where the host's window lies inside the X11 window named on the
// command line, in pixels.
inline constexpr const char* kVariableDesplazamiento = "TRANSHORALIA_DESPLAZAMIENTO";
// The Unix directory where the host reads "Horalia.ini": its own folder.
inline constexpr const char* kVariableDirectorioIni = "TRANSHORALIA_DIRECTORIO_INI";

struct Desplazamiento {
    int x = 0;
    int y = 0;
    bool operator==(const Desplazamiento&) const = default;
};

// "X,Y" with optional signs; nullopt for anything else.
std::optional<Desplazamiento> LeerDesplazamiento(std::string_view texto);

}  // namespace thn::lanzador
