// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Where the help's platform pieces are: the running program and the HTML
// Help library (Linux: the plugin beside the program or installed relative to
// it; Windows: the system's own hhctrl.ocx).

#include <filesystem>

namespace thn::ayuda {

// The running program's own file; empty when it cannot be told.
std::filesystem::path ProgramaEnCurso();

// The HTML Help library for a program in `directorio_programa`.
std::filesystem::path BibliotecaHtmlHelp(const std::filesystem::path& directorio_programa);

}  // namespace thn::ayuda
