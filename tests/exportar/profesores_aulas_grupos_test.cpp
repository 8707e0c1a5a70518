// SPDX-License-Identifier: EUPL-1.2
#include "exportacion_prueba.h"

namespace thn::prueba {
namespace {

Atributos Profesor(const std::string& codigo, const std::string& nombre, const std::string& ap1,
                   const std::string& ap2, const std::string& documento = "1X", const std::string& id = "1")
{
    return {{"codigo", codigo}, {"nombre", nombre}, {"apellido1", ap1}, {"apellido2", ap2},
            {"documento", documento}, {"idprofesor", id}};
}

Atributos Aula(const std::string& codigo, const std::string& nombre, const std::string& capacidad = "",
               const std::string& id = "1")
{
    return {{"codigo", codigo}, {"nombre", nombre}, {"capacidad_alumnos", capacidad}, {"idaula", id}};
}

Atributos Grupo(const std::string& codigo, const std::string& nivel = "ESO", const std::string& curso = "1",
                const std::string& letra = "A", const std::string& id = "1", const std::string& idcurso = "10")
{
    return {{"codigo", codigo}, {"nombre", "Grupo " + codigo}, {"codigo_nivel", nivel}, {"curso", curso},
            {"cgrupo", letra}, {"idgrupo", id}, {"idcurso", idcurso}};
}


template <class F>
std::vector<Atributos> Veces(int n, F f)
{
    std::vector<Atributos> v;
    for (int i = 0; i < n; ++i)
        v.push_back(f());
    return v;
}

std::vector<std::string> Columna(const Tabla& t)
{
    std::vector<std::string> r;
    for (const auto& fila : t)
        r.push_back(fila.at(0));
    return r;
}

using Conversiones = PruebaExportacion;

TEST_F(Conversiones, EjemploDeProfesores)
{
    Exportar(Seccion("profesores", "profesor", {
        Profesor("MGR", "María", "García", "Ruiz", "12345678Z", "501"),
        Profesor("MGR", "Manuel", "Gómez", "Rey"),
        Profesor("mgr", "Marta", "Gil", ""),
        Profesor("", "Luis", "Pardo", "Sanz"),
        Profesor("", "Eva", "Soto", "Vila"),
        Profesor("X", "", "", "", "123456789012345678", "12345678901"),
    }));
    EXPECT_EQ(Leer("PROFT", {"ABREV", "NOMBRE", "DEPART", "DNI", "IDPROF"}), (Tabla{
        {"MGR", "María, García Ruiz", "", "12345678Z", "501"},
        {"MGR1", "Manuel, Gómez Rey", "", "1X", "1"},
        {"mgr2", "Marta, Gil", "", "1X", "1"},  // the trailing blank is padding in the table
        {"", "Luis, Pardo Sanz", "", "1X", "1"},
        {"1", "Eva, Soto Vila", "", "1X", "1"},
        {"X", ",", "", "12345678901234", "1234567890"},
    }));
}

TEST_F(Conversiones, CodigosCortosDeProfesoresSiempreDistintos)
{
    struct Caso { const char* nombre; std::vector<Atributos> elementos; std::vector<std::string> abrev; } casos[] = {
        {"códigos largos que coinciden en los 10 primeros",
         {Profesor("ABCDEFGHIJK", "a", "b", "c"), Profesor("ABCDEFGHIJZ", "a", "b", "c")},
         {"ABCDEFGHIJ", "ABCDEFGHI1"}},
        {"once veces un código de 10",
         Veces(11, [] { return Profesor("ABCDEFGHIJ", "a", "b", "c"); }),
         {"ABCDEFGHIJ", "ABCDEFGHI1", "ABCDEFGHI2", "ABCDEFGHI3", "ABCDEFGHI4", "ABCDEFGHI5", "ABCDEFGHI6",
          "ABCDEFGHI7", "ABCDEFGHI8", "ABCDEFGHI9", "ABCDEFGH1"}},
        {"mayúsculas distintas", {Profesor("Ana", "a", "b", "c"), Profesor("ANA", "a", "b", "c")}, {"Ana", "ANA1"}},
        {"una sola persona", {Profesor("UNO", "a", "b", "c")}, {"UNO"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Exportar(Seccion("profesores", "profesor", c.elementos));
        EXPECT_EQ(Columna(Leer("PROFT", {"ABREV"})), c.abrev);
    }
}

TEST_F(Conversiones, EjemploDeAulas)
{
    Exportar(Seccion("aulas", "daula", {
        Aula("A1", "Aula 1", "30", "A-0001"),
        Aula("a1", "Aula 1 bis", "", "A-0002"),
        Aula("", "Gimnasio", "030"),
        Aula("", "Gimnasio cubierto", " 25 "),
        Aula("LABORATORIO1", "Laboratorio de física", "$10"),
        Aula("LABORATORIO2", "Laboratorio de química"),
        Aula("INFORMATICA", "Informática", "-1", "12345678901234567890"),
    }));
    EXPECT_EQ(Leer("AULAT", {"ABREV", "NOMBRE", "EDIFICIO", "MAXALUM", "IDAULA"}), (Tabla{
        {"A1", "Aula 1", "", "30", "A-0001"},
        {"a11", "Aula 1 bis", "", "", "A-0002"},
        {"Gimn", "Gimnasio", "", "30", "1"},
        {"Gimn1", "Gimnasio cubierto", "", "25", "1"},
        {"LABORATO1", "Laboratorio de física", "", "16", "1"},
        {"LABORATO2", "Laboratorio de química", "", "", "1"},
        {"INFORMAT1", "Informática", "", "-1", "12345678901234567890"},
    }));
}

TEST_F(Conversiones, AulasRepetidasYVacias)
{
    struct Caso { const char* nombre; std::vector<Atributos> elementos; std::vector<std::string> abrev; } casos[] = {
        {"sin código ni nombre", {Aula("", ""), Aula("", ""), Aula("", "")}, {"", "1", "2"}},
        {"código de 10 repetido", {Aula("ABCDEFGHIJ", "x"), Aula("ABCDEFGHIJ", "x")}, {"ABCDEFGHIJ", "ABCDEFGHI1"}},
        {"once veces un código de 9",
         Veces(11, [] { return Aula("ABCDEFGHI", "x"); }),
         {"ABCDEFGHI", "ABCDEFGHI1", "ABCDEFGHI2", "ABCDEFGHI3", "ABCDEFGHI4", "ABCDEFGHI5", "ABCDEFGHI6",
          "ABCDEFGHI7", "ABCDEFGHI8", "ABCDEFGHI9", "ABCDEFGH1"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Exportar(Seccion("aulas", "daula", c.elementos));
        EXPECT_EQ(Columna(Leer("AULAT", {"ABREV"})), c.abrev);
    }
}

TEST_F(Conversiones, EjemploDeGrupos)
{
    Exportar(Seccion("grupos", "dgrupo", {
        Grupo("1ESOA", "ESO", "1", "A", "G1", "C1"),
        Grupo("1esoa"),
        Grupo("1ESO-DIVER"),
        Grupo("1ESO-DIVER"),
        Grupo("1BACH-CIENCIAS", "BACHILLER", "1000", "ABC"),
        Grupo("1BACH-CIENCIAS"),
    }));
    EXPECT_EQ(Leer("GRUPOST", {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "IDGRUPO", "IDCURSO", "DESCRIP", "TUTOR"}),
              (Tabla{
                  {"1ESOA", "", "ESO", "1", "A", "G1", "C1", "Grupo 1ESOA", ""},
                  {"1esoa1", "", "ESO", "1", "A", "1", "10", "Grupo 1esoa", ""},
                  {"1ESO-DIVER", "", "ESO", "1", "A", "1", "10", "Grupo 1ESO-DIVER", ""},
                  {"1ESO-DIVE1", "", "ESO", "1", "A", "1", "10", "Grupo 1ESO-DIVER", ""},
                  {"1BACH-CIAS", "", "BACHI", "100", "AB", "1", "10", "Grupo 1BACH-CIENCIAS", ""},
                  // Its shortened form is taken: a free code of its first 8 characters.
                  {"1BACH-CI1", "", "ESO", "1", "A", "1", "10", "Grupo 1BACH-CIENCIAS", ""},
              }));
}

TEST_F(Conversiones, GruposRepetidos)
{
    struct Caso { const char* nombre; std::vector<Atributos> elementos; std::vector<std::string> abrev; } casos[] = {
        {"once veces un código de 9",
         Veces(11, [] { return Grupo("ABCDEFGHI"); }),
         {"ABCDEFGHI", "ABCDEFGHI1", "ABCDEFGHI2", "ABCDEFGHI3", "ABCDEFGHI4", "ABCDEFGHI5", "ABCDEFGHI6",
          "ABCDEFGHI7", "ABCDEFGHI8", "ABCDEFGHI9", "ABCDEFGH10"}},
        {"códigos vacíos", {Grupo(""), Grupo(""), Grupo("")}, {"", "1", "2"}},
        {"acortado igual a uno anterior", {Grupo("1BACH-CIAS"), Grupo("1BACH-CIENCIAS")}, {"1BACH-CIAS", "1BACH-CI1"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Exportar(Seccion("grupos", "dgrupo", c.elementos));
        EXPECT_EQ(Columna(Leer("GRUPOST", {"ABREV"})), c.abrev);
    }
}

TEST_F(Conversiones, SeccionesVaciasDejanTablasVaciasConSusCampos)
{
    Exportar("<profesores/><aulas/>");
    for (const auto& [tabla, campos] : std::vector<std::pair<std::string, std::size_t>>{
             {"ASIGNOMT", 6}, {"PROFT", 5}, {"AULAT", 5}, {"GRUPOST", 9}, {"DIASHORAST", 11}, {"ASIGT", 16}}) {
        dbf::Tabla t(htemp / (tabla + ".DBF"), dbf::Acceso::Compartido);
        EXPECT_EQ(t.NumeroRegistros(), 0u) << tabla;
        EXPECT_EQ(t.Campos().size(), campos) << tabla;
    }
}

}  // namespace
}  // namespace thn::prueba
