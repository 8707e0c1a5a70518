// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/rutas.h"

#include "base/ascii.h"

#include <algorithm>

namespace thn::lanzador {

std::string RutaWindowsDesdeUnix(std::string_view unix)
{
    std::string ruta = "Z:" + std::string(unix);
    std::replace(ruta.begin(), ruta.end(), '/', '\\');
    return ruta;
}

std::string RutaEnPrefijo(std::string_view prefijo, std::string_view windows)
{
    const bool con_unidad = windows.size() >= 2 && windows[1] == ':'
                            && ((windows[0] >= 'a' && windows[0] <= 'z') || (windows[0] >= 'A' && windows[0] <= 'Z'));
    if (!con_unidad)
        return std::string(windows);
    const char unidad = MinusculaAscii(windows[0]);
    std::string resto(windows.substr(2));
    std::replace(resto.begin(), resto.end(), '\\', '/');
    while (resto.starts_with("/"))
        resto.erase(0, 1);
    std::string ruta = std::string(prefijo) + "/dosdevices/" + unidad + ":";
    if (!resto.empty())
        ruta += "/" + resto;
    return ruta;
}

}  // namespace thn::lanzador
