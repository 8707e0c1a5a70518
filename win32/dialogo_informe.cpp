// SPDX-License-Identifier: EUPL-1.2
#include "win32/dialogo_informe.h"

#include "base/error.h"
#include "ventana/guardar_informe.h"
#include "win32/cajas.h"
#include "win32/clase_ventana.h"
#include "win32/dialogo_archivo.h"
#include "win32/ppp.h"
#include "win32/texto.h"

#include <algorithm>
#include <cstring>

namespace thn::win32 {
namespace {

constexpr const wchar_t* kClase = L"THNInforme";
constexpr int kCopiar = 201;
constexpr int kGuardar = 202;

HWND Control(HWND padre, const wchar_t* clase, const wchar_t* texto, DWORD estilo, int id, DWORD estilo_ext = 0)
{
    HWND control = CreateWindowExW(estilo_ext, clase, texto, WS_CHILD | WS_VISIBLE | estilo, 0, 0, 0, 0, padre,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (!control)
        throw Error("No se puede crear la ventana del informe");
    return control;
}

}  // namespace

DialogoInforme::DialogoInforme(HWND propietario, std::string informe, std::filesystem::path guardar_como)
    : propietario_(propietario ? GetAncestor(propietario, GA_ROOT) : nullptr), informe_(std::move(informe)),
      guardar_como_(std::move(guardar_como))
{
}

void DialogoInforme::Crear()
{
    RegistrarClase(kClase, ProcedimientoDe<DialogoInforme>, GetSysColorBrush(COLOR_BTNFACE));
    ventana_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClase, L"TransHoraliaNorvica: informe",
                               WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                               propietario_, nullptr, GetModuleHandleW(nullptr), this);
    if (!ventana_)
        throw Error("No se puede crear la ventana del informe");
    const UINT ppp = PppDe(ventana_);
    NONCLIENTMETRICSW metricas{};
    metricas.cbSize = sizeof metricas;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metricas, &metricas, 0);
    fuente_.reset(CreateFontIndirectW(&metricas.lfMessageFont));
    fija_.reset(CreateFontW(-Escalar(13, ppp), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN,
                            L"Consolas"));

    // The label names the text for a screen reader; the text takes Tab first.
    rotulo_ = Control(ventana_, L"STATIC", L"Informe de la transformación:", SS_LEFT, -1);
    texto_ = Control(ventana_, L"EDIT", L"",
                     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL
                         | ES_AUTOHSCROLL,
                     -1, WS_EX_CLIENTEDGE);
    copiar_ = Control(ventana_, L"BUTTON", L"&Copiar", WS_TABSTOP | BS_PUSHBUTTON, kCopiar);
    guardar_ = Control(ventana_, L"BUTTON", L"&Guardar...", WS_TABSTOP | BS_PUSHBUTTON, kGuardar);
    cerrar_ = Control(ventana_, L"BUTTON", L"Cerrar", WS_TABSTOP | BS_DEFPUSHBUTTON, IDCANCEL);
    for (HWND c : {rotulo_, copiar_, guardar_, cerrar_})
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(fuente_.get()), TRUE);
    SendMessageW(texto_, WM_SETFONT, reinterpret_cast<WPARAM>(fija_.get()), TRUE);
    SendMessageW(texto_, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(texto_, LineasWindows(informe_).c_str());

    // Wide and tall enough for the text, within most of the screen.
    HDC dc = GetDC(texto_);
    const HGDIOBJ antes = SelectObject(dc, fija_.get());
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, antes);
    ReleaseDC(texto_, dc);
    std::size_t columnas = 0, lineas = 1, actual = 0;
    for (char c : informe_) {
        if (c == '\n') {
            ++lineas;
            actual = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            columnas = std::max(columnas, ++actual);
        }
    }
    RECT trabajo;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &trabajo, 0);
    const int maximo_ancho = static_cast<int>(trabajo.right - trabajo.left) * 9 / 10;
    const int maximo_alto = static_cast<int>(trabajo.bottom - trabajo.top) * 9 / 10;
    const int ancho = std::min(std::max(static_cast<int>(columnas * tm.tmAveCharWidth) + Escalar(60, ppp),
                                        Escalar(420, ppp)), maximo_ancho);
    const int alto = std::min(std::max(static_cast<int>(lineas * tm.tmHeight) + Escalar(110, ppp),
                                       Escalar(240, ppp)), maximo_alto);
    SetWindowPos(ventana_, nullptr, trabajo.left + (trabajo.right - trabajo.left - ancho) / 2,
                 trabajo.top + (trabajo.bottom - trabajo.top - alto) / 2, ancho, alto, SWP_NOZORDER);
    Colocar();
}

