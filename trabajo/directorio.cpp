// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/directorio.h"

#include "base/ascii.h"
#include "base/error.h"
#include "so/plataforma.h"
#include "so/sistema.h"

#include <algorithm>
#include <cstdlib>

namespace thn {
namespace fs = std::filesystem;

fs::path DirectorioTrabajo(const std::optional<fs::path>& explicito)
{
    if (explicito)
        return *explicito;
    if (const char* var = std::getenv("TRANSHORALIA_HTEMP"); var && *var)
        return fs::path(var);
    return so::DirectorioHoralia();
}

void ComprobarDirectorioTrabajo(const fs::path& directorio)
{
    std::error_code ec;
    const auto estado = fs::status(directorio, ec);
    if (fs::is_directory(estado))
        return;
    if (fs::exists(estado))
        throw Error(Formatear("El directorio de trabajo de Horalia '%s' es un archivo, no un directorio",
                              {directorio.string()}));
    throw Error(Formatear("No existe el directorio de trabajo de Horalia '%s'", {directorio.string()}));
}

std::optional<fs::path> BuscarFichero(const fs::path& directorio, const std::string& nombre)
{
    std::error_code ec;
    const fs::path exacto = directorio / nombre;
    if (fs::is_regular_file(exacto, ec))
        return exacto;
    const std::string buscado = MinusculasAscii(nombre);
    for (auto it = fs::directory_iterator(directorio, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (MinusculasAscii(it->path().filename().string()) == buscado && it->is_regular_file(ec))
            return it->path();
    }
    return std::nullopt;
}

std::vector<fs::path> TodasLasGrafias(const fs::path& directorio, const std::string& nombre)
{
    // On a disk that ignores letter case one file answers to every spelling:
    // it is listed once, by its own name.
    std::vector<fs::path> encontrados;
    std::error_code ec;
    const std::string buscado = MinusculasAscii(nombre);
    for (auto it = fs::directory_iterator(directorio, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path ruta = it->path();
        if (MinusculasAscii(ruta.filename().string()) != buscado || !it->is_regular_file(ec))
            continue;
        if (std::none_of(encontrados.begin(), encontrados.end(),
                         [&](const fs::path& otro) { return so::MismoFichero(otro, ruta); }))
            encontrados.push_back(ruta);
    }
    std::stable_partition(encontrados.begin(), encontrados.end(),
                          [&](const fs::path& ruta) { return ruta.filename() == nombre; });
    return encontrados;
}

void BorrarFichero(const fs::path& directorio, const std::string& nombre)
{
    // Several spellings may stand side by side on a case-sensitive disk.
    for (const fs::path& ruta : TodasLasGrafias(directorio, nombre))
        so::Borrar(ruta);
}

}  // namespace thn
