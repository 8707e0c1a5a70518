// SPDX-License-Identifier: EUPL-1.2
// A stand-in for the HTML Help plugin that records every call.

#include "help/html_help.h"
#include "llamada_grabada.h"

using thn::ayuda::prueba::Grabacion;
using thn::ayuda::prueba::LlamadaGrabada;

namespace {

Grabacion& Llamadas()
{
    static Grabacion llamadas;
    return llamadas;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void* ThnGrabacionHtmlHelp() { return &Llamadas(); }

extern "C" __attribute__((visibility("default"))) intptr_t HtmlHelpA(intptr_t ventana, const char* fichero,
                                                                    unsigned int orden, uintptr_t datos)
{
    LlamadaGrabada llamada{ventana, {}, orden, datos, {}};
    if (fichero)
        llamada.fichero = fichero;
    // The keyword lives only during the call.
    if (orden == thn::ayuda::HH_DISPLAY_INDEX && datos)
        llamada.palabra = reinterpret_cast<const char*>(datos);
    Llamadas().push_back(llamada);
    return 0;
}
