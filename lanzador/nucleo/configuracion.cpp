// SPDX-License-Identifier: EUPL-1.2
#include "lanzador/nucleo/configuracion.h"

#include "base/ascii.h"

#include <algorithm>

namespace thn::lanzador {
namespace {

constexpr std::string_view kSeccion = "TransHoraliaNorvica";
constexpr std::string_view kClave = "Programa";

std::string_view Recortar(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

Configuracion LeerConfiguracion(std::string_view texto)
{
    Configuracion configuracion;
    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    bool en_seccion = false;
    while (!texto.empty()) {
        const auto fin = texto.find('\n');
        const std::string_view linea = Recortar(texto.substr(0, fin));
        texto.remove_prefix(fin == std::string_view::npos ? texto.size() : fin + 1);
        if (linea.empty() || linea.front() == ';' || linea.front() == '#')
            continue;
        if (linea.front() == '[') {
            en_seccion = linea.back() == ']' && IgualesSinCasoAscii(Recortar(linea.substr(1, linea.size() - 2)), kSeccion);
            continue;
        }
        const auto igual = linea.find('=');
        if (!en_seccion || igual == std::string_view::npos || !IgualesSinCasoAscii(Recortar(linea.substr(0, igual)), kClave))
            continue;
        if (const auto valor = Recortar(linea.substr(igual + 1)); !valor.empty())
            configuracion.programa = std::string(valor);
    }
    return configuracion;
}

std::string TextoConfiguracion(const Configuracion& configuracion)
{
    return "[" + std::string(kSeccion) + "]\r\n" + std::string(kClave) + "=" + configuracion.programa + "\r\n";
}

}  // namespace thn::lanzador
