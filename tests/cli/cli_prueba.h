// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Runs the headless program in this process, as the shell would run it.

#include "cli/programa.h"

#include <sstream>
#include <string>
#include <vector>

namespace thn::prueba {

struct Salida {
    int estado;
    std::string salida, errores;
};

inline Salida Cli(std::vector<std::string> args)
{
    args.insert(args.begin(), "transhoralianorvica-cli");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    std::ostringstream salida, errores;
    const int estado = cli::Ejecutar(static_cast<int>(argv.size()), argv.data(), salida, errores);
    return {estado, salida.str(), errores.str()};
}

}  // namespace thn::prueba
