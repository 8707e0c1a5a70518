// SPDX-License-Identifier: EUPL-1.2
#include "wine.h"

#include <windows.h>

#include <memory>

namespace thn::lanzador {
namespace {

// Looked up at run time: the names exist under Wine only.
template <typename Funcion>
Funcion Exportada(const wchar_t* modulo, const char* nombre)
{
    const HMODULE m = GetModuleHandleW(modulo);
    return m ? reinterpret_cast<Funcion>(reinterpret_cast<void*>(GetProcAddress(m, nombre))) : nullptr;
}

struct LiberarMonton {
    void operator()(void* p) const { HeapFree(GetProcessHeap(), 0, p); }
};

}  // namespace

bool BajoWine()
{
    using Version = const char*(CDECL*)();
    return Exportada<Version>(L"ntdll.dll", "wine_get_version") != nullptr;
}

std::optional<std::wstring> RutaWindows(const std::string& unix)
{
    using Convertir = wchar_t*(CDECL*)(const char*);
    const auto convertir = Exportada<Convertir>(L"kernel32.dll", "wine_get_dos_file_name");
    if (!convertir)
        return std::nullopt;
    const std::unique_ptr<wchar_t, LiberarMonton> windows(convertir(unix.c_str()));
    if (!windows)
        return std::nullopt;
    return std::wstring(windows.get());
}

std::optional<std::string> RutaUnix(const std::wstring& windows)
{
    using Convertir = char*(CDECL*)(const wchar_t*);
    const auto convertir = Exportada<Convertir>(L"kernel32.dll", "wine_get_unix_file_name");
    if (!convertir)
        return std::nullopt;
    const std::unique_ptr<char, LiberarMonton> unix(convertir(windows.c_str()));
    if (!unix)
        return std::nullopt;
    return std::string(unix.get());
}

}  // namespace thn::lanzador
