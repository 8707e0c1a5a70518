// SPDX-License-Identifier: EUPL-1.2
#include "win32/panel_degradado.h"

#include "base/error.h"
#include "win32/clase_ventana.h"

namespace thn::win32 {
namespace {

constexpr const wchar_t* kClase = L"THNPanelDegradado";

TRIVERTEX Vertice(LONG x, LONG y, COLORREF color)
{
    return {x, y, static_cast<COLOR16>(GetRValue(color) << 8), static_cast<COLOR16>(GetGValue(color) << 8),
            static_cast<COLOR16>(GetBValue(color) << 8), 0};
}

void Pintar(HWND panel, HDC dc)
{
    const auto* d = reinterpret_cast<const Degradado*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
    RECT r;
    GetClientRect(panel, &r);
    if (!d || r.bottom <= 0)
        return;
    // Two bands meeting at the middle colour halfway down.
    const LONG medio = r.bottom / 2;
    TRIVERTEX v[4] = {Vertice(0, 0, d->arriba), Vertice(r.right, medio, d->medio), Vertice(0, medio, d->medio),
                      Vertice(r.right, r.bottom, d->abajo)};
    GRADIENT_RECT bandas[2] = {{0, 1}, {2, 3}};
    GradientFill(dc, v, 4, bandas, 2, GRADIENT_FILL_RECT_V);
}

LRESULT CALLBACK Procedimiento(HWND panel, UINT mensaje, WPARAM w, LPARAM l)
{
    switch (mensaje) {
    case WM_NCCREATE:
        SetWindowLongPtrW(panel, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
        break;
    case WM_ERASEBKGND:
        Pintar(panel, reinterpret_cast<HDC>(w));
        return 1;
    case WM_PRINTCLIENT:  // themed buttons ask for what lies behind their corners
        Pintar(panel, reinterpret_cast<HDC>(w));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(panel, &ps);
        EndPaint(panel, &ps);
        return 0;
    }
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return SendMessageW(GetParent(panel), mensaje, w, l);
    default:
        break;
    }
    return DefWindowProcW(panel, mensaje, w, l);
}

}  // namespace

HWND CrearPanelDegradado(HWND padre, const Degradado& degradado)
{
    RegistrarClase(kClase, Procedimiento, nullptr);
    // Not clipping its children: the labels are transparent and show the
    // gradient painted beneath them. Tab moves into its buttons.
    HWND panel = CreateWindowExW(WS_EX_CONTROLPARENT, kClase, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0,
                                 0, padre, nullptr, GetModuleHandleW(nullptr),
                                 const_cast<Degradado*>(&degradado));
    if (!panel)
        throw Error("No se puede crear un panel de la ventana");
    return panel;
}

}  // namespace thn::win32
