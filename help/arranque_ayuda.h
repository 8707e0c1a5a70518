// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The program's help, started once before the main window and shut down at
// exit: the WinHelp viewer registers first, then the HTML help viewer, which
// becomes the selector and installs the WinHelp tester. The window reaches
// it through the help system that CrearSistemaAyuda gives.

#include "ventana/sistema_ayuda.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

namespace thn::ayuda {

// `programa` is the program's own file (the running one when empty): the
// HTML Help plugin and a help file named without a directory are taken from
// its directory, else from their installed directories relative to it. Later
// calls do nothing until TerminarAyuda.
void IniciarAyuda(const std::filesystem::path& programa = {});
// Releases the HTML help viewer, then unloads the help manager, which closes
// the help windows and unloads the plugin. Does nothing when not started.
void TerminarAyuda();

// IniciarAyuda for the lifetime of the object.
class ArranqueAyuda {
public:
    explicit ArranqueAyuda(const std::filesystem::path& programa = {}) { IniciarAyuda(programa); }
    ~ArranqueAyuda() { TerminarAyuda(); }
    ArranqueAyuda(const ArranqueAyuda&) = delete;
    ArranqueAyuda& operator=(const ArranqueAyuda&) = delete;
};

// The help system the window calls. `ventana` answers the handle of the
// window that owns the help windows (its winId()). Before IniciarAyuda, a
// system that remembers the help file and shows nothing.
std::unique_ptr<SistemaAyuda> CrearSistemaAyuda(std::function<std::intptr_t()> ventana = {});

}  // namespace thn::ayuda
