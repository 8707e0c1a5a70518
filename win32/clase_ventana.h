// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A window class whose messages reach a C++ object: the object's address
// travels in CreateWindowEx's parameter and lives in GWLP_USERDATA. No
// exception leaves a window procedure: one that escapes a handler is shown
// in the application's error box.

#include "base/error.h"
#include "win32/texto.h"

#include <windows.h>

namespace thn::win32 {

// The error box for a failure no handler expected; the window stays.
void CajaErrorInesperado(HWND propietario, const std::string& texto, const std::string& detalle);

// T has `bool Mensaje(HWND, UINT, WPARAM, LPARAM, LRESULT&)`: false leaves
// the message to DefWindowProc.
template <typename T>
LRESULT CALLBACK ProcedimientoDe(HWND ventana, UINT mensaje, WPARAM w, LPARAM l)
{
    if (mensaje == WM_NCCREATE)
        SetWindowLongPtrW(ventana, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    auto* objeto = reinterpret_cast<T*>(GetWindowLongPtrW(ventana, GWLP_USERDATA));
    if (objeto) {
        try {
            LRESULT resultado = 0;
            if (objeto->Mensaje(ventana, mensaje, w, l, resultado))
                return resultado;
        } catch (const Error& ex) {
            CajaErrorInesperado(ventana, TextoCajaError(ex.what()), ex.Detalle());
            return 0;
        } catch (const std::exception& ex) {
            CajaErrorInesperado(ventana, TextoCajaError(ex.what()), {});
            return 0;
        }
    }
    if (mensaje == WM_NCDESTROY)
        SetWindowLongPtrW(ventana, GWLP_USERDATA, 0);
    return DefWindowProcW(ventana, mensaje, w, l);
}

// Registers the class once per process; fails with Error.
void RegistrarClase(const wchar_t* nombre, WNDPROC procedimiento, HBRUSH fondo);

}  // namespace thn::win32
