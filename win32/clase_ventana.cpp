// SPDX-License-Identifier: EUPL-1.2
#include "win32/clase_ventana.h"

#include "win32/cajas.h"

namespace thn::win32 {

void CajaErrorInesperado(HWND propietario, const std::string& texto, const std::string& detalle)
{
    MostrarCaja(propietario, Icono::Error, texto, detalle);
}

void RegistrarClase(const wchar_t* nombre, WNDPROC procedimiento, HBRUSH fondo)
{
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), nombre, &c))
        return;
    c.cbSize = sizeof c;
    c.lpfnWndProc = procedimiento;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    c.hbrBackground = fondo;
    c.lpszClassName = nombre;
    if (!RegisterClassExW(&c))
        throw Error("No se puede registrar una clase de ventana");
}

}  // namespace thn::win32
