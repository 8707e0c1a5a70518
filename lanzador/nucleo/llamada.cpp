// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/llamada.h"

#include <cstdio>

namespace thn::lanzador {

std::optional<std::uint32_t> VentanaDesdeTexto(std::string_view texto)
{
    if (texto.empty())
        return std::nullopt;
    std::uint64_t valor = 0;
    for (const char c : texto) {
        int digito = 0;
        if (c >= '0' && c <= '9')
            digito = c - '0';
        else if (c >= 'a' && c <= 'f')
            digito = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digito = c - 'A' + 10;
        else
            return std::nullopt;
        valor = valor * 16 + static_cast<std::uint64_t>(digito);
        if (valor > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(valor);
}

std::string TextoHex(std::uint32_t valor)
{
    char texto[12];
    std::snprintf(texto, sizeof texto, "%X", static_cast<unsigned>(valor));
    return texto;
}

Llamada DecidirLlamada(const std::vector<std::string>& parametros)
{
    Llamada llamada;
    llamada.parametros = parametros;
    if (parametros.size() != 2)
        return llamada;
    const auto ventana = VentanaDesdeTexto(parametros[1]);
    if (!ventana) {
        llamada.modo = Modo::TalCual;
        return llamada;
    }
    llamada.modo = Modo::Incrustada;
    llamada.direccion = parametros[0];
    llamada.ventana = *ventana;
    return llamada;
}

std::vector<std::string> ParametrosPrograma(const Llamada& llamada, std::uint32_t x11)
{
    switch (llamada.modo) {
    case Modo::Incrustada:
        return {llamada.direccion, TextoHex(x11)};
    case Modo::TalCual:
        return llamada.parametros;
    case Modo::Sola:
        break;
    }
    return {};
}

}  // namespace thn::lanzador
