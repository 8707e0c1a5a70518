// SPDX-License-Identifier: EUPL-1.2
#include "help/plataforma_ayuda.h"

#include "help/ubicacion.h"

#include <system_error>

#ifndef THN_BIBLIOTECA_HTML_HELP
#define THN_BIBLIOTECA_HTML_HELP "libhhctrl.so"
#endif
// Installed directory of the plugin, relative to the program's: empty where
// it is installed beside it.
#ifndef THN_COMPLEMENTO_INSTALADO
#define THN_COMPLEMENTO_INSTALADO ""
#endif

namespace thn::ayuda {

std::filesystem::path ProgramaEnCurso()
{
    std::error_code error;
    std::filesystem::path programa = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : programa;
}

std::filesystem::path BibliotecaHtmlHelp(const std::filesystem::path& directorio_programa)
{
    return Ubicar(directorio_programa, THN_COMPLEMENTO_INSTALADO, THN_BIBLIOTECA_HTML_HELP);
}

}  // namespace thn::ayuda
