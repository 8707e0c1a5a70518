// SPDX-License-Identifier: EUPL-1.2
#include "ventana/controlador.h"

#include "base/error.h"
#include "base/numeros.h"
#include "documento/entrada_ausente.h"
#include "exportar/exportacion.h"
#include "importar/importacion.h"
#include "trabajo/sesion.h"
#include "ventana/ini.h"
#include "ventana/ruta_ini.h"

namespace thn::ventana {
namespace {

// The busy cursor while it lives: put back on every way out, an error included.
class Ocupado {
public:
    explicit Ocupado(Vista& vista) : vista_(vista) { vista_.Ocupado(true); }
    ~Ocupado() { vista_.Ocupado(false); }
    Ocupado(const Ocupado&) = delete;
    Ocupado& operator=(const Ocupado&) = delete;

private:
    Vista& vista_;
};

}  // namespace

Controlador::Controlador(Entorno entorno, Vista& vista) : e_(std::move(entorno)), vista_(vista) {}

void Controlador::FormCreate()
{
    EstadoTransformado_ = kSinAccion;
    // An export that died while it replaced the tables is finished first.
    RecuperarSiSePuede(e_.directorio_trabajo);
    ModoEjecucion modo;
    try {
        modo = DecidirModo(e_.argumentos);
        if (modo.incrustado)
            vista_.Incrustar(modo.anfitrion, e_.wine.origen);  // the host's client origin
    } catch (const Error& ex) {
        // The window opens as if started without parameters.
        MostrarError(ex.what(), ex.Detalle());
        return;
    }
    if (!modo.incrustado)
        return;
    NumParametros_ = static_cast<int>(NumeroParametros(e_.argumentos));
    if (modo.panel != Panel::Ambos)
        vista_.MostrarSoloPanel(modo.panel);
}

bool Controlador::FormClose()
{
    if (NumParametros_ != 2)
        return true;
    const std::string programa = e_.argumentos.empty() ? std::string() : e_.argumentos.front();
    const auto ini = e_.wine.directorio_ini ? RutaIniEn(*e_.wine.directorio_ini)
                                            : RutaIniAnfitrion(programa, e_.directorio_programa);
    try {
        EscribirValorIni(ini, "Transformadores", "Transformado", TextoDesdeEntero(EstadoTransformado_));
    } catch (const Error& ex) {
        MostrarError(ex.what(), ex.Detalle());
        return false;  // the host has not been told yet: the window stays
    }
    return true;
}

void Controlador::Button1Click()
{
    e_.ayuda.PonerFicheroAyuda(kFicheroAyuda);
    AvisarSiNoSeMuestra(e_.ayuda.ComandoAyuda(ayuda::kHelpContents, 0));
}

void Controlador::AyudaF1()
{
    AvisarSiNoSeMuestra(e_.ayuda.AyudaContexto(kContextoAyuda));
}

void Controlador::AvisarSiNoSeMuestra(bool mostrada)
{
    if (!mostrada)
        MostrarError(Formatear("No se puede mostrar la ayuda %s: falta el archivo de ayuda o su visor",
                               {e_.ayuda.FicheroAyuda()}),
                     {});
}

void Controlador::MostrarError(const std::string& mensaje, const std::string& detalle)
{
    e_.interaccion.CajaError(TextoCajaError(mensaje), detalle);
}

bool Controlador::ElegirFicheroXML()
{
    // Both directions share the remembered file: the dialog opens on it, and
    // a cancelled dialog keeps it without converting it.
    const DialogoArchivo dialogo{"Archivo XML", "*.xml", "xml", FicheroXML_};
    auto elegido = e_.interaccion.AbrirArchivo(dialogo);
    if (elegido)
        FicheroXML_ = *elegido;
    return elegido.has_value();
}

std::optional<ResultadoAccion> Controlador::Ejecutar(const std::function<ResultadoAccion()>& accion)
{
    std::string error, detalle;
    try {
        Ocupado cursor(vista_);
        return accion();
    } catch (const Error& ex) {
        // Every failure reaches the user; the cursor is already back.
        error = ex.what();
        detalle = ex.Detalle();
    } catch (const std::exception& ex) {
        error = ex.what();
    }
    MostrarError(error, detalle);
    return std::nullopt;
}

void Controlador::Finalizado(const ResultadoAccion& resultado)
{
    EstadoTransformado_ = kCompletado;
    std::string informativo;
    if (!resultado.resultado.empty())
        informativo = Formatear("Resultado guardado en '%s'.", {resultado.resultado.string()});
    // After an export: where the tables it replaced were kept, and how to put them back.
    if (const std::string anteriores = TextoAnteriores(resultado); !anteriores.empty())
        informativo += (informativo.empty() ? "" : "\r\n") + anteriores;
    if (resultado.informe.HayDatosOmitidos()) {
        informativo += (informativo.empty() ? "" : "\r\n") + ResumenOmisiones(resultado.informe);
        e_.interaccion.MensajeConInforme("Proceso finalizado", informativo, TextoInforme(resultado.informe),
                                         RutaInforme(FicheroXML_));
    } else {
        e_.interaccion.Mensaje("Proceso finalizado", informativo);
    }
    if (NumParametros_ == 2)
        vista_.Cerrar();
}

void Controlador::FaltaEntrada(const std::string& mensaje, const std::string& detalle)
{
    e_.interaccion.Mensaje(mensaje, detalle);
    if (NumParametros_ == 2) {
        EstadoTransformado_ = kFaltaEntrada;
        vista_.Cerrar();
    }
}

void Controlador::Accion(const std::string& falta, const std::function<ResultadoAccion()>& accion)
{
    // A cancel is answered as when nothing was ever chosen.
    if (!ElegirFicheroXML()) {
        FaltaEntrada(falta, ArchivoAusente({}).value_or(""));
        return;
    }
    const auto resultado = Ejecutar(accion);
    if (!resultado)
        return;
    if (resultado->desenlace == Desenlace::FaltaEntrada)
        FaltaEntrada(falta, resultado->detalle);
    else
        Finalizado(*resultado);
}

void Controlador::BExportarClick()
{
    Accion("No existe archivo",
           [this] { return Exportar(FicheroXML_, e_.directorio_trabajo, registros_, componentes_); });
}

void Controlador::BImportarClick()
{
    e_.interaccion.Mensaje("Deberá Abrir el fichero XML de NORVICA,\r\ndesde el cual realizó la Importación a Horalia",
                           {});
    Accion("No existe archivo XML o Solución.",
           [this] { return Importar(FicheroXML_, e_.directorio_trabajo, componentes_, e_.separador, e_.reloj); });
}

}  // namespace thn::ventana
