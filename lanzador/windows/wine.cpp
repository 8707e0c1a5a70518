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
    void operator()(char* p) const { HeapFree(GetProcessHeap(), 0, p); }
};

}  // namespace

bool BajoWine()
{
    using Version = const char*(CDECL*)();
    return Exportada<Version>(L"ntdll.dll", "wine_get_version") != nullptr;
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
