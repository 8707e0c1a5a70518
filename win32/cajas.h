// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The application's message boxes: titled "TransHoraliaNorvica", one button
// "Aceptar" (Enter and Esc both take it), the text and under it, when
// given, a second paragraph naming the path or place it is about.

#include <windows.h>

#include <string>

namespace thn::win32 {

enum class Icono { Ninguno, Aviso, Error };

// Answers true when the user asked for the details (`con_detalles` adds
// the button "Detalles...").
bool MostrarCaja(HWND propietario, Icono icono, const std::string& texto, const std::string& informativo,
                 bool con_detalles = false);

}  // namespace thn::win32
