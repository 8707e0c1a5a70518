// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The main window as Win32 draws it: the export on the left, the import on
// the right, the version, "Salir" and help at the bottom. What it does lives
// in ventana::Controlador; the window draws, forwards its events and does
// what the flow asks of it. Embedded, it lives as a child of the host's
// window and ends with the host.

#include "ventana/controlador.h"
#include "win32/interaccion_win32.h"
#include "win32/panel_degradado.h"
#include "win32/recursos.h"

#include <windows.h>

namespace thn::win32 {

class VentanaPrincipal final : private ventana::Vista {
public:
    // Creates the window and runs the flow's FormCreate; shows it.
    // Boxes and dialogs are placed over the window from its creation on.
    VentanaPrincipal(ventana::Entorno entorno, InteraccionWin32& interaccion);
    ~VentanaPrincipal() override;
    VentanaPrincipal(const VentanaPrincipal&) = delete;
    VentanaPrincipal& operator=(const VentanaPrincipal&) = delete;

    HWND Hwnd() const { return ventana_; }
    // The message loop, until the window has closed or the host has ended.
    int Ejecutar();

    bool Mensaje(HWND ventana, UINT mensaje, WPARAM w, LPARAM l, LRESULT& resultado);

private:
    // Vista
    void Incrustar(std::int32_t anfitrion, lanzador::Desplazamiento origen) override;
    void MostrarSoloPanel(ventana::Panel panel) override;
    void Cerrar() override;
    void Ocupado(bool ocupado) override;

    void CrearComponentes();
    // Places every control and sets the fonts for the window's DPI.
    void Colocar(UINT ppp);
    void Pulsado(int id);
    // Runs one of the flow's handlers as a click does, and gives the focus
    // back to the control that had it: the dialogs' owner (the host, when
    // embedded) takes it when they close.
    template <typename Manejador>
    void Accion(Manejador manejador);
    // F1 and the help button: the help window is watched, to take the focus
    // back when it closes.
    void DespuesDeAyuda();
    // To our control that last had it, when no control of ours has it.
    void DevolverFoco();
    // Closing for good: the host is told, unless it already was.
    void Terminar();
    HWND Foco() const;

    ventana::Controlador flujo_;
    HWND ventana_ = nullptr;
    Manejador proceso_anfitrion_;       // waited on while embedded
    bool incrustada_ = false;
    ventana::Panel solo_ = ventana::Panel::Ambos;
    bool cerrada_ = false;              // the flow's FormClose has run and agreed
    bool ocupado_ = false;
    HWND foco_ = nullptr;               // our control that last had the focus
    HWND ayuda_ = nullptr;              // the help window being watched
    ULONGLONG devolver_hasta_ = 0;      // the focus is given back until then

    const Degradado inferior_{RGB(0xC2, 0xCD, 0xFE), RGB(0xCF, 0xF2, 0xFE), RGB(0xCC, 0xD8, 0xE6)};
    const Degradado superior_{RGB(0xF9, 0xD3, 0x7D), RGB(0xFF, 0xFF, 0xFF), RGB(0xFF, 0xEE, 0xDD)};
    HWND Draw3D1 = nullptr, Draw3D2 = nullptr, Draw3D3 = nullptr;
    HWND Label1 = nullptr, Label3 = nullptr, Label4 = nullptr;
    HWND BClose = nullptr, Button1 = nullptr, BExportar = nullptr, BImportar = nullptr;
    Fuente fuente_;      // MS Sans Serif, 11 pixels
    Fuente version_;     // the same, bold
    Fuente titular_;     // Arial, 16 pixels, bold
};

}  // namespace thn::win32
