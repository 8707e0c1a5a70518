// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/sesion.h"

#include "trabajo/directorio.h"
#include "base/error.h"
#include "trabajo/preparacion.h"

#include <cerrno>

namespace thn {

BloqueoTrabajo::BloqueoTrabajo(const std::filesystem::path& directorio)
{
    ComprobarDirectorioTrabajo(directorio);
    if (const int error = bloqueo_.Tomar(directorio)) {
        if (error == EWOULDBLOCK)
            throw Error(Formatear("Hay otra exportación o importación en curso en el directorio de trabajo '%s'",
                                  {directorio.string()}));
        if (error == EEXIST)
            throw Error(Formatear("'%s' no es un fichero de TransHoraliaNorvica: bórrelo o cámbiele el nombre",
                                  {bloqueo_.Estorbo().string()}));
        throw Error(Formatear("No se puede bloquear el directorio de trabajo '%s': %s",
                              {directorio.string(), so::Motivo(error)}));
    }
}

SesionTrabajo::SesionTrabajo(const std::filesystem::path& directorio, EstadoTablas& estado) : bloqueo_(directorio)
{
    RecuperarDirectorioTrabajo(directorio, estado);
}

void RecuperarSiSePuede(const std::filesystem::path& directorio) noexcept
{
    try {
        EstadoTablas estado;
        SesionTrabajo sesion(directorio, estado);
    } catch (...) {
    }
}

}  // namespace thn
