// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The HTML Help entry point of a loaded library, called with the viewer's
// arguments (texts in UTF-8). On Linux it is the plugin's own entry point;
// on Windows, hhctrl.ocx's HtmlHelpW, which takes its texts in UTF-16.

#include "help/biblioteca.h"

#include <cstdint>

namespace thn::ayuda {

class LlamadaHtmlHelp {
public:
    LlamadaHtmlHelp() = default;
    // Null when the library or its entry point is missing.
    explicit LlamadaHtmlHelp(const Biblioteca& biblioteca);

    explicit operator bool() const { return simbolo_ != nullptr; }
    // As the entry point of html_help.h: the help window, 0 when none shows.
    std::intptr_t operator()(std::intptr_t ventana, const char* fichero, unsigned int orden,
                             std::uintptr_t datos) const;

private:
    void* simbolo_ = nullptr;
};

}  // namespace thn::ayuda
