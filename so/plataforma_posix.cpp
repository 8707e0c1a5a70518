// SPDX-License-Identifier: EUPL-1.2
#include "so/plataforma.h"

#include <cstdlib>

#include <langinfo.h>

namespace thn::so {

std::filesystem::path DirectorioHoralia()
{
    std::filesystem::path prefijo;
    if (const char* wine = std::getenv("WINEPREFIX"); wine && *wine)
        prefijo = wine;
    else if (const char* home = std::getenv("HOME"); home && *home)
        prefijo = std::filesystem::path(home) / ".wine";
    else
        prefijo = ".wine";
    return prefijo / "drive_c" / "HTEMP";
}

std::tm HoraLocal(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

FormatosFechaHora FormatosDelUsuario()
{
    // The C locale's date is %m/%d/%y: no regional setting, no format.
    std::string fecha = nl_langinfo(D_FMT);
    if (fecha == "%m/%d/%y")
        fecha.clear();
    return {fecha, nl_langinfo(T_FMT)};
}

std::FILE* AbrirFlujo(const std::filesystem::path& ruta, const char* modo) { return std::fopen(ruta.c_str(), modo); }

void PrepararConsola() {}

}  // namespace thn::so
