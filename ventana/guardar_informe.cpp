// SPDX-License-Identifier: EUPL-1.2
#include "ventana/guardar_informe.h"

#include "base/error.h"
#include "so/reemplazo.h"
#include "so/sistema.h"

namespace thn::ventana {

void GuardarInforme(const std::filesystem::path& ruta, std::string_view informe)
{
    const int error = so::ReemplazarFichero(ruta, informe, true);
    if (error != 0)
        throw Error("No se pudo guardar el informe.", ruta.string() + ": " + so::Motivo(error));
}

}  // namespace thn::ventana
