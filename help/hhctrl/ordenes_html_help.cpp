// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/ordenes_html_help.h"

#include "help/hhctrl/direccion_chm.h"
#include "help/html_help.h"

namespace thn::chm {

std::intptr_t Despachar(IVisorChm& visor, std::intptr_t llamador, const char* fichero, unsigned int orden,
                        std::uintptr_t datos)
{
    if (orden == ayuda::HH_CLOSE_ALL)
        return visor.CerrarTodo();
    if (!fichero || !*fichero)
        return 0;
    // The other commands also accept an address; they use its file part.
    const DireccionTema direccion = DividirDireccion(fichero);
    if (direccion.fichero.empty())
        return 0;
    switch (orden) {
    case ayuda::HH_DISPLAY_TOPIC:
        return visor.MostrarTema(llamador, direccion.fichero, direccion.tema);
    case ayuda::HH_DISPLAY_TOC:
        return visor.MostrarContenido(llamador, direccion.fichero);
    case ayuda::HH_DISPLAY_INDEX: {
        const char* palabra = reinterpret_cast<const char*>(datos);
        return visor.MostrarIndice(llamador, direccion.fichero, palabra ? palabra : "");
    }
    case ayuda::HH_HELP_CONTEXT:
        return visor.MostrarContexto(llamador, direccion.fichero, static_cast<std::uint32_t>(datos));
    default:
        return 0;
    }
}

}  // namespace thn::chm
