// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/variables.h"

#include <charconv>

namespace thn::lanzador {
namespace {

std::optional<int> Entero(std::string_view t)
{
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    int v = 0;
    const auto [fin, error] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || error != std::errc() || fin != t.data() + t.size())
        return std::nullopt;
    return v;
}

}  // namespace

std::optional<Desplazamiento> LeerDesplazamiento(std::string_view texto)
{
    const auto coma = texto.find(',');
    if (coma == std::string_view::npos)
        return std::nullopt;
    const auto x = Entero(texto.substr(0, coma));
    const auto y = Entero(texto.substr(coma + 1));
    if (!x || !y)
        return std::nullopt;
    return Desplazamiento{*x, *y};
}

}  // namespace thn::lanzador
