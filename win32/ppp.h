// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Dots per inch: the window is designed at 96 and scaled to its monitor's.

#include <windows.h>

namespace thn::win32 {

constexpr UINT kPppDiseno = 96;

// The window's DPI (the system's on Windows before 10).
UINT PppDe(HWND ventana);

inline int Escalar(int pixeles, UINT ppp) { return MulDiv(pixeles, static_cast<int>(ppp), kPppDiseno); }

// The window rectangle around a client area of `ancho` x `alto` at `ppp`.
SIZE TamanoConMarco(int ancho, int alto, DWORD estilo, DWORD estilo_ext, UINT ppp);

}  // namespace thn::win32
