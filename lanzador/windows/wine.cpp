// SPDX-License-Identifier: EUPL-1.2
#include "wine.h"

#include <windows.h>

#include <string>

namespace thn::lanzador {
namespace {

// Looked up at run time: the names exist under Wine only.
template <typename Funcion>
Funcion Exportada(const wchar_t* modulo, const char* nombre)
{
    const HMODULE m = GetModuleHandleW(modulo);
    return m ? reinterpret_cast<Funcion>(reinterpret_cast<void*>(GetProcAddress(m, nombre))) : nullptr;
}

// A path through one of kernel32's path conversions (Wine's own), whose
// result lives on the process heap.
template <typename Hacia, typename Desde>
std::optional<std::basic_string<Hacia>> Convertida(const char* conversion, const std::basic_string<Desde>& ruta)
{
    using Convertir = Hacia*(CDECL*)(const Desde*);
    const auto convertir = Exportada<Convertir>(L"kernel32.dll", conversion);
    if (!convertir)
        return std::nullopt;
    Hacia* const convertida = convertir(ruta.c_str());
    if (!convertida)
        return std::nullopt;
    std::basic_string<Hacia> resultado(convertida);
    HeapFree(GetProcessHeap(), 0, convertida);
    return resultado;
}

}  // namespace

bool BajoWine()
{
    using Version = const char*(CDECL*)();
    return Exportada<Version>(L"ntdll.dll", "wine_get_version") != nullptr;
}

std::optional<std::string> RutaUnix(const std::wstring& windows)
{
    return Convertida<char>("wine_get_unix_file_name", windows);
}

std::optional<std::wstring> RutaWindows(const std::string& unix)
{
    return Convertida<wchar_t>("wine_get_dos_file_name", unix);
}

}  // namespace thn::lanzador
