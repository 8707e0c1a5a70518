// SPDX-License-Identifier: EUPL-1.2
// The window's components, placed as the host's users know them and scaled
// to the window's DPI.

#include "base/error.h"
#include "win32/ppp.h"
#include "win32/ventana_principal.h"

namespace thn::win32 {
namespace {

enum Id : int { kExportar = 1001, kImportar, kAyuda, kSalir };

HWND Control(HWND padre, const wchar_t* clase, const wchar_t* texto, DWORD estilo, int id = -1)
{
    HWND control = CreateWindowExW(0, clase, texto, WS_CHILD | WS_VISIBLE | estilo, 0, 0, 0, 0, padre,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (!control)
        throw Error("No se puede crear un control de la ventana");
    return control;
}

HWND Boton(HWND panel, const wchar_t* texto, int id, bool por_defecto = false)
{
    return Control(panel, L"BUTTON", texto, WS_TABSTOP | (por_defecto ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), id);
}

HFONT CrearFuente(const wchar_t* familia, int pixeles, bool negrita, UINT ppp)
{
    return CreateFontW(-Escalar(pixeles, ppp), 0, 0, 0, negrita ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, familia);
}

struct Lugar {
    HWND control;
    int izquierda, arriba, ancho, alto;
};

}  // namespace

void VentanaPrincipal::CrearComponentes()
{
    // Tab follows the order of creation: left panel, right panel, then
    // help and exit at the bottom, as the eye reads them. The bottom panel
    // lies beneath the others where they meet.
    Draw3D2 = CrearPanelDegradado(ventana_, superior_);
    Label3 = Control(Draw3D2, L"STATIC", L"Transformar datos desde NORVICA hacia Horalia ", SS_LEFT);
    BExportar = Boton(Draw3D2, L"Aceptar", kExportar, true);
    Draw3D3 = CrearPanelDegradado(ventana_, superior_);
    Label4 = Control(Draw3D3, L"STATIC", L"Transformar datos desde Horalia hacia NORVICA", SS_LEFT);
    BImportar = Boton(Draw3D3, L"Aceptar", kImportar, true);
    Draw3D1 = CrearPanelDegradado(ventana_, inferior_);
    Label1 = Control(Draw3D1, L"STATIC", L"TransHoraliaNorvica para QV27 V-1.0", SS_LEFT | SS_NOPREFIX);
    Button1 = Boton(Draw3D1, L"F1 Ayuda", kAyuda);
    BClose = Boton(Draw3D1, L"&Salir", kSalir);
}

void VentanaPrincipal::Colocar(UINT ppp)
{
    fuente_.reset(CrearFuente(L"MS Sans Serif", 11, false, ppp));
    version_.reset(CrearFuente(L"MS Sans Serif", 11, true, ppp));
    titular_.reset(CrearFuente(L"Arial", 16, true, ppp));
    for (HWND c : {BClose, Button1, BExportar, BImportar})
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(fuente_.get()), FALSE);
    SendMessageW(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(version_.get()), FALSE);
    for (HWND c : {Label3, Label4})
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(titular_.get()), FALSE);

    const bool solo_exportar = solo_ == ventana::Panel::Exportar, solo_importar = solo_ == ventana::Panel::Importar;
    // A panel shown alone covers the whole client area.
    const Lugar lugares[] = {
        {Draw3D1, 0, 168, 633, 97},
        {Label1, 8, 72, 233, 13},
        {BClose, 256, 32, 89, 25},
        {Button1, 48, 40, 75, 25},
        solo_exportar ? Lugar{Draw3D2, 0, 0, 632, 266} : Lugar{Draw3D2, 0, 0, 315, 169},
        {Label3, 24, 24, 265, 57},
        {BExportar, 96, 120, 89, 25},
        solo_importar ? Lugar{Draw3D3, 0, 0, 632, 266} : Lugar{Draw3D3, 316, 0, 317, 169},
        {Label4, 8, 24, 305, 57},
        {BImportar, 96, 120, 89, 25},
    };
    for (const Lugar& l : lugares)
        SetWindowPos(l.control, nullptr, Escalar(l.izquierda, ppp), Escalar(l.arriba, ppp), Escalar(l.ancho, ppp),
                     Escalar(l.alto, ppp), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(ventana_, nullptr, TRUE);
}

}  // namespace thn::win32
