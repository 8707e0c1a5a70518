// SPDX-License-Identifier: EUPL-1.2
#include "help/llamada_html_help.h"

#include "help/html_help.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace thn::ayuda {
namespace {

using HtmlHelpW = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

std::wstring Ancho(const char* utf8)
{
    if (!utf8 || !*utf8)
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring ancho(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, ancho.data(), n);
    ancho.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return ancho;
}

}  // namespace

LlamadaHtmlHelp::LlamadaHtmlHelp(const Biblioteca& biblioteca) : simbolo_(biblioteca.Simbolo("HtmlHelpW")) {}

std::intptr_t LlamadaHtmlHelp::operator()(std::intptr_t ventana, const char* fichero, unsigned int orden,
                                          std::uintptr_t datos) const
{
    HtmlHelpW funcion = nullptr;
    static_assert(sizeof funcion == sizeof simbolo_);
    std::memcpy(&funcion, &simbolo_, sizeof funcion);
    if (!funcion)
        return 0;
    const std::wstring ruta = Ancho(fichero);
    // The index's keyword is a text too.
    const std::wstring palabra = orden == HH_DISPLAY_INDEX ? Ancho(reinterpret_cast<const char*>(datos)) : L"";
    const DWORD_PTR dato = orden == HH_DISPLAY_INDEX ? reinterpret_cast<DWORD_PTR>(palabra.c_str()) : datos;
    return reinterpret_cast<std::intptr_t>(
        funcion(reinterpret_cast<HWND>(ventana), fichero ? ruta.c_str() : nullptr, orden, dato));
}

}  // namespace thn::ayuda
