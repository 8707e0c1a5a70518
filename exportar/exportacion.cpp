#include "exportar/exportacion.h"

#include "exportar/conversiones.h"
#include "formats/centro_leido.h"
#include "formats/entrada_ausente.h"

namespace thn {

ResultadoAccion Exportar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         RegistrosCodigos& registros, ComponentesTabla& componentes)
{
    ResultadoAccion resultado;
    if (auto ausente = ArchivoAusente(documento)) {
        resultado.desenlace = Desenlace::FaltaEntrada;
        resultado.detalle = *ausente;
        return resultado;
    }
    const CentroLeido doc = CentroLeido::Cargar(
        documento, {"/centro/materias/dmateria", "/centro/profesores/profesor", "/centro/aulas/daula",
                    "/centro/grupos/dgrupo", "/centro/franjashorarias/franjahoraria",
                    "/centro/asignaturas/dasignatura"});

    // A second export in one run must give the same tables as the first.
    registros.Vaciar();
    CierreComponentes cierre(componentes);
    ContextoExportacion c{doc, directorio, registros, componentes, resultado.informe};
    for (auto conversion : {TransformarMaterias, TransformarTareas, TransformarProfesores, TransformarAulas,
                            TransformarGrupos, TransformarTramos, TransformarAsignaturas})
        conversion(c);
    return resultado;
}

}  // namespace thn
