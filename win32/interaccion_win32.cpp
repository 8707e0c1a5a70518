// SPDX-License-Identifier: EUPL-1.2
#include "win32/interaccion_win32.h"

#include "win32/cajas.h"
#include "win32/dialogo_archivo.h"
#include "win32/dialogo_informe.h"

namespace thn::win32 {

std::optional<std::filesystem::path> InteraccionWin32::AbrirArchivo(const ventana::DialogoArchivo& d)
{
    return PedirArchivo(Propietario(), {false, d.titulo, d.filtro, d.filtro, d.extension, d.inicial});
}

void InteraccionWin32::Mensaje(const std::string& texto, const std::string& informativo)
{
    MostrarCaja(Propietario(), Icono::Ninguno, texto, informativo);
}

void InteraccionWin32::MensajeConInforme(const std::string& texto, const std::string& informativo,
                                         const std::string& informe, const std::filesystem::path& guardar_como)
{
    // The box comes back after the report, until the user accepts it.
    while (MostrarCaja(Propietario(), Icono::Aviso, texto, informativo, true))
        DialogoInforme(Propietario(), informe, guardar_como).Ejecutar();
}

void InteraccionWin32::CajaError(const std::string& texto, const std::string& informativo)
{
    MostrarCaja(Propietario(), Icono::Error, texto, informativo);
}

}  // namespace thn::win32
