// SPDX-License-Identifier: EUPL-1.2
#include "exportar/conversiones.h"

namespace thn {

CentroLeido LeerCentro(const std::filesystem::path& documento)
{
    return CentroLeido::Cargar(
        documento,
        {{"/centro/materias/dmateria", {"codigo", "nombre", "codigo_actividad", "idmateria"}},
         {"/centro/profesores/profesor", {"codigo", "nombre", "apellido1", "apellido2", "documento", "idprofesor"}},
         {"/centro/aulas/daula", {"codigo", "nombre", "capacidad_alumnos", "idaula"}},
         {"/centro/grupos/dgrupo", {"codigo", "nombre", "codigo_nivel", "curso", "cgrupo", "idgrupo", "idcurso"}},
         {"/centro/franjashorarias/franjahoraria", {"dia_semana", "posicion", "hora_inicio", "hora_final"}},
         {"/centro/asignaturas/dasignatura", {"cgrupo", "casig", "cprofe", "conexion", "nhoras"}}});
}

void AnotarFueraDeLugar(const CentroLeido& doc, Informe& informe)
{
    for (const FueraDeLugar& f : doc.ElementosFueraDeLugar())
        informe.omisiones.push_back(
            {f.elemento, 0, "fuera_de_lugar", "línea " + std::to_string(f.linea) + ", " + f.contenedor,
             std::to_string(f.elementos) + (f.elementos == 1 ? " elemento " : " elementos ") + f.elemento
                 + " que la exportación pasa por alto: solo lee " + f.ruta});
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
