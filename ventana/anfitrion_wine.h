// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Horalia under Wine starts the window through a launcher, which tells it
// where the host's window lies inside the X11 window on the command line and
// in which folder Horalia reads its INI file.

#include "lanzador/nucleo/variables.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace thn::ventana {

struct AnfitrionWine {
    lanzador::Desplazamiento origen;                      // the embedded window's place
    std::optional<std::filesystem::path> directorio_ini;  // where "Horalia.ini" goes
};

// From the launcher's variables' values, empty when unset. A malformed offset
// counts as none.
AnfitrionWine AnfitrionWineDesde(std::string_view desplazamiento, std::string_view directorio_ini);

}  // namespace thn::ventana
