// SPDX-License-Identifier: EUPL-1.2
#include "help/texto_ayuda.h"

#include "base/ascii.h"

#include <algorithm>

namespace thn::ayuda {
namespace {

// Bytes sort unsigned, as the help manager's lists sort them.
unsigned char Plegar(char c) { return static_cast<unsigned char>(MinusculaAscii(c)); }

bool EsBlanco(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

int CompararSinMayusculas(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (Plegar(a[i]) != Plegar(b[i]))
            return Plegar(a[i]) < Plegar(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string Recortar(std::string_view texto)
{
    std::size_t inicio = 0, fin = texto.size();
    while (inicio < fin && EsBlanco(texto[inicio]))
        ++inicio;
    while (fin > inicio && EsBlanco(texto[fin - 1]))
        --fin;
    return std::string(texto.substr(inicio, fin - inicio));
}

}  // namespace thn::ayuda
