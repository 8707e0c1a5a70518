// SPDX-License-Identifier: EUPL-1.2
#include "help/arranque_ayuda.h"

#include "help/gestor_ayuda.h"
#include "help/sistema_ayuda_gestor.h"
#include "help/ubicacion.h"
#include "help/visor_html_help.h"
#include "help/visor_winhelp.h"

#include <system_error>

#ifndef THN_BIBLIOTECA_HTML_HELP
#define THN_BIBLIOTECA_HTML_HELP "libhhctrl.so"
#endif
// Installed directories of the plugin and of the help file, relative to the
// program's: empty where they are installed beside it.
#ifndef THN_COMPLEMENTO_INSTALADO
#define THN_COMPLEMENTO_INSTALADO ""
#endif
#ifndef THN_AYUDA_INSTALADA
#define THN_AYUDA_INSTALADA ""
#endif

namespace thn::ayuda {
namespace {

namespace fs = std::filesystem;

struct AyudaProceso {
    std::shared_ptr<AplicacionAyuda> aplicacion;
    std::shared_ptr<GestorAyuda> gestor;

    void Terminar()
    {
        if (!gestor)
            return;
        TerminarVexHtmlHelp();
        gestor->Descargar();
        gestor.reset();
        aplicacion.reset();
    }

    // A program that never shut its help down still frees it at exit.
    ~AyudaProceso() { Terminar(); }
};

AyudaProceso& Proceso()
{
    static AyudaProceso proceso;
    return proceso;
}

fs::path ProgramaEnCurso()
{
    std::error_code error;
    fs::path programa = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : programa;
}

}  // namespace

void IniciarAyuda(const fs::path& programa)
{
    AyudaProceso& proceso = Proceso();
    if (proceso.gestor)
        return;
    proceso.aplicacion = std::make_shared<AplicacionAyuda>();
    proceso.aplicacion->programa = programa.empty() ? ProgramaEnCurso() : programa;
    proceso.aplicacion->ayuda_instalada = THN_AYUDA_INSTALADA;
    proceso.gestor = std::make_shared<GestorAyuda>(proceso.aplicacion);
    proceso.gestor->RegisterViewer(std::make_shared<VisorWinHelp>());
    IniciarVexHtmlHelp(*proceso.gestor, proceso.aplicacion,
                       Ubicar(proceso.aplicacion->programa.parent_path(), THN_COMPLEMENTO_INSTALADO,
                              THN_BIBLIOTECA_HTML_HELP));
}

void TerminarAyuda() { Proceso().Terminar(); }

std::unique_ptr<SistemaAyuda> CrearSistemaAyuda(std::function<std::intptr_t()> ventana)
{
    AyudaProceso& proceso = Proceso();
    if (!proceso.gestor)
        return std::make_unique<SistemaAyudaNulo>();
    return std::make_unique<SistemaAyudaGestor>(proceso.aplicacion, proceso.gestor, std::move(ventana));
}

}  // namespace thn::ayuda
