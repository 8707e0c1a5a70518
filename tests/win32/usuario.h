// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Plays a person at the window of another process through window messages:
// finds windows, clicks buttons, types into the file dialog, reads and
// dismisses boxes, and looks at the screen.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace thn::prueba {

using namespace std::chrono_literals;

// Polls `condicion` every 20 ms; false when `limite` passes first.
bool Esperar(const std::function<bool()>& condicion, std::chrono::milliseconds limite = 20s);

std::wstring Texto(HWND ventana);
std::wstring Clase(HWND ventana);
// Every descendant, in EnumChildWindows' order.
std::vector<HWND> Descendientes(HWND ventana);
// The visible descendants of class "Button", left to right, top to bottom.
std::vector<HWND> BotonesVisibles(HWND ventana);
HWND BotonLlamado(HWND ventana, const std::wstring& texto);

// A visible top-level window of this class and title; null after 20 s.
HWND EsperarVentana(const wchar_t* clase, const wchar_t* titulo);
bool EsperarQueSeCierre(HWND ventana, std::chrono::milliseconds limite = 20s);

// The button's click, posted: a handler that opens a dialog keeps it.
void Pulsar(HWND boton);
// A key posted to the control that has the focus in `ventana`'s thread.
void Tecla(HWND ventana, WPARAM tecla);
HWND Foco(HWND ventana);

// The file dialog "Archivo XML": the name field's text when it opened, then
// `ruta` typed and accepted; or cancelled when `ruta` is empty.
std::wstring ResponderDialogoArchivo(const std::filesystem::path& ruta, const wchar_t* titulo = L"Archivo XML");
// The clipboard's text.
std::wstring Portapapeles();

// The box "TransHoraliaNorvica": its texts, one per line; then the button
// `boton` pressed.
std::wstring ResponderCaja(const std::wstring& boton = L"Aceptar");

struct Proceso {
    HANDLE h = nullptr;
    DWORD id = 0;
    Proceso() = default;
    Proceso(Proceso&& otro) noexcept : h(std::exchange(otro.h, nullptr)), id(otro.id) {}
    Proceso(const Proceso&) = delete;
    ~Proceso();
    // Exit status, or -1 while it runs after `limite`.
    long Esperar(std::chrono::milliseconds limite) const;
};
// Starts a program with its output to NUL; `linea` is the whole command line.
Proceso Arrancar(const std::wstring& linea);
Proceso ProcesoDe(HWND ventana);

// A screenshot of a top-level window's rectangle.
struct Imagen {
    int ancho = 0;
    int alto = 0;
    std::vector<std::uint32_t> pixeles;  // 0x00RRGGBB, row after row
    COLORREF Pixel(int x, int y) const;
};
Imagen Capturar(HWND ventana);
// As PNG; false when Windows' imaging component cannot.
bool GuardarPng(const Imagen& imagen, const std::filesystem::path& ruta);

}  // namespace thn::prueba
