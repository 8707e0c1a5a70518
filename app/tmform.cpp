// SPDX-License-Identifier: EUPL-1.2
#include "app/tmform.h"

#include "app/ini.h"
#include "app/modo_ejecucion.h"
#include "app/ruta_ini.h"
#include "app/tdraw3d.h"
#include "formats/error.h"
#include "formats/numeros.h"
#include "formats/sesion_trabajo.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace thn::app {
namespace {

constexpr const char* kFicheroAyuda = "NORVICA.chm";
constexpr std::int32_t kContextoAyuda = 3;  // the window, its panels and buttons share it

// The user's own request for help never goes unanswered.
void AvisarSiNoSeMuestra(bool mostrada, const ayuda::SistemaAyuda& ayuda, Interaccion& interaccion)
{
    if (!mostrada)
        interaccion.CajaError(TextoCajaError(
            Formatear("No se puede mostrar la ayuda %s: falta el archivo de ayuda o su visor", {ayuda.FicheroAyuda()})),
                              {});
}

}  // namespace

TMForm::TMForm(EntornoVentana entorno) : e_(std::move(entorno))
{
    CrearComponentes();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(632, 266);
    move(194, 167);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this,
            [this] { AvisarSiNoSeMuestra(e_.ayuda.AyudaContexto(kContextoAyuda), e_.ayuda, e_.interaccion); });

    FormCreate();
}

TMForm::~TMForm() = default;

void TMForm::FormCreate()
{
    EstadoTransformado_ = kSinAccion;
    // An export that died while it replaced the tables is finished first.
    RecuperarSiSePuede(e_.directorio_trabajo);
    ModoEjecucion modo;
    try {
        modo = DecidirModo(e_.argumentos);
        if (modo.incrustado)
            Incrustar(modo.anfitrion);
    } catch (const Error& ex) {
        // The window opens as if started without parameters.
        e_.interaccion.CajaError(TextoCajaError(ex.what()), ex.Detalle());
        return;
    }
    if (!modo.incrustado)
        return;
    NumParametros_ = static_cast<int>(NumeroParametros(e_.argumentos));
    // The panel of the direction covers the whole client area, the bottom
    // panel beneath it included.
    TDraw3D* visible = nullptr;
    if (modo.panel == Panel::Importar) {
        Draw3D2->hide();
        visible = Draw3D3;
    } else if (modo.panel == Panel::Exportar) {
        Draw3D3->hide();
        visible = Draw3D2;
    }
    if (visible) {
        visible->setGeometry(rect());
        visible->raise();
    }
}

void TMForm::Incrustar(std::int32_t anfitrion)
{
    const Qt::WindowFlags propias = windowFlags();
    // Flags first: changing them later would re-create the native window
    // outside the host.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    try {
        e_.incrustador.Incrustar(*this, anfitrion);
    } catch (...) {
        setWindowFlags(propias);
        throw;
    }
    move(e_.wine.origen.x, e_.wine.origen.y);  // the host's client origin
}

bool TMForm::FormClose()
{
    if (NumParametros_ != 2)
        return true;
    const std::string programa = e_.argumentos.empty() ? std::string() : e_.argumentos.front();
    const auto ini = e_.wine.directorio_ini ? RutaIniEn(*e_.wine.directorio_ini)
                                            : RutaIniAnfitrion(programa, e_.directorio_programa);
    try {
        EscribirValorIni(ini, "Transformadores", "Transformado", TextoDesdeEntero(EstadoTransformado_));
    } catch (const Error& ex) {
        e_.interaccion.CajaError(TextoCajaError(ex.what()), ex.Detalle());
        return false;  // the host has not been told yet: the window stays
    }
    return true;
}

void TMForm::closeEvent(QCloseEvent* evento)
{
    if (!FormClose()) {
        evento->ignore();
        return;
    }
    evento->accept();
    emit Cerrada();
}

void TMForm::keyPressEvent(QKeyEvent* evento)
{
    // Enter outside a button runs the visible direction, the left one first.
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        for (QPushButton* b : {BExportar, BImportar}) {
            if (b->isVisibleTo(this)) {
                b->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(evento);
}

void TMForm::Button1Click()
{
    e_.ayuda.PonerFicheroAyuda(kFicheroAyuda);
    AvisarSiNoSeMuestra(e_.ayuda.ComandoAyuda(ayuda::kHelpContents, 0), e_.ayuda, e_.interaccion);
}

}  // namespace thn::app
