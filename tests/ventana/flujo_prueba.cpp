// SPDX-License-Identifier: EUPL-1.2
#include "flujo_prueba.h"

#include "dbf/tabla.h"

namespace thn::prueba {

std::filesystem::path PruebaFlujo::Documento(const std::string& nombre)
{
    const auto ruta = dir / nombre;
    EscribirFichero(ruta, Centro(Seccion("materias", "dmateria", {
                                     {{"codigo", "MAT"}, {"nombre", "Matemáticas"}, {"codigo_actividad", "LECTIVA"},
                                      {"idmateria", "101"}},
                                 })
                                 + Seccion("profesores", "profesor", {
                                     {{"codigo", "MGR"}, {"nombre", "María"}, {"apellido1", "García"},
                                      {"apellido2", "Ruiz"}, {"documento", "1"}, {"idprofesor", "501"}},
                                 })));
    return ruta;
}

void PruebaFlujo::Soluc(const std::vector<std::string>& asignaturas)
{
    dbf::Tabla t = NuevaSoluc(htemp);
    for (const auto& asig : asignaturas) {
        t.Anadir();
        t.PonerEntero("DIA", 1);
        t.PonerFlotante("HORA", 1);
        t.PonerTexto("ASIG", asig);
        t.Grabar();
    }
}

std::string PruebaFlujo::Ini() const
{
    const auto ruta = bin / "Horalia.ini";
    return std::filesystem::exists(ruta) ? LeerFichero(ruta) : "(ninguno)";
}

}  // namespace thn::prueba
