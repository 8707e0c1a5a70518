// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The run mode, decided once from the command line as the user gave it.

#include "base/error.h"

#include <cstdint>
#include <string>
#include <vector>

namespace thn::ventana {

// Which top panels an embedded window keeps.
enum class Panel { Ambos, Exportar, Importar };

struct ModoEjecucion {
    bool incrustado = false;
    std::int32_t anfitrion = 0;  // the host window's handle
    Panel panel = Panel::Ambos;
};

// `argumentos` holds the program first, then the parameters. Exactly two
// parameters, a direction word and the host's handle in hexadecimal digits,
// mean embedded mode; any other count means standalone mode. A handle that is
// not hexadecimal fails with "'$...' no es un valor entero válido".
ModoEjecucion DecidirModo(const std::vector<std::string>& argumentos);

// Parameters the user gave, the program itself not counted.
std::size_t NumeroParametros(const std::vector<std::string>& argumentos);

// Why the window cannot live in the host window, naming the handle as the
// host wrote it: there is no such window, or it refuses the embedded one.
Error AnfitrionInexistente(std::int32_t anfitrion);
Error AnfitrionNoIncrustable(std::int32_t anfitrion);

}  // namespace thn::ventana
