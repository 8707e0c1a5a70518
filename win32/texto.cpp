// SPDX-License-Identifier: EUPL-1.2
#include "win32/texto.h"

#include <windows.h>

namespace thn::win32 {

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
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()), nullptr, 0, nullptr, nullptr);
    std::string texto(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, ancho.data(), static_cast<int>(ancho.size()), texto.data(), n, nullptr, nullptr);
    return texto;
}

std::wstring LineasWindows(std::string_view utf8)
{
    std::wstring salida;
    const std::wstring ancho = Ancho(utf8);
    salida.reserve(ancho.size());
    for (std::size_t i = 0; i < ancho.size(); ++i) {
        if (ancho[i] == L'\n' && (i == 0 || ancho[i - 1] != L'\r'))
            salida += L'\r';
        salida += ancho[i];
    }
    return salida;
}

}  // namespace thn::win32
