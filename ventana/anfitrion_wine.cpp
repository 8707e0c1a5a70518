// SPDX-License-Identifier: EUPL-1.2
#include "ventana/anfitrion_wine.h"

namespace thn::ventana {

AnfitrionWine AnfitrionWineDesde(std::string_view desplazamiento, std::string_view directorio_ini)
{
    AnfitrionWine wine;
    wine.origen = lanzador::LeerDesplazamiento(desplazamiento).value_or(lanzador::Desplazamiento{});
    if (!directorio_ini.empty())
        wine.directorio_ini = std::filesystem::path(std::string(directorio_ini));
    return wine;
}

}  // namespace thn::ventana
