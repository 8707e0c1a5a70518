// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/marca.h"

namespace thn::lanzador {

std::string MarcaLanzador()
{
    std::string marca(kMarcaPrincipio);
    return marca.append(kMarcaFin);
}

}  // namespace thn::lanzador
