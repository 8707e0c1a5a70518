// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A panel painted with a vertical gradient through three colours; its
// controls' notifications and colour questions go on to its parent, the
// window that knows what they mean.

#include <windows.h>

namespace thn::win32 {

struct Degradado {
    COLORREF arriba;
    COLORREF medio;
    COLORREF abajo;
};

// `degradado` must outlive the panel.
HWND CrearPanelDegradado(HWND padre, const Degradado& degradado);

}  // namespace thn::win32
