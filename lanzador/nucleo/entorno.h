// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The desktop program's environment: the launcher's own, with what embedding
// needs and a UTF-8 character type.

#include "lanzador/nucleo/variables.h"

#include <optional>
#include <string>
#include <vector>

namespace thn::lanzador {

struct Incrustacion {
    Desplazamiento desplazamiento;
    std::string directorio_ini;  // a Unix path
};

// `actual` holds "NAME=value" entries. The embedding variables are set when
// `incrustacion` is given and dropped otherwise, so that a program started
// alone never inherits them. When the character type the locale variables
// select is not UTF-8, LC_CTYPE becomes C.UTF-8 (LC_ALL, which would hide it,
// moves to LANG): paths and texts then pass intact, numbers and dates keep the
// user's conventions.
std::vector<std::string> EntornoHijo(const std::vector<std::string>& actual,
                                     const std::optional<Incrustacion>& incrustacion);

}  // namespace thn::lanzador
