// SPDX-License-Identifier: EUPL-1.2
#include "ventana/ruta_ini.h"

#include "trabajo/directorio.h"

namespace thn::ventana {

std::filesystem::path RutaIniEn(const std::filesystem::path& directorio)
{
    constexpr const char* kNombre = "Horalia.ini";
    return BuscarFichero(directorio, kNombre).value_or(directorio / kNombre);
}

std::filesystem::path RutaIniAnfitrion(std::string_view parametro0, const std::filesystem::path& directorio_programa)
{
    const std::filesystem::path programa{std::string(parametro0)};
    return RutaIniEn(programa.has_parent_path() ? programa.parent_path() : directorio_programa);
}

}  // namespace thn::ventana
