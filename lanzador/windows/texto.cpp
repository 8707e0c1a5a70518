// SPDX-License-Identifier: EUPL-1.2
#include "texto.h"

#include <windows.h>

namespace thn::lanzador {

std::wstring Ancho(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring ancho(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), ancho.data(), n);
    return ancho;
}

std::string Utf8(std::wstring_view ancho)
{
    if (ancho.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

void Caja(const std::string& texto, unsigned icono)
{
    MessageBoxW(nullptr, Ancho(texto).c_str(), L"TransHoraliaNorvica", MB_OK | icono);
}

}  // namespace thn::lanzador
