// SPDX-License-Identifier: EUPL-1.2
#include "win32/cajas.h"

#include "win32/texto.h"

#include <commctrl.h>

namespace thn::win32 {
namespace {

constexpr int kAceptar = 100;
constexpr int kDetalles = 101;

}  // namespace

bool MostrarCaja(HWND propietario, Icono icono, const std::string& texto, const std::string& informativo,
                 bool con_detalles)
{
    const std::wstring contenido = LineasWindows(informativo.empty() ? texto : texto + "\r\n\r\n" + informativo);
    const TASKDIALOG_BUTTON botones[] = {{kAceptar, L"Aceptar"}, {kDetalles, L"Detalles..."}};
    TASKDIALOGCONFIG c{};
    c.cbSize = sizeof c;
    c.hwndParent = propietario;
    c.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    c.pszWindowTitle = L"TransHoraliaNorvica";
    c.pszMainIcon = icono == Icono::Aviso ? TD_WARNING_ICON : icono == Icono::Error ? TD_ERROR_ICON : nullptr;
    c.pszContent = contenido.c_str();
    c.pButtons = botones;
    c.cButtons = con_detalles ? 2 : 1;
    c.nDefaultButton = kAceptar;
    int pulsado = 0;
    if (SUCCEEDED(TaskDialogIndirect(&c, &pulsado, nullptr, nullptr)))
        return pulsado == kDetalles;
    // Without the common controls' box, the system's own still tells the user.
    MessageBoxW(propietario, contenido.c_str(), L"TransHoraliaNorvica",
                MB_OK | (icono == Icono::Error ? MB_ICONERROR : icono == Icono::Aviso ? MB_ICONWARNING : 0));
    return false;
}

}  // namespace thn::win32
