// SPDX-License-Identifier: EUPL-1.2
#include "exportar/exportacion.h"

#include "exportar/conversiones.h"
#include "exportar/restauracion.h"
#include "documento/entrada_ausente.h"
#include "base/error.h"
#include "trabajo/descripciones_previas.h"
#include "trabajo/preparacion.h"
#include "trabajo/sesion.h"
#include "trabajo/tablas.h"

namespace thn {
namespace {

std::vector<TablaPreparada> TablasDeLaExportacion()
{
    std::vector<TablaPreparada> tablas;
    for (const DefinicionTabla* t : TablasExportadas())
        tablas.push_back({t->nombre, t->borrar_indice});
    return tablas;
}

void Convertir(const std::filesystem::path& documento, const std::filesystem::path& directorio,
               RegistrosCodigos& registros, ComponentesTabla& componentes, ResultadoAccion& resultado,
               EstadoTablas& estado)
{
    // The tables the export may replace are described while the document is
    // read, and closed before anyone asks whether they are in use.
    DescripcionesPrevias previas(directorio);
    const CentroLeido doc = LeerCentro(documento);
    previas.Esperar();
    Informe& informe = resultado.informe;
    AnotarFueraDeLugar(doc, informe);
    SesionTrabajo sesion(directorio, estado);
    Preparacion preparacion(directorio, estado);
    const std::vector<TablaPreparada> tablas = TablasDeLaExportacion();
    preparacion.ComprobarTablasLibres(tablas);
    ContextoExportacion c{doc, preparacion.Carpeta(), registros, componentes, informe};
    EjecutarConversiones(c);
    preparacion.Confirmar(tablas);
    GuardarSustituidas(preparacion, "exportar", std::filesystem::absolute(documento).string(), resultado, &previas);
}

}  // namespace

ResultadoAccion Exportar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         RegistrosCodigos& registros, ComponentesTabla& componentes)
{
    ResultadoAccion resultado;
    if (auto ausente = ArchivoAusente(documento)) {
        resultado.desenlace = Desenlace::FaltaEntrada;
        resultado.detalle = *ausente;
        return resultado;
    }
    EstadoTablas estado;
    try {
        Convertir(documento, directorio, registros, componentes, resultado, estado);
    } catch (const Error& e) {
        throw ConNotaTablas(e, estado);
    }
    return resultado;
}

}  // namespace thn
