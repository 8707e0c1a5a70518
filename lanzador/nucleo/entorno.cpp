// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/entorno.h"

#include "base/ascii.h"

#include <algorithm>
#include <string_view>

namespace thn::lanzador {
namespace {

std::string_view Nombre(std::string_view entrada)
{
    return entrada.substr(0, entrada.find('='));
}

std::optional<std::string> Valor(const std::vector<std::string>& entorno, std::string_view nombre)
{
    for (const auto& e : entorno)
        if (Nombre(e) == nombre && e.size() > nombre.size() + 1)
            return e.substr(nombre.size() + 1);
    return std::nullopt;
}

void Quitar(std::vector<std::string>& entorno, std::string_view nombre)
{
    std::erase_if(entorno, [&](const std::string& e) { return Nombre(e) == nombre; });
}

void Poner(std::vector<std::string>& entorno, std::string_view nombre, const std::string& valor)
{
    Quitar(entorno, nombre);
    entorno.push_back(std::string(nombre) + "=" + valor);
}

bool EsUtf8(std::string_view locale)
{
    const std::string minusculas = MinusculasAscii(locale);
    return minusculas.find("utf-8") != std::string::npos || minusculas.find("utf8") != std::string::npos;
}

}  // namespace

std::vector<std::string> EntornoHijo(const std::vector<std::string>& actual,
                                     const std::optional<Incrustacion>& incrustacion)
{
    std::vector<std::string> entorno = actual;
    Quitar(entorno, kVariableDesplazamiento);
    Quitar(entorno, kVariableDirectorioIni);
    if (incrustacion) {
        const auto& d = incrustacion->desplazamiento;
        Poner(entorno, kVariableDesplazamiento, std::to_string(d.x) + "," + std::to_string(d.y));
        Poner(entorno, kVariableDirectorioIni, incrustacion->directorio_ini);
    }

    const auto todo = Valor(entorno, "LC_ALL");
    const auto tipo = todo ? todo : Valor(entorno, "LC_CTYPE") ? Valor(entorno, "LC_CTYPE") : Valor(entorno, "LANG");
    if (tipo && EsUtf8(*tipo))
        return entorno;
    if (todo) {
        Quitar(entorno, "LC_ALL");
        Poner(entorno, "LANG", *todo);
    }
    Poner(entorno, "LC_CTYPE", "C.UTF-8");
    return entorno;
}

}  // namespace thn::lanzador
