// SPDX-License-Identifier: EUPL-1.2
// The two directions as the window runs them: the file, the busy cursor, the
// messages, the outcome status and, in embedded mode, the end of the program.

#include "app/cursor_ocupado.h"
#include "app/tmform.h"
#include "exportar/exportacion.h"
#include "formats/error.h"
#include "importar/importacion.h"

namespace thn::app {

void TMForm::ElegirFicheroXML()
{
    // Both directions share the remembered file; a cancelled dialog keeps it.
    const DialogoArchivo dialogo{"Archivo XML", "*.xml", "xml", FicheroXML_};
    if (auto elegido = e_.interaccion.AbrirArchivo(dialogo))
        FicheroXML_ = *elegido;
}

std::optional<ResultadoAccion> TMForm::Ejecutar(const std::function<ResultadoAccion()>& accion)
{
    std::string error;
    try {
        CursorOcupado cursor;
        return accion();
    } catch (const std::exception& ex) {
        // Every failure reaches the user; the cursor is already back.
        error = ex.what();
    }
    e_.interaccion.CajaError(TextoCajaError(error));
    return std::nullopt;
}

void TMForm::Finalizado(const ResultadoAccion& resultado)
{
    EstadoTransformado_ = kCompletado;
    if (resultado.informe.HayDatosOmitidos())
        e_.interaccion.MensajeConDetalles("Proceso finalizado", TextoInforme(resultado.informe));
    else
        e_.interaccion.Mensaje("Proceso finalizado");
    if (NumParametros_ == 2)
        close();
}

void TMForm::FaltaEntrada(const std::string& mensaje)
{
    e_.interaccion.Mensaje(mensaje);
    if (NumParametros_ == 2) {
        EstadoTransformado_ = kFaltaEntrada;
        close();
    }
}

void TMForm::BExportarClick()
{
    ElegirFicheroXML();
    const auto resultado = Ejecutar([this] {
        return Exportar(FicheroXML_, e_.directorio_trabajo, registros_, componentes_, e_.separador);
    });
    if (!resultado)
        return;
    if (resultado->desenlace == Desenlace::FaltaEntrada)
        FaltaEntrada("No existe archivo");
    else
        Finalizado(*resultado);
}

void TMForm::BImportarClick()
{
    e_.interaccion.Mensaje("Deberá Abrir el fichero XML de NORVICA,\r\ndesde el cual realizó la Importación a Horalia");
    ElegirFicheroXML();
    const auto resultado = Ejecutar([this] {
        return Importar(FicheroXML_, e_.directorio_trabajo, componentes_, e_.separador, e_.reloj);
    });
    if (!resultado)
        return;
    if (resultado->desenlace == Desenlace::FaltaEntrada)
        FaltaEntrada("No existe archivo XML o Solución.");
    else
        Finalizado(*resultado);
}

}  // namespace thn::app
