// SPDX-License-Identifier: EUPL-1.2
#pragma once
// ventana/: the window's flow, free of any GUI framework.
// Whichever framework draws the window, this is its flow: the run mode
// decided at creation, the remembered FicheroXML, both directions with their
// boxes and outcome status, the help button and F1, and what closing tells
// the host. A front end draws the window, implements Vista and forwards its
// events here; it never decides anything itself.

#include "exportar/registros_codigos.h"
#include "importar/reloj.h"
#include "resultado/informe.h"
#include "trabajo/componentes_tabla.h"
#include "ventana/anfitrion_wine.h"
#include "ventana/interaccion.h"
#include "ventana/modo_ejecucion.h"
#include "ventana/sistema_ayuda.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace thn::ventana {

// Outcome status reported to the host.
constexpr int kSinAccion = 0;
constexpr int kCompletado = 1;
constexpr int kFaltaEntrada = -1;

// The help file and the context shared by the window, its panels and buttons.
constexpr const char* kFicheroAyuda = "NORVICA.chm";
constexpr std::int32_t kContextoAyuda = 3;

// What the flow asks of the drawn window.
class Vista {
public:
    virtual ~Vista() = default;
    // Makes the window a borderless child of the host window, at `origen` of
    // its client area. Throws Error, leaving the window as it was.
    virtual void Incrustar(std::int32_t anfitrion, lanzador::Desplazamiento origen) = 0;
    // Hides the other direction: this panel covers the whole client area,
    // the bottom panel included.
    virtual void MostrarSoloPanel(Panel panel) = 0;
    // Closes the window as the user would; the front end asks PuedeCerrar first.
    virtual void Cerrar() = 0;
    // The busy cursor for the whole application, set and put back.
    virtual void Ocupado(bool ocupado) = 0;
};

// Everything the flow takes from outside.
struct Entorno {
    Interaccion& interaccion;
    ayuda::SistemaAyuda& ayuda;
    std::vector<std::string> argumentos;        // as the user gave them, the program first
    std::filesystem::path directorio_programa;  // the program's real directory
    std::filesystem::path directorio_trabajo;   // Horalia's working directory
    char separador = ',';                       // decimal separator of numbers the import writes
    Reloj reloj;                                // time stamp of the import
    AnfitrionWine wine{};                       // set when started by the Wine launcher
};

class Controlador {
public:
    Controlador(Entorno entorno, Vista& vista);

    // Window creation: finishes an interrupted export, decides the run mode
    // and, embedded, places the window in the host with only its panel.
    void FormCreate();
    void BExportarClick();
    void BImportarClick();
    void Button1Click();
    // F1 anywhere in the window.
    void AyudaF1();
    // Every close: embedded, tells the host the outcome in Horalia.ini.
    // False when it could not, and the window must stay open.
    bool FormClose();

    int EstadoTransformado() const { return EstadoTransformado_; }
    int NumParametros() const { return NumParametros_; }
    const std::filesystem::path& FicheroXML() const { return FicheroXML_; }

private:
    // False when the user cancels the dialog.
    bool ElegirFicheroXML();
    // One direction: the file, the action, and what the user is told.
    // `falta` is the direction's message for a missing input.
    void Accion(const std::string& falta, const std::function<ResultadoAccion()>& accion);
    // Runs an action under the busy cursor; an error is shown and gives nullopt.
    std::optional<ResultadoAccion> Ejecutar(const std::function<ResultadoAccion()>& accion);
    void Finalizado(const ResultadoAccion& resultado);
    void FaltaEntrada(const std::string& mensaje, const std::string& detalle);
    void MostrarError(const std::string& mensaje, const std::string& detalle);
    // The user's own request for help never goes unanswered.
    void AvisarSiNoSeMuestra(bool mostrada);

    Entorno e_;
    Vista& vista_;
    int EstadoTransformado_ = kSinAccion;
    int NumParametros_ = 0;
    std::filesystem::path FicheroXML_;
    RegistrosCodigos registros_;     // ListaCodigos, ListaNombres
    ComponentesTabla componentes_;   // wwTableNomAsg ... wwTableCursos
};

}  // namespace thn::ventana
