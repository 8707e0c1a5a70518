// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/carpeta_temporal.h"

#include "base/error.h"
#include "so/sistema.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace thn {
namespace fs = std::filesystem;

CarpetaTemporal::CarpetaTemporal()
{
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec)
        base = fs::current_path(ec);
    std::random_device azar;
    int error = 0;
    for (int intento = 0; intento < 16; ++intento) {
        char nombre[40];
        std::snprintf(nombre, sizeof nombre, "transhoralianorvica-%08x", static_cast<unsigned>(azar()));
        ruta_ = base / nombre;
        error = so::CrearCarpeta(ruta_);  // never takes a folder that exists
        if (error != EEXIST)
            break;
    }
    if (error != 0)
        throw Error(Formatear("No se puede crear la carpeta '%s': %s", {ruta_.string(), so::Motivo(error)}));
    // It holds a school's data (names, identity documents): the owner's alone.
    fs::permissions(ruta_, fs::perms::owner_all, ec);
}

CarpetaTemporal::~CarpetaTemporal()
{
    std::error_code ec;
    fs::remove_all(ruta_, ec);
}

}  // namespace thn
