// SPDX-License-Identifier: EUPL-1.2
#include "win32/ventana_principal.h"

#include "base/error.h"
#include "win32/clase_ventana.h"
#include "win32/ppp.h"

namespace thn::win32 {
namespace {

constexpr const wchar_t* kClase = L"TransHoraliaNorvica";
constexpr UINT_PTR kDevolverFoco = 1;
// How long after a box or dialog closes its owner's activation may still
// arrive and take the focus.
constexpr ULONGLONG kActivacionTardia = 1000;
constexpr UINT kAyudaF1 = WM_APP + 1;
// Size of the client area and the standalone window's place, at 96 DPI.
constexpr int kAncho = 632;
constexpr int kAlto = 266;
constexpr int kIzquierda = 194;
constexpr int kArriba = 167;

constexpr DWORD kEstiloSolo = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kEstiloExtSolo = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr DWORD kEstiloIncrustada = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

// The help window of this thread, if one is open. A named callback: a
// lambda cannot be a 32-bit stdcall function.
BOOL CALLBACK EsVentanaAyuda(HWND v, LPARAM l)
{
    wchar_t clase[32];
    if (IsWindowVisible(v) && GetClassNameW(v, clase, 32) && lstrcmpW(clase, L"HH Parent") == 0) {
        *reinterpret_cast<HWND*>(l) = v;
        return FALSE;
    }
    return TRUE;
}

HWND VentanaAyuda()
{
    HWND encontrada = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), EsVentanaAyuda, reinterpret_cast<LPARAM>(&encontrada));
    return encontrada;
}

}  // namespace

