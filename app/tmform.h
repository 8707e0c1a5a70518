// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The main window: the export on the left, the import on the right, the
// version, "Salir" and help at the bottom. Started by the host with a
// direction and a window handle, it lives inside that window, shows only that
// direction, closes when the action ends and reports the outcome in the
// host's INI file.

#include "app/anfitrion_wine.h"
#include "app/incrustador.h"
#include "app/interaccion.h"
#include "exportar/registros_codigos.h"
#include "formats/componentes_tabla.h"
#include "formats/informe.h"
#include "help/sistema_ayuda.h"
#include "importar/reloj.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace thn::app {

class TDraw3D;

// Everything the window takes from outside.
struct EntornoVentana {
    Interaccion& interaccion;
    ayuda::SistemaAyuda& ayuda;
    Incrustador& incrustador;
    std::vector<std::string> argumentos;        // as the user gave them, the program first
    std::filesystem::path directorio_programa;  // the program's real directory
    std::filesystem::path directorio_trabajo;   // Horalia's working directory
    char separador = ',';                       // decimal separator of numbers the import writes
    Reloj reloj;                                // time stamp of the import
    AnfitrionWine wine{};                       // set when started by the Wine launcher
};

// Outcome status reported to the host.
constexpr int kSinAccion = 0;
constexpr int kCompletado = 1;
constexpr int kFaltaEntrada = -1;

class TMForm : public QWidget {
    Q_OBJECT

public:
    explicit TMForm(EntornoVentana entorno);
    ~TMForm() override;

    int EstadoTransformado() const { return EstadoTransformado_; }
    int NumParametros() const { return NumParametros_; }
    const std::filesystem::path& FicheroXML() const { return FicheroXML_; }

    void BExportarClick();
    void BImportarClick();
    void Button1Click();

signals:
    // The window has closed for good; the program ends.
    void Cerrada();

protected:
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void CrearComponentes();
    void FormCreate();
    void Incrustar(std::int32_t anfitrion);
    bool FormClose();
    // False when the user cancels the dialog.
    bool ElegirFicheroXML();
    // One direction: the file, the action, and what the user is told.
    // `falta` is the direction's message for a missing input.
    void Accion(const std::string& falta, const std::function<ResultadoAccion()>& accion);
    // Runs an action under the busy cursor; an error is shown and gives nullopt.
    std::optional<ResultadoAccion> Ejecutar(const std::function<ResultadoAccion()>& accion);
    void Finalizado(const ResultadoAccion& resultado);
    void FaltaEntrada(const std::string& mensaje, const std::string& detalle);

    EntornoVentana e_;
    int EstadoTransformado_ = kSinAccion;
    int NumParametros_ = 0;
    std::filesystem::path FicheroXML_;
    RegistrosCodigos registros_;     // ListaCodigos, ListaNombres
    ComponentesTabla componentes_;   // wwTableNomAsg ... wwTableCursos

    TDraw3D* Draw3D1 = nullptr;
    TDraw3D* Draw3D2 = nullptr;
    TDraw3D* Draw3D3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* BClose = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BExportar = nullptr;
    QPushButton* BImportar = nullptr;
};

}  // namespace thn::app
