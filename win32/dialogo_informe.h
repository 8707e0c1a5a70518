// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The report of a completed action in a resizable window of its own: a
// read-only text the user can read, select, copy ("Copiar") and save as
// UTF-8 text ("Guardar..."). Modal over its owner's top-level window.

#include "win32/recursos.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace thn::win32 {

class DialogoInforme {
public:
    // `guardar_como` is the name "Guardar..." offers first.
    DialogoInforme(HWND propietario, std::string informe, std::filesystem::path guardar_como);
    // Shows the window and returns when the user closes it.
    void Ejecutar();

    bool Mensaje(HWND ventana, UINT mensaje, WPARAM w, LPARAM l, LRESULT& resultado);

private:
    void Crear();
    void Colocar();
    void Copiar();
    void Guardar();

    HWND propietario_;
    std::string informe_;
    std::filesystem::path guardar_como_;
    HWND ventana_ = nullptr;
    HWND rotulo_ = nullptr;
    HWND texto_ = nullptr;
    HWND copiar_ = nullptr;
    HWND guardar_ = nullptr;
    HWND cerrar_ = nullptr;
    Fuente fuente_;
    Fuente fija_;
    bool terminado_ = false;
};

}  // namespace thn::win32
