// SPDX-License-Identifier: EUPL-1.2
#include "win32/ppp.h"

namespace thn::win32 {
namespace {

// Windows 10's per-monitor calls, looked up so that older Windows runs too.
template <typename F>
F Funcion(const char* nombre)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, nombre))) : nullptr;
}

}  // namespace

UINT PppDe(HWND ventana)
{
    using PorVentana = UINT(WINAPI*)(HWND);
    static const auto por_ventana = Funcion<PorVentana>("GetDpiForWindow");
    if (por_ventana && ventana)
        if (const UINT ppp = por_ventana(ventana))
            return ppp;
    HDC dc = GetDC(nullptr);
    const int ppp = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppp > 0 ? static_cast<UINT>(ppp) : kPppDiseno;
}

SIZE TamanoConMarco(int ancho, int alto, DWORD estilo, DWORD estilo_ext, UINT ppp)
{
    using Ajustar = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto ajustar = Funcion<Ajustar>("AdjustWindowRectExForDpi");
    RECT r{0, 0, Escalar(ancho, ppp), Escalar(alto, ppp)};
    if (!ajustar || !ajustar(&r, estilo, FALSE, estilo_ext, ppp))
        AdjustWindowRectEx(&r, estilo, FALSE, estilo_ext);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace thn::win32
