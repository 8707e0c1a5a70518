// SPDX-License-Identifier: EUPL-1.2
#include "exportar/exportacion.h"

#include "exportar/conversiones.h"
#include "formats/centro_leido.h"

namespace thn {

ResultadoAccion Exportar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         RegistrosCodigos& registros, ComponentesTabla& componentes, char separador)
{
    ResultadoAccion resultado;
    std::error_code ec;
    if (documento.empty() || !std::filesystem::is_regular_file(documento, ec)) {
        resultado.desenlace = Desenlace::FaltaEntrada;
        return resultado;
    }
    const CentroLeido doc = CentroLeido::Cargar(
        documento, {"/centro/materias/dmateria", "/centro/profesores/profesor", "/centro/aulas/daula",
                    "/centro/grupos/dgrupo", "/centro/franjashorarias/franjahoraria",
                    "/centro/asignaturas/dasignatura"});

    // A second export in one run must give the same tables as the first.
    registros.Vaciar();
    CierreComponentes cierre(componentes);
    ContextoExportacion c{doc, directorio, registros, componentes, separador, resultado.informe};
    for (auto conversion : {TransformarMaterias, TransformarTareas, TransformarProfesores, TransformarAulas,
                            TransformarGrupos, TransformarTramos, TransformarAsignaturas})
        conversion(c);
    return resultado;
}

}  // namespace thn