VentanaPrincipal::VentanaPrincipal(ventana::Entorno entorno, InteraccionWin32& interaccion)
    : flujo_(std::move(entorno), *this)
{
    RegistrarClase(kClase, ProcedimientoDe<VentanaPrincipal>, GetSysColorBrush(COLOR_BTNFACE));
    ventana_ = CreateWindowExW(kEstiloExtSolo, kClase, L"Exportar e importar datos entre Horalia y NORVICA",
                               kEstiloSolo, 0, 0, kAncho, kAlto, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!ventana_)
        throw Error("No se puede crear la ventana principal");
    interaccion.PonerVentana(ventana_);
    CrearComponentes();
    const UINT ppp = PppDe(ventana_);
    const SIZE marco = TamanoConMarco(kAncho, kAlto, kEstiloSolo, kEstiloExtSolo, ppp);
    SetWindowPos(ventana_, nullptr, Escalar(kIzquierda, ppp), Escalar(kArriba, ppp), marco.cx, marco.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Colocar(ppp);
    flujo_.FormCreate();
    ShowWindow(ventana_, SW_SHOW);
    UpdateWindow(ventana_);
    // The first tab stop: the visible direction's button.
    SetFocus(solo_ == ventana::Panel::Importar ? BImportar : BExportar);
}

VentanaPrincipal::~VentanaPrincipal()
{
    if (IsWindow(ventana_))
        DestroyWindow(ventana_);
}

void VentanaPrincipal::Incrustar(std::int32_t anfitrion, lanzador::Desplazamiento origen)
{
    // Handles are 32-bit values, sign-extended as Windows does.
    HWND host = reinterpret_cast<HWND>(static_cast<INT_PTR>(anfitrion));
    if (!IsWindow(host))
        throw ventana::AnfitrionInexistente(anfitrion);
    const LONG_PTR estilo = GetWindowLongPtrW(ventana_, GWL_STYLE);
    const LONG_PTR estilo_ext = GetWindowLongPtrW(ventana_, GWL_EXSTYLE);
    SetWindowLongPtrW(ventana_, GWL_STYLE, (estilo & WS_VISIBLE) | kEstiloIncrustada);
    SetWindowLongPtrW(ventana_, GWL_EXSTYLE, WS_EX_CONTROLPARENT);
    // SetParent may leave an error code set while it succeeds: only its answer counts.
    if (!SetParent(ventana_, host)) {
        SetWindowLongPtrW(ventana_, GWL_STYLE, estilo);
        SetWindowLongPtrW(ventana_, GWL_EXSTYLE, estilo_ext);
        throw ventana::AnfitrionNoIncrustable(anfitrion);
    }
    incrustada_ = true;
    const UINT ppp = PppDe(ventana_);
    SetWindowPos(ventana_, nullptr, origen.x, origen.y, Escalar(kAncho, ppp), Escalar(kAlto, ppp),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Colocar(ppp);
    // A host that ends may take this window with it without a word: its
    // process tells.
    DWORD proceso = 0;
    GetWindowThreadProcessId(host, &proceso);
    if (proceso != GetCurrentProcessId())
        proceso_anfitrion_.reset(OpenProcess(SYNCHRONIZE, FALSE, proceso));
}

void VentanaPrincipal::MostrarSoloPanel(ventana::Panel panel)
{
    solo_ = panel;
    // The other panels are covered: hidden, so that Tab never reaches them.
    ShowWindow(Draw3D1, SW_HIDE);
    ShowWindow(panel == ventana::Panel::Importar ? Draw3D2 : Draw3D3, SW_HIDE);
    Colocar(PppDe(ventana_));
}

void VentanaPrincipal::Cerrar()
{
    // After the handler that asks for it has returned.
    PostMessageW(ventana_, WM_CLOSE, 0, 0);
}

void VentanaPrincipal::Ocupado(bool ocupado)
{
    ocupado_ = ocupado;
    SetCursor(LoadCursorW(nullptr, ocupado ? IDC_WAIT : IDC_ARROW));
}

HWND VentanaPrincipal::Foco() const
{
    HWND foco = GetFocus();
    return foco && IsChild(ventana_, foco) ? foco : nullptr;
}

template <typename Manejador>
void VentanaPrincipal::Accion(Manejador manejador)
{
    if (HWND foco = Foco())
        foco_ = foco;
    manejador();
    if (cerrada_ || !IsWindow(ventana_))
        return;
    // Embedded, closing a box activates the host's window, which takes the
    // focus a moment later: it is given back for a while. An open help
    // window keeps it until it closes.
    if (!ayuda_)
        DevolverFoco();
    devolver_hasta_ = GetTickCount64() + kActivacionTardia;
    SetTimer(ventana_, kDevolverFoco, 100, nullptr);
}

void VentanaPrincipal::DevolverFoco()
{
    if (!Foco() && foco_ && IsWindowVisible(foco_) && IsWindowEnabled(foco_))
        SetFocus(foco_);
}

void VentanaPrincipal::Pulsado(int id)
{
    switch (id) {
    case IDOK: {
        // Enter: the focused button, else the visible direction's, the left first.
        HWND foco = Foco();
        wchar_t clase[16] = L"";
        if (foco)
            GetClassNameW(foco, clase, 16);
        if (foco && lstrcmpiW(clase, L"Button") == 0)
            Pulsado(GetDlgCtrlID(foco));
        else
            Pulsado(IsWindowVisible(Draw3D2) ? GetDlgCtrlID(BExportar) : GetDlgCtrlID(BImportar));
        return;
    }
    case IDCANCEL:  // Esc, as in a dialog
        SendMessageW(ventana_, WM_CLOSE, 0, 0);
        return;
    default:
        break;
    }
    if (id == GetDlgCtrlID(BExportar))
        Accion([this] { flujo_.BExportarClick(); });
    else if (id == GetDlgCtrlID(BImportar))
        Accion([this] { flujo_.BImportarClick(); });
    else if (id == GetDlgCtrlID(Button1))
        Accion([this] {
            flujo_.Button1Click();
            DespuesDeAyuda();
        });
    else if (id == GetDlgCtrlID(BClose))
        SendMessageW(ventana_, WM_CLOSE, 0, 0);
}

void VentanaPrincipal::DespuesDeAyuda()
{
    // Closing the help window activates its owner, the host when embedded:
    // the focus comes back here once it has gone.
    ayuda_ = VentanaAyuda();
}

void VentanaPrincipal::Terminar()
{
    if (cerrada_)
        return;
    cerrada_ = true;
    flujo_.FormClose();
}

bool VentanaPrincipal::Mensaje(HWND ventana, UINT mensaje, WPARAM w, LPARAM l, LRESULT& resultado)
{
    switch (mensaje) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED) {
            Pulsado(LOWORD(w));
            return true;
        }
        return false;
    case kAyudaF1:
        Accion([this] {
            flujo_.AyudaF1();
            DespuesDeAyuda();
        });
        return true;
    case WM_CTLCOLORSTATIC: {
        // The labels are transparent on the gradients.
        HDC dc = reinterpret_cast<HDC>(w);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, reinterpret_cast<HWND>(l) == Label1 ? RGB(0xFF, 0, 0) : RGB(0, 0, 0));
        resultado = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
    }
    case WM_CTLCOLORBTN:
        resultado = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
    case WM_SETCURSOR:
        if (!ocupado_)
            return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        resultado = TRUE;
        return true;
    case WM_ACTIVATE:
        // As a dialog: the focus goes back to the control that had it.
        if (LOWORD(w) == WA_INACTIVE) {
            if (HWND foco = Foco())
                foco_ = foco;
        } else {
            SetFocus(foco_ && IsWindowVisible(foco_) ? foco_ : (solo_ == ventana::Panel::Importar ? BImportar : BExportar));
        }
        resultado = 0;
        return true;
    case WM_TIMER:
        if (w != kDevolverFoco)
            return false;
        if (ayuda_ && !IsWindow(ayuda_)) {
            ayuda_ = nullptr;
            devolver_hasta_ = GetTickCount64() + kActivacionTardia;
        }
        if (ayuda_)
            return true;
        DevolverFoco();
        if (GetTickCount64() > devolver_hasta_)
            KillTimer(ventana, kDevolverFoco);
        return true;
    case WM_DPICHANGED:
        Colocar(HIWORD(w));
        if (!incrustada_) {
            const auto* r = reinterpret_cast<const RECT*>(l);
            SetWindowPos(ventana, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return true;
    case WM_CLOSE:
        // The close is abandoned when the host could not be told.
        if (cerrada_ || flujo_.FormClose()) {
            cerrada_ = true;
            DestroyWindow(ventana);
        }
        return true;
    case WM_DESTROY:
        // Also when the host destroys its window, and this one with it.
        Terminar();
        PostQuitMessage(0);
        return true;
    default:
        return false;
    }
}

int VentanaPrincipal::Ejecutar()
{
    for (;;) {
        HANDLE anfitrion = proceso_anfitrion_.get();
        const DWORD n = anfitrion ? 1 : 0;
        const DWORD r = MsgWaitForMultipleObjectsEx(n, n ? &anfitrion : nullptr, INFINITE, QS_ALLINPUT,
                                                    MWMO_INPUTAVAILABLE);
        if (n && r == WAIT_OBJECT_0) {
            // The host has ended, and under Wine this window may have gone
            // with it, silently.
            Terminar();
            return 0;
        }
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT)
                return static_cast<int>(m.wParam);
            const bool nuestra = m.hwnd == ventana_ || IsChild(ventana_, m.hwnd);
            if (nuestra && m.message == WM_KEYDOWN && m.wParam == VK_F1) {
                SendMessageW(ventana_, kAyudaF1, 0, 0);
                continue;
            }
            // Esc closes, as in a dialog (not every dialog manager says so
            // to a window that is not a dialog).
            if (nuestra && m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
                SendMessageW(ventana_, WM_COMMAND, IDCANCEL, 0);
                continue;
            }
            if (nuestra && IsDialogMessageW(ventana_, &m))
                continue;
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
}

}  // namespace thn::win32
