// SPDX-License-Identifier: EUPL-1.2
#include "exportacion_prueba.h"

namespace thn::prueba {
namespace {

Atributos Materia(const std::string& codigo, const std::string& nombre, const std::string& actividad,
                  const std::string& id)
{
    return {{"codigo", codigo}, {"nombre", nombre}, {"codigo_actividad", actividad}, {"idmateria", id}};
}

using Materias = PruebaExportacion;

TEST_F(Materias, EjemploDeMateriasYTareas)
{
    const auto r = Exportar(Seccion("materias", "dmateria", {
        Materia("MAT", "Matemáticas", "LECTIVA", "101"),
        Materia("MAT", "Matemáticas II", "LECTIVA", "102"),
        Materia("TECNOLOGIAINDUSTRIAL", "Tecnología Industrial", "LECTIVA", "103"),
        Materia("TECNOLOGIAINDUSTRIAL", "Tecnología Industrial", "LECTIVA", "104"),
        Materia("TECNOLOGIAINDUSTRIAL", "Tecnología Industrial", "LECTIVA", "105"),
        Materia("LECTIVA", "Lectiva", "LECTIVA", "900"),
        Materia("MAT", "Matemáticas", "MAT", "901"),
    }));
    EXPECT_EQ(Leer("ASIGNOMT", {"COD", "CODLARGO", "NOMBRE", "CODTAREA", "ESTAREA", "IDASIG"}), (Tabla{
        {"MAT", "Matemática", "Matemáticas", "LECTIVA", "F", "101"},
        {"TECNOLOGAL", "Tecnología", "Tecnología Industrial", "LECTIVA", "F", "103"},
        {"TECNOLOGIA", "Tecnología", "Tecnología Industrial", "LECTIVA", "F", "104"},
        {"LECTIVA", "Lectiva", "Lectiva", "LECTIVA", "T", "900"},
    }));
    // Every element passed over is in the report, with the code that stopped it.
    ASSERT_EQ(r.informe.omisiones.size(), 3u);
    EXPECT_EQ(r.informe.omisiones[0].donde, "dmateria número 2 (código 'MAT', nombre 'Matemáticas II')");
    EXPECT_EQ(r.informe.omisiones[0].motivo, "omitida en ASIGNOMT: el código corto 'MAT' ya está en uso");
    EXPECT_NE(r.informe.omisiones[1].donde.find("número 5"), std::string::npos);
    EXPECT_NE(r.informe.omisiones[2].donde.find("número 7"), std::string::npos);
}

TEST_F(Materias, CasosLimite)
{
    struct Caso {
        const char* nombre;
        std::vector<Atributos> elementos;
        Tabla esperado;  // COD, NOMBRE, IDASIG
    } casos[] = {
        {"una sola materia se convierte", {Materia("FIS", "Física", "LECTIVA", "1")}, {{"FIS", "Física", "1"}}},
        {"mayúsculas distintas son códigos distintos",
         {Materia("Mat", "A", "LECTIVA", "1"), Materia("MAT", "B", "LECTIVA", "2")},
         {{"Mat", "A", "1"}, {"MAT", "B", "2"}}},
        {"blancos y controles alrededor se quitan",
         {Materia("  LEN \t", " Lengua  Castellana\n", " LECTIVA", " 7 ")}, {{"LEN", "Lengua  Castellana", "7"}}},
        {"código vacío: solo el primero",
         {Materia("", "Sin código", "LECTIVA", "1"), Materia("", "Otra", "LECTIVA", "2")}, {{"", "Sin código", "1"}}},
        {"código largo con nombre repetido da dos códigos cortos",
         {Materia("CIENCIASNATURALES", "Ciencias", "LECTIVA", "1"),
          Materia("CIENCIASNATURALES", "Ciencias", "LECTIVA", "2")},
         {{"CIENCIASES", "Ciencias", "1"}, {"CIENCIASNA", "Ciencias", "2"}}},
        {"tarea con el código corto de una materia no se escribe",
         {Materia("TUT", "Tutoría", "LECTIVA", "1"), Materia("TUT", "Tutoría actividad", "TUT", "2")},
         {{"TUT", "Tutoría", "1"}}},
        {"nombre de más de 80 caracteres se corta",
         {Materia("LAR", std::string(85, 'x'), "LECTIVA", "1"), Materia("LAR2", std::string(85, 'x'), "LECTIVA", "2")},
         {{"LAR", std::string(80, 'x'), "1"}, {"LAR2", std::string(80, 'x'), "2"}}},
        {"sin sección", {}, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Exportar(c.elementos.empty() ? "" : Seccion("materias", "dmateria", c.elementos));
        EXPECT_EQ(Leer("ASIGNOMT", {"COD", "NOMBRE", "IDASIG"}), c.esperado);
    }
}

TEST_F(Materias, SegundaExportacionIgualALaPrimera)
{
    const auto seccion = Seccion("materias", "dmateria", {Materia("MAT", "Matemáticas", "LECTIVA", "101"),
                                                          Materia("LECTIVA", "Lectiva", "LECTIVA", "900")});
    Exportar(seccion);
    const auto primera = Leer("ASIGNOMT", {"COD", "ESTAREA", "IDASIG"});
    Exportar(seccion);
    EXPECT_EQ(Leer("ASIGNOMT", {"COD", "ESTAREA", "IDASIG"}), primera);
    EXPECT_EQ(primera.size(), 2u);
}

TEST_F(Materias, FaltaIdmateriaNoDejaMediaTabla)
{
    EXPECT_EQ(Fallo(Seccion("materias", "dmateria", {
                  Materia("MAT", "Matemáticas", "LECTIVA", "101"),
                  {{"codigo", "LEN"}, {"nombre", "Lengua"}, {"codigo_actividad", "LECTIVA"}},
              })),
              "Falta el atributo 'idmateria' en el elemento dmateria número 2");
    EXPECT_FALSE(std::filesystem::exists(htemp / "ASIGNOMT.DBF"));
}

}  // namespace
}  // namespace thn::prueba
