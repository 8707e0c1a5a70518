// SPDX-License-Identifier: EUPL-1.2
#include "exportacion_prueba.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <clocale>

namespace thn::prueba {
namespace {

Atributos Franja(const std::string& dia, const std::string& pos, const std::string& ini, const std::string& fin)
{
    return {{"dia_semana", dia}, {"posicion", pos}, {"hora_inicio", ini}, {"hora_final", fin}};
}

Atributos Asignatura(const std::string& grupo, const std::string& materia, const std::string& prof,
                     const std::string& horas, const std::string& conexion = "")
{
    return {{"cgrupo", grupo}, {"casig", materia}, {"cprofe", prof}, {"conexion", conexion}, {"nhoras", horas}};
}

// A small centre whose subjects, teachers and groups the assignments refer to.
std::string Base()
{
    return Seccion("materias", "dmateria", {
               {{"codigo", "MAT"}, {"nombre", "Matemáticas"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}},
               {{"codigo", "LECTIVA"}, {"nombre", "Lectiva"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "900"}},
           })
         + Seccion("profesores", "profesor", {
               {{"codigo", "MGR"}, {"nombre", "María"}, {"apellido1", "García"}, {"apellido2", "Ruiz"},
                {"documento", "1"}, {"idprofesor", "501"}},
           })
         + Seccion("grupos", "dgrupo", {
               {{"codigo", "1ESOA"}, {"nombre", "1º ESO A"}, {"codigo_nivel", "ESO"}, {"curso", "1"}, {"cgrupo", "A"},
                {"idgrupo", "G1"}, {"idcurso", "C1"}},
           });
}

using Tramos = PruebaExportacion;

TEST_F(Tramos, EjemploDeFranjas)
{
    Exportar(Seccion("franjashorarias", "franjahoraria", {
        Franja("1", "1", "08:00", "08:55"),
        Franja("1", "2", "08:55", "09:50"),
        Franja("3", "10", "14:30", "15:25"),
        Franja("8", "1", "16:00", "17:00"),
        Franja("01", "05", "08:00:00", "13:00:00"),
        Franja("6", "11", "13:00", "12:00"),
    }));
    EXPECT_EQ(Leer("DIASHORAST", {"DIHO", "CODDIHO", "DIA", "TEXTODIA", "HORA", "TEXTOHOR", "HORADESDE", "HORAHASTA",
                                  "MINUTOS", "SESION_ORDEN", "PLANTILLA"}),
              (Tabla{
                  {"11", "", "1", "Lunes", "1", "08:00-08:55", "08:00", "08:55", "55", "1", ""},
                  {"12", "", "1", "Lunes", "2", "08:55-09:50", "08:55", "09:50", "55", "2", ""},
                  {"310", "", "3", "Miércoles", "10", "14:30-15:25", "14:30", "15:25", "55", "10", ""},
                  {"81", "", "8", "Miércoles", "1", "16:00-17:00", "16:00", "17:00", "60", "1", ""},
                  {"15", "", "1", "Lunes", "5", "08:00:00-13:00:", "08:00:00", "13:00:00", "300", "5", ""},
                  {"611", "", "6", "Sábado", "11", "13:00-12:00", "13:00", "12:00", "-60", "11", ""},
              }));
}

TEST_F(Tramos, PrimerDiaSinNombreYFranjaUnica)
{
    Exportar(Seccion("franjashorarias", "franjahoraria", {Franja("0", "1", "08:00", "09:00")}));
    EXPECT_EQ(Leer("DIASHORAST", {"DIA", "TEXTODIA"}), (Tabla{{"0", ""}}));
}

TEST_F(Tramos, IndiceAntiguoDeDiashorastSeConserva)
{
    for (const char* f : {"DIASHORAST.MDX", "ASIGNOMT.MDX", "proft.mdx", "AULAT.MDX", "GRUPOST.MDX", "ASIGT.MDX"})
        EscribirFichero(htemp / f, "x");
    Exportar("");
    EXPECT_TRUE(std::filesystem::exists(htemp / "DIASHORAST.MDX"));
    std::vector<std::string> quedan;
    for (const auto& e : std::filesystem::directory_iterator(htemp))
        quedan.push_back(e.path().filename().string());
    std::sort(quedan.begin(), quedan.end());
    EXPECT_EQ(quedan, (std::vector<std::string>{"ASIGNOMT.DBF", "ASIGT.DBF", "AULAT.DBF", "DIASHORAST.DBF",
                                                "DIASHORAST.MDX", "GRUPOST.DBF", "PROFT.DBF"}));
}

using Asignaturas = PruebaExportacion;

TEST_F(Asignaturas, HorasYPatronDeSesionesConCualquierSeparadorYConfiguracion)
{
    struct Caso { std::string horas; std::string horas_leidas; std::string sesiones; } casos[] = {
        {"4", "4", "1111"},
        {"0", "1", "1"},
        {"0,5", "0.5", "1½"},
        {"2,5", "2.5", "111½"},
        {"2.5", "2.5", "111½"},
        {" 13.5 ", "13.5", "1" + std::string(13, '1') + "½"},
        {"13", "13", "1111111111111"},
        {"13,5", "13.5", "1" + std::string(13, '1') + "½"},
        {"15", "15", "2" + std::string(13, '1')},
        {"30", "30", "17" + std::string(13, '1')},
        {"-3", "-3", ""},
        {"-2,5", "-2.5", "½"},
        {"-2.5", "-2.5", "½"},
        {"10000013", "10000013", "10000000" + std::string(12, '1')},  // cut to 20 characters
        {"2,3", "2.299999952316284", "111½"},                          // the nearest 32-bit value
    };
    std::vector<Atributos> elementos;
    for (const auto& c : casos)
        elementos.push_back(Asignatura("G1", "101", "501", c.horas));
    const std::string previa = std::setlocale(LC_ALL, nullptr);
    // The user's locale decides nothing: a desktop in C or in Spanish reads the same.
    for (const char* configuracion : {"C", "C.UTF-8", "es_ES.UTF-8", "en_US.UTF-8"}) {
        if (!std::setlocale(LC_ALL, configuracion))
            continue;  // not installed here
        SCOPED_TRACE(configuracion);
        Exportar(Base() + Seccion("asignaturas", "dasignatura", elementos));
        const auto filas = Leer("ASIGT", {"HORAS", "SESIONES"});
        ASSERT_EQ(filas.size(), std::size(casos));
        for (std::size_t i = 0; i < filas.size(); ++i) {
            EXPECT_EQ(filas[i][0], casos[i].horas_leidas) << casos[i].horas;
            EXPECT_EQ(filas[i][1], casos[i].sesiones) << casos[i].horas;
        }
    }
    std::setlocale(LC_ALL, previa.c_str());
}

TEST_F(Asignaturas, BusquedasPorIdentificador)
{
    const auto r = Exportar(Base() + Seccion("asignaturas", "dasignatura", {
        Asignatura("G1", "101", "501", "4", "C12345"),
        Asignatura("G1", "999", "501", "4"),     // no subject: left out
        Asignatura("G9", "101", "599", "2"),     // no group, no teacher: written with them empty
        Asignatura("g1", "900", " 501 ", "1"),   // case counts; blanks do not
        Asignatura("G1", "101", "501", "3"),
    }));
    EXPECT_EQ(Leer("ASIGT", {"CASIG", "CPROF", "CGRUP", "CAULA", "TURNO", "NIVEL", "CURSO", "GRUPO", "CTAREA",
                             "NCONEX", "IDCURSO", "IDGRUP", "IDASIG", "IDPROF"}),
              (Tabla{
                  {"MAT", "MGR", "1ESOA", "", "", "ESO", "1", "A", "LECTIVA", "C123", "C1", "G1", "101", "501"},
                  {"MAT", "", "", "", "", "", "", "", "LECTIVA", "", "", "G9", "101", "599"},
                  {"LECTIVA", "MGR", "", "", "", "", "", "", "LECTIVA", "", "", "g1", "900", "501"},
                  {"MAT", "MGR", "1ESOA", "", "", "ESO", "1", "A", "LECTIVA", "", "C1", "G1", "101", "501"},
              }));
    ASSERT_EQ(r.informe.omisiones.size(), 1u);
    EXPECT_EQ(r.informe.omisiones[0].donde, "dasignatura número 2 (casig '999', cgrupo 'G1', cprofe '501')");
    ASSERT_EQ(r.informe.avisos.size(), 3u);  // G9, 599, g1
    EXPECT_NE(r.informe.avisos[0].motivo.find("'G9'"), std::string::npos);
    EXPECT_NE(r.informe.avisos[1].motivo.find("'599'"), std::string::npos);
    EXPECT_EQ(r.informe.recuentos.back().tabla, "ASIGT");
    EXPECT_EQ(r.informe.recuentos.back().registros, 4u);
}

TEST_F(Asignaturas, IdentificadorDeMasDeDiezNoSeEncuentra)
{
    Exportar(Base() + Seccion("asignaturas", "dasignatura", {Asignatura("G1", "101", "50100000000", "1")}));
    EXPECT_EQ(Leer("ASIGT", {"CPROF", "IDPROF"}), (Tabla{{"", "5010000000"}}));
}

// A long section is converted in pieces, on two threads: the tables, the
// notes and their order are those of one element after another, and of two
// bad elements the first in the document is the one named, whichever
// thread met it.
TEST_F(Asignaturas, SeccionLargaComoElementoAElemento)
{
    constexpr std::size_t kElementos = 5000;
    const Atributos tipos[] = {
        Asignatura("G1", "101", "501", "4", "C12345"),
        Asignatura("G1", "999", "501", "4"),  // left out
        Asignatura("G9", "101", "599", "2"),  // two warnings
        Asignatura("G1", "900", "501", "1"),
    };
    const auto seccion = [&](const std::vector<std::size_t>& malos) {
        std::vector<Atributos> elementos;
        for (std::size_t i = 0; i < kElementos; ++i) {
            elementos.push_back(tipos[i % 4]);
            if (std::find(malos.begin(), malos.end(), i + 1) != malos.end())
                elementos.back()[4].second = "x";
        }
        return Base() + Seccion("asignaturas", "dasignatura", elementos);
    };
    const auto r = Exportar(seccion({}));
    const auto filas = Leer("ASIGT", {"CASIG", "CPROF", "CGRUP", "HORAS", "NCONEX", "IDGRUP"});
    ASSERT_EQ(filas.size(), kElementos / 4 * 3);
    const Tabla esperadas = {{"MAT", "MGR", "1ESOA", "4", "C123", "G1"},
                             {"MAT", "", "", "2", "", "G9"},
                             {"LECTIVA", "MGR", "1ESOA", "1", "", "G1"}};
    for (std::size_t i = 0; i < filas.size(); ++i)
        ASSERT_EQ(filas[i], esperadas[i % 3]) << i;
    ASSERT_EQ(r.informe.omisiones.size(), kElementos / 4);
    ASSERT_EQ(r.informe.avisos.size(), kElementos / 2);
    for (std::size_t k = 0; k < kElementos / 4; ++k) {
        ASSERT_EQ(r.informe.omisiones[k].posicion, 4 * k + 2);
        ASSERT_EQ(r.informe.avisos[2 * k].posicion, 4 * k + 3);
        ASSERT_EQ(r.informe.avisos[2 * k + 1].codigo, "profesor_inexistente");
    }
    EXPECT_EQ(r.informe.recuentos.back().registros, filas.size());

    const std::vector<std::vector<std::size_t>> malos = {{1}, {1500, 4990}, {700, 1500}, {4999}, {3100, 2100}};
    for (const auto& m : malos) {
        const std::size_t primero = *std::min_element(m.begin(), m.end());
        EXPECT_THAT(Fallo(seccion(m)), ::testing::HasSubstr("dasignatura número " + std::to_string(primero) + ","))
            << primero;
    }
}

}  // namespace
}  // namespace thn::prueba
