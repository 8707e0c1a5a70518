// SPDX-License-Identifier: EUPL-1.2
#include "help/llamada_html_help.h"

#include "help/html_help.h"

#include <cstring>

namespace thn::ayuda {

LlamadaHtmlHelp::LlamadaHtmlHelp(const Biblioteca& biblioteca)
    : simbolo_(biblioteca.Simbolo(kPuntoEntradaHtmlHelp))
{
}

std::intptr_t LlamadaHtmlHelp::operator()(std::intptr_t ventana, const char* fichero, unsigned int orden,
                                          std::uintptr_t datos) const
{
    HtmlHelpFuncion funcion = nullptr;
    static_assert(sizeof funcion == sizeof simbolo_);
    std::memcpy(&funcion, &simbolo_, sizeof funcion);
    return funcion ? funcion(ventana, fichero, orden, datos) : 0;
}

}  // namespace thn::ayuda