void DialogoInforme::Colocar()
{
    RECT r;
    GetClientRect(ventana_, &r);
    const UINT ppp = PppDe(ventana_);
    const int margen = Escalar(8, ppp), boton_ancho = Escalar(90, ppp), boton_alto = Escalar(25, ppp),
              rotulo_alto = Escalar(18, ppp);
    MoveWindow(rotulo_, margen, margen, r.right - 2 * margen, rotulo_alto, TRUE);
    MoveWindow(texto_, margen, margen + rotulo_alto, r.right - 2 * margen,
               std::max(0L, r.bottom - 3 * margen - boton_alto - rotulo_alto), TRUE);
    int x = r.right - margen - boton_ancho;
    for (HWND b : {cerrar_, guardar_, copiar_}) {
        MoveWindow(b, x, r.bottom - margen - boton_alto, boton_ancho, boton_alto, TRUE);
        x -= boton_ancho + margen;
    }
}

void DialogoInforme::Ejecutar()
{
    Crear();
    const Ventana propia(ventana_);
    // Modal: the owner takes no input until the report closes.
    const bool habilitado = propietario_ && IsWindowEnabled(propietario_);
    if (habilitado)
        EnableWindow(propietario_, FALSE);
    ShowWindow(ventana_, SW_SHOW);
    SetFocus(texto_);
    MSG m;
    while (!terminado_) {
        const BOOL r = GetMessageW(&m, nullptr, 0, 0);
        if (r <= 0) {
            if (r == 0)
                PostQuitMessage(static_cast<int>(m.wParam));  // for the loop that owns the program
            break;
        }
        if (!IsDialogMessageW(ventana_, &m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    if (habilitado)
        EnableWindow(propietario_, TRUE);
    // Activation goes back to the owner before this window is destroyed.
    ShowWindow(ventana_, SW_HIDE);
}

void DialogoInforme::Copiar()
{
    const std::wstring texto = LineasWindows(informe_);
    if (!OpenClipboard(ventana_))
        return;
    EmptyClipboard();
    const std::size_t bytes = (texto.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memoria = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memoria), texto.c_str(), bytes);
        GlobalUnlock(memoria);
        if (!SetClipboardData(CF_UNICODETEXT, memoria))
            GlobalFree(memoria);  // the clipboard took it otherwise
    }
    CloseClipboard();
}

void DialogoInforme::Guardar()
{
    const auto ruta = PedirArchivo(ventana_, {true, "Guardar el informe", "Texto (*.txt)", "*.txt", "txt", guardar_como_});
    if (!ruta)
        return;
    try {
        ventana::GuardarInforme(*ruta, informe_);
        guardar_como_ = *ruta;
    } catch (const Error& ex) {
        MostrarCaja(ventana_, Icono::Error, ex.what(), ex.Detalle());
    }
}

bool DialogoInforme::Mensaje(HWND, UINT mensaje, WPARAM w, LPARAM, LRESULT& resultado)
{
    switch (mensaje) {
    case WM_SIZE:
        if (texto_)
            Colocar();
        return false;
    case WM_COMMAND:
        switch (LOWORD(w)) {
        case kCopiar:
            Copiar();
            return true;
        case kGuardar:
            Guardar();
            return true;
        case IDOK:
        case IDCANCEL:
            terminado_ = true;
            return true;
        default:
            return false;
        }
    case WM_CLOSE:
        terminado_ = true;
        resultado = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace thn::win32
