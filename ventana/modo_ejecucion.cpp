// SPDX-License-Identifier: EUPL-1.2
#include "ventana/modo_ejecucion.h"

#include "base/ascii.h"
#include "base/numeros.h"

#include <cstdio>

namespace thn::ventana {
namespace {

// Hexadecimal capitals of the 32-bit value, as the host passes handles.
std::string Hex(std::int32_t anfitrion)
{
    char hex[12];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(static_cast<std::uint32_t>(anfitrion)));
    return hex;
}

}  // namespace

Error AnfitrionInexistente(std::int32_t anfitrion)
{
    return Error(Formatear("No existe la ventana %s de Horalia", {Hex(anfitrion)}));
}

Error AnfitrionNoIncrustable(std::int32_t anfitrion)
{
    return Error(Formatear("No se puede incrustar la ventana en la ventana %s de Horalia", {Hex(anfitrion)}));
}

std::size_t NumeroParametros(const std::vector<std::string>& argumentos)
{
    return argumentos.empty() ? 0 : argumentos.size() - 1;
}

ModoEjecucion DecidirModo(const std::vector<std::string>& argumentos)
{
    ModoEjecucion modo;
    if (NumeroParametros(argumentos) != 2)
        return modo;
    // "$" makes the integer reader take hexadecimal digits and nothing else.
    modo.anfitrion = EnteroDesdeTexto("$" + argumentos[2]);
    modo.incrustado = true;
    // The host may write the word in any case; only ASCII letters are folded.
    const std::string direccion = MinusculasAscii(argumentos[1]);
    if (direccion == "importar")
        modo.panel = Panel::Importar;
    else if (direccion == "exportar")
        modo.panel = Panel::Exportar;
    return modo;
}

}  // namespace thn::ventana
