// SPDX-License-Identifier: EUPL-1.2
// The plugin's one exported symbol: the HTML Help entry point, serving the
// commands with the Qt help window of this process.

#include "help/html_help.h"
#include "help/hhctrl/visor_qt.h"

#include <type_traits>

namespace {

thn::chm::VisorQt& Visor()
{
    static thn::chm::VisorQt visor;
    return visor;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) intptr_t HtmlHelpA(intptr_t ventana, const char* fichero,
                                                                    unsigned int orden, uintptr_t datos)
{
    // Nothing may unwind into the caller, which knows no C++.
    try {
        return thn::chm::Despachar(Visor(), ventana, fichero, orden, datos);
    } catch (...) {
        return 0;
    }
}

static_assert(std::is_same_v<decltype(&HtmlHelpA), HtmlHelpFuncion>);
