// SPDX-License-Identifier: EUPL-1.2
#include "documento/entrada_ausente.h"

#include "base/error.h"

namespace thn {

std::optional<std::string> ArchivoAusente(const std::filesystem::path& ruta)
{
    if (ruta.empty())
        return "No se ha elegido ningún archivo.";
    std::error_code ec;
    const auto estado = std::filesystem::status(ruta, ec);
    if (std::filesystem::is_regular_file(estado))
        return std::nullopt;
    if (std::filesystem::is_directory(estado))
        return Formatear("'%s' es un directorio, no un archivo.", {ruta.string()});
    return Formatear("No se encuentra '%s'.", {ruta.string()});
}

}  // namespace thn
