// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A text the launcher carries in its bytes, so that installing and removing
// it can tell it from any other program of the same name. Only the launcher
// holds it whole (lanzador/windows/main.cpp); whoever looks for it joins two
// halves at run time, so that no other program of ours passes for it.

#include <string>
#include <string_view>

namespace thn::lanzador {

inline constexpr std::string_view kMarcaPrincipio = "TransHoraliaNorvica: lanzador ";
inline constexpr std::string_view kMarcaFin = "para Horalia bajo Wine";

constexpr bool EsMarcaLanzador(std::string_view texto)
{
    return texto.size() == kMarcaPrincipio.size() + kMarcaFin.size() && texto.starts_with(kMarcaPrincipio)
           && texto.ends_with(kMarcaFin);
}

std::string MarcaLanzador();

}  // namespace thn::lanzador
