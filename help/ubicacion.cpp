// SPDX-License-Identifier: EUPL-1.2
#include "help/ubicacion.h"

#include <system_error>

namespace thn::ayuda {

std::filesystem::path Ubicar(const std::filesystem::path& directorio_programa,
                             const std::filesystem::path& instalado, const std::string& nombre)
{
    const std::filesystem::path junto = directorio_programa / nombre;
    std::error_code error;
    if (instalado.empty() || std::filesystem::exists(junto, error))
        return junto;
    std::filesystem::path lugar = (directorio_programa / instalado / nombre).lexically_normal();
    return std::filesystem::exists(lugar, error) ? lugar : junto;
}

}  // namespace thn::ayuda
