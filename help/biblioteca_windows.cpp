// SPDX-License-Identifier: EUPL-1.2
#include "help/biblioteca.h"

#include <windows.h>

namespace thn::ayuda {

void* Biblioteca::Abrir(const std::filesystem::path& ruta)
{
    // A bare name is one of Windows' own components (hhctrl.ocx): taken from
    // the system folder, never from beside the program or the current folder.
    const DWORD donde = ruta.has_parent_path() ? 0 : LOAD_LIBRARY_SEARCH_SYSTEM32;
    return LoadLibraryExW(ruta.c_str(), nullptr, donde);
}

void* Biblioteca::Buscar(void* manejador, const char* nombre)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(manejador), nombre));
}

void Biblioteca::Cerrar(void* manejador) { FreeLibrary(static_cast<HMODULE>(manejador)); }

}  // namespace thn::ayuda
