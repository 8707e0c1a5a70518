// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/linea_ordenes.h"

namespace thn::lanzador {
namespace {

// Backslashes count only before a quote: there they are doubled, and the
// quote itself is escaped.
std::string Entrecomillado(const std::string& argumento)
{
    if (!argumento.empty() && argumento.find_first_of(" \t\n\v\"") == std::string::npos)
        return argumento;
    std::string texto = "\"";
    std::size_t barras = 0;
    for (const char c : argumento) {
        if (c == '\\') {
            ++barras;
            continue;
        }
        texto.append(c == '"' ? barras * 2 + 1 : barras, '\\');
        barras = 0;
        texto += c;
    }
    texto.append(barras * 2, '\\');
    return texto + "\"";
}

}  // namespace

std::string LineaOrdenes(const std::vector<std::string>& argumentos)
{
    std::string linea;
    for (const auto& a : argumentos) {
        if (!linea.empty())
            linea += ' ';
        linea += Entrecomillado(a);
    }
    return linea;
}

}  // namespace thn::lanzador
