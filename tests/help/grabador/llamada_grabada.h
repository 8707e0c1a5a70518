// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What the recording HTML Help plugin keeps of each call. Shared by the
// plugin and the tests that load it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace thn::ayuda::prueba {

struct LlamadaGrabada {
    std::intptr_t ventana = 0;
    std::optional<std::string> fichero;  // none for a null file
    unsigned int orden = 0;
    std::uintptr_t datos = 0;
    std::string palabra;                 // HH_DISPLAY_INDEX: the text that `datos` points to

    bool operator==(const LlamadaGrabada&) const = default;
};

using Grabacion = std::vector<LlamadaGrabada>;

// The plugin's export that hands out its recording (a Grabacion*).
inline constexpr const char* kSimboloGrabacion = "ThnGrabacionHtmlHelp";

}  // namespace thn::ayuda::prueba
