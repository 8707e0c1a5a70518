// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The command line of transhoralianorvica-cli.

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace thn::cli {

struct Opciones {
    std::string orden;                              // "exportar", "importar", "comprobar", "anteriores", "restaurar"
    std::filesystem::path documento;
    std::string fecha;                              // restaurar: the kept set; empty for the newest
    std::optional<std::filesystem::path> htemp;
    bool json = false;
    bool estricto = false;                          // exit 4 when something was left out
    bool solucion = false;                          // comprobar: the solution, not the document
};

enum class Peticion { Ayuda, Version };

// What the command line asks for, or the one-line description of a usage
// error. `json` is set as soon as "--json" is seen, so that even a usage
// error can answer in JSON.
struct Analisis {
    std::variant<Opciones, Peticion, std::string> resultado;
    bool json = false;
};

// Options take their value as "--opcion=valor" or "--opcion valor".
Analisis Analizar(const std::vector<std::string>& args);

}  // namespace thn::cli
