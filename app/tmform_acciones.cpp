// SPDX-License-Identifier: EUPL-1.2
// The two directions as the window runs them: the file, the busy cursor, the
// messages, the outcome status and, in embedded mode, the end of the program.

#include "app/cursor_ocupado.h"
#include "app/tmform.h"
#include "exportar/exportacion.h"
#include "formats/entrada_ausente.h"
#include "formats/error.h"
#include "importar/importacion.h"

namespace thn::app {

bool TMForm::ElegirFicheroXML()
{
    // Both directions share the remembered file: the dialog opens on it, and
    // a cancelled dialog keeps it without converting it.
    const DialogoArchivo dialogo{"Archivo XML", "*.xml", "xml", FicheroXML_};
    auto elegido = e_.interaccion.AbrirArchivo(dialogo);
    if (elegido)
        FicheroXML_ = *elegido;
    return elegido.has_value();
}

std::optional<ResultadoAccion> TMForm::Ejecutar(const std::function<ResultadoAccion()>& accion)
{
    std::string error, detalle;
    try {
        CursorOcupado cursor;
        return accion();
    } catch (const Error& ex) {
        // Every failure reaches the user; the cursor is already back.
        error = ex.what();
        detalle = ex.Detalle();
    } catch (const std::exception& ex) {
        error = ex.what();
    }
    e_.interaccion.CajaError(TextoCajaError(error), detalle);
    return std::nullopt;
}

void TMForm::Finalizado(const ResultadoAccion& resultado)
{
    EstadoTransformado_ = kCompletado;
    std::string informativo;
    if (!resultado.resultado.empty())
        informativo = Formatear("Resultado guardado en '%s'.", {resultado.resultado.string()});
    if (resultado.informe.HayDatosOmitidos()) {
        informativo += (informativo.empty() ? "" : "\r\n") + ResumenOmisiones(resultado.informe);
        e_.interaccion.MensajeConInforme("Proceso finalizado", informativo, TextoInforme(resultado.informe),
                                         RutaInforme(FicheroXML_));
    } else {
        e_.interaccion.Mensaje("Proceso finalizado", informativo);
    }
    if (NumParametros_ == 2)
        close();
}

void TMForm::FaltaEntrada(const std::string& mensaje, const std::string& detalle)
{
    e_.interaccion.Mensaje(mensaje, detalle);
    if (NumParametros_ == 2) {
        EstadoTransformado_ = kFaltaEntrada;
        close();
    }
}

void TMForm::Accion(const std::string& falta, const std::function<ResultadoAccion()>& accion)
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

void TMForm::BExportarClick()
{
    Accion("No existe archivo",
           [this] { return Exportar(FicheroXML_, e_.directorio_trabajo, registros_, componentes_); });
}

void TMForm::BImportarClick()
{
    e_.interaccion.Mensaje("Deberá Abrir el fichero XML de NORVICA,\r\ndesde el cual realizó la Importación a Horalia",
                           {});
    Accion("No existe archivo XML o Solución.",
           [this] { return Importar(FicheroXML_, e_.directorio_trabajo, componentes_, e_.separador, e_.reloj); });
}

}  // namespace thn::app
