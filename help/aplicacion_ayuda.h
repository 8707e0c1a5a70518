// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What the help pieces read of the application: its help file, the active
// window's own help file, the program's file and the window that owns help
// windows. Shared by the help system (which sets the help file), the help
// manager and the HTML help viewer.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace thn::ayuda {

struct AplicacionAyuda {
    std::filesystem::path programa;                  // the program's own file
    std::filesystem::path ayuda_instalada;           // installed help files, relative to the program's directory
    std::string fichero_ayuda;                       // the application's help file
    std::function<std::string()> fichero_ventana;    // the active window's own help file; empty for none
    std::function<std::intptr_t()> ventana;          // the window that owns help windows

    // The active window's help file when it has one, else the application's.
    std::string FicheroAyudaActual() const
    {
        if (fichero_ventana)
            if (std::string propio = fichero_ventana(); !propio.empty())
                return propio;
        return fichero_ayuda;
    }

    std::intptr_t Ventana() const { return ventana ? ventana() : 0; }
};

}  // namespace thn::ayuda
