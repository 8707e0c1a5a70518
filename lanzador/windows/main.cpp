// SPDX-License-Identifier: EUPL-1.2
// transhoralianorvica.exe: what Horalia starts under Wine in place of the
// Windows tool. It finds the X11 window behind the handle Horalia gives,
// starts the Linux desktop program embedded there, waits for its end and exits
// with its status; Horalia then reads "Horalia.ini" in this program's folder.

#include "lanzador/nucleo/configuracion.h"
#include "lanzador/nucleo/entorno.h"
#include "lanzador/nucleo/llamada.h"
#include "lanzador/nucleo/marca.h"
#include "lanzador/nucleo/rutas.h"
#include "proceso.h"
#include "texto.h"
#include "ventana_x11.h"
#include "wine.h"

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

using namespace thn::lanzador;

// Kept whole in the file, where installing looks for it.
[[gnu::used]] constexpr char kMarca[] = "TransHoraliaNorvica: lanzador para Horalia bajo Wine";
static_assert(EsMarcaLanzador(kMarca));

std::vector<std::string> Parametros()
{
    int n = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &n), &LocalFree);
    std::vector<std::string> parametros;
    for (int i = 1; argv && i < n; ++i)
        parametros.push_back(Utf8(argv.get()[i]));
    return parametros;
}

std::filesystem::path CarpetaPropia()
{
    std::wstring ruta(MAX_PATH, L'\0');
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()))) == ruta.size())
        ruta.resize(ruta.size() * 2);
    ruta.resize(n);
    return std::filesystem::path(ruta).parent_path();
}

Configuracion ConfiguracionJunto(const std::filesystem::path& carpeta)
{
    std::ifstream fichero(carpeta / kNombreConfiguracion, std::ios::binary);
    return LeerConfiguracion(std::string(std::istreambuf_iterator<char>(fichero), {}));
}

int Lanzar()
{
    if (!BajoWine()) {
        Caja("Este programa sirve para que Horalia arranque TransHoraliaNorvica en Linux, con Wine; "
             "en Windows no hace nada.",
             MB_ICONERROR);
        return 1;
    }
    const auto carpeta = CarpetaPropia();
    const Configuracion configuracion = ConfiguracionJunto(carpeta);
    if (GetFileAttributesW(Ancho(RutaWindowsDesdeUnix(configuracion.programa)).c_str()) == INVALID_FILE_ATTRIBUTES)
        throw std::runtime_error("No existe el programa " + configuracion.programa);

    Llamada llamada = DecidirLlamada(Parametros());
    std::optional<Incrustacion> incrustacion;
    std::uint32_t x11 = 0;
    if (llamada.modo == Modo::Incrustada) {
        // Handles are 32-bit values, widened with their sign on 64 bits.
        const auto hwnd = reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(llamada.ventana)));
        const auto ventana = ResolverVentana(hwnd);
        const auto directorio = RutaUnix(carpeta.wstring());
        if (!directorio)
            throw std::runtime_error("La carpeta " + Utf8(carpeta.wstring()) + " no tiene ruta de Linux");
        if (ventana) {
            x11 = ventana->id;
            incrustacion = Incrustacion{ventana->desplazamiento, *directorio};
        } else {
            // As the desktop program does with a handle of no window: say so, open alone.
            Caja("No existe la ventana " + TextoHex(llamada.ventana) + " de Horalia.", MB_ICONERROR);
            llamada = DecidirLlamada({});
        }
    }
    return EjecutarYEsperar(configuracion.programa, ParametrosPrograma(llamada, x11),
                            EntornoHijo(EntornoPropio(), incrustacion));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        return Lanzar();
    } catch (const std::exception& e) {
        std::string texto = e.what();
        Caja(texto + (texto.ends_with('.') ? "" : "."), MB_ICONERROR);
    }
    return 1;
}
