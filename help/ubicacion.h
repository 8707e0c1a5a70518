// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Where the program finds its help plugin and help file: beside itself first
// (a build tree, Windows), then in their installed directory, given relative
// to the program's own, so that any installation prefix works.

#include <filesystem>
#include <string>

namespace thn::ayuda {

// The first of `directorio_programa`/`nombre` and
// `directorio_programa`/`instalado`/`nombre` that exists; the first one when
// neither does, so that a failure names where the file was expected.
std::filesystem::path Ubicar(const std::filesystem::path& directorio_programa,
                             const std::filesystem::path& instalado, const std::string& nombre);

}  // namespace thn::ayuda
