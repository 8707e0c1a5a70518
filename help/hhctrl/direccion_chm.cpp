// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/direccion_chm.h"

namespace thn::chm {

DireccionTema DividirDireccion(std::string_view direccion)
{
    DireccionTema d;
    const std::size_t separador = direccion.find("::");
    std::string_view fichero = direccion.substr(0, separador);
    if (const std::size_t ventana = fichero.find('>'); ventana != std::string_view::npos)
        fichero = fichero.substr(0, ventana);
    d.fichero = std::string(fichero);
    if (separador != std::string_view::npos)
        d.tema = NormalizarRuta(SinFragmento(direccion.substr(separador + 2)));
    return d;
}

std::string_view SinFragmento(std::string_view tema) { return tema.substr(0, tema.find_first_of("#?")); }

std::string NormalizarRuta(std::string_view ruta)
{
    std::string salida;
    salida.reserve(ruta.size() + 1);
    for (char c : ruta) {
        if (c == '\\')
            c = '/';
        if (c == '/' && !salida.empty() && salida.back() == '/')
            continue;
        if (salida.empty() && c != '/')
            salida += '/';
        salida += c;
    }
    return salida == "/" ? std::string() : salida;
}

std::optional<std::string> TemaDeEnlace(std::string_view enlace)
{
    const std::size_t separador = enlace.find("::");
    if (separador == std::string_view::npos)
        return std::nullopt;
    std::string tema(enlace.substr(separador + 2));
    for (char& c : tema)
        if (c == '\\')
            c = '/';
    if (tema.empty() || tema.front() != '/')
        tema.insert(tema.begin(), '/');
    return tema;
}

}  // namespace thn::chm
