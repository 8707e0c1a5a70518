// SPDX-License-Identifier: EUPL-1.2
// transhoralianorvica.exe: the window on Windows. Without parameters it
// shows both directions; Horalia starts it with a direction word and the
// handle of one of its windows to have it live there.

#include "base/error.h"
#include "base/numeros.h"
#include "help/arranque_ayuda.h"
#include "help/plataforma_ayuda.h"
#include "importar/reloj.h"
#include "trabajo/directorio.h"
#include "win32/cajas.h"
#include "win32/interaccion_win32.h"
#include "win32/recursos.h"
#include "win32/texto.h"
#include "win32/ventana_principal.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>

namespace {

std::vector<std::string> Argumentos()
{
    int n = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &n), &LocalFree);
    std::vector<std::string> argumentos;
    for (int i = 0; argv && i < n; ++i)
        argumentos.push_back(thn::win32::Utf8(argv.get()[i]));
    return argumentos;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    using namespace thn;
    const win32::InicioCom com;
    const INITCOMMONCONTROLSEX controles{sizeof controles, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controles);

    const std::filesystem::path programa = ayuda::ProgramaEnCurso();
    // The help viewers register before the window exists and go after it.
    const ayuda::ArranqueAyuda arranque_ayuda(programa);
    HWND propietario_ayuda = nullptr;
    const auto sistema_ayuda = ayuda::CrearSistemaAyuda(
        [&propietario_ayuda] { return reinterpret_cast<std::intptr_t>(propietario_ayuda); });
    sistema_ayuda->PonerFicheroAyuda(ventana::kFicheroAyuda);

    win32::InteraccionWin32 interaccion;
    try {
        win32::VentanaPrincipal ventana(ventana::Entorno{interaccion, *sistema_ayuda, Argumentos(),
                                                         programa.parent_path(), DirectorioTrabajo(),
                                                         SeparadorDecimalDelUsuario(), RelojDelSistema()},
                                        interaccion);
        propietario_ayuda = ventana.Hwnd();
        const int estado = ventana.Ejecutar();
        propietario_ayuda = nullptr;
        return estado;
    } catch (const Error& ex) {
        win32::MostrarCaja(nullptr, win32::Icono::Error, TextoCajaError(ex.what()), ex.Detalle());
    } catch (const std::exception& ex) {
        win32::MostrarCaja(nullptr, win32::Icono::Error, TextoCajaError(ex.what()), {});
    }
    return 1;
}
