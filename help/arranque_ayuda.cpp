// SPDX-License-Identifier: EUPL-1.2
#include "help/arranque_ayuda.h"

#include "help/gestor_ayuda.h"
#include "help/plataforma_ayuda.h"
#include "help/sistema_ayuda_gestor.h"
#include "help/visor_html_help.h"
#include "help/visor_winhelp.h"

// Installed directory of the help file, relative to the program's: empty
// where it is installed beside it.
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
                       BibliotecaHtmlHelp(proceso.aplicacion->programa.parent_path()));
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
