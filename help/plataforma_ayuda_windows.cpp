// SPDX-License-Identifier: EUPL-1.2
#include "help/plataforma_ayuda.h"

#include <windows.h>

#include <string>

namespace thn::ayuda {

std::filesystem::path ProgramaEnCurso()
{
    std::wstring ruta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (n == 0)
            return {};
        if (n < ruta.size()) {
            ruta.resize(n);
            return ruta;
        }
        ruta.resize(ruta.size() * 2);
    }
}

std::filesystem::path BibliotecaHtmlHelp(const std::filesystem::path&)
{
    // Windows' own HTML Help, from the system folder.
    return L"hhctrl.ocx";
}

}  // namespace thn::ayuda
