// SPDX-License-Identifier: EUPL-1.2
#include "exportar/conversiones.h"

namespace thn {

CentroLeido LeerCentro(const std::filesystem::path& documento)
{
    return CentroLeido::Cargar(documento, {"/centro/materias/dmateria", "/centro/profesores/profesor",
                                           "/centro/aulas/daula", "/centro/grupos/dgrupo",
                                           "/centro/franjashorarias/franjahoraria", "/centro/asignaturas/dasignatura"});
}

void EjecutarConversiones(ContextoExportacion& c)
{
    // A second export in one run must give the same tables as the first.
    c.registros.Vaciar();
    CierreComponentes cierre(c.componentes);
    for (auto conversion : {TransformarMaterias, TransformarTareas, TransformarProfesores, TransformarAulas,
                            TransformarGrupos, TransformarTramos, TransformarAsignaturas})
        conversion(c);
}

}  // namespace thn
