// SPDX-License-Identifier: EUPL-1.2
#include "comun/centro.h"
#include "comun/comun.h"
#include "exportar/exportacion.h"
#include "documento/centro.h"
#include "base/error.h"
#include "trabajo/tablas.h"
#include "importar/importacion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace thn::prueba {
namespace {

struct Entrada {
    std::int32_t dia;
    double hora;
    std::string sesiones, grupo, asig, tarea, prof, aula;  // Windows-1252
};

std::string Base()
{
    return Seccion("materias", "dmateria", {
               {{"codigo", "MAT"}, {"nombre", "Matemáticas"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}},
               {{"codigo", "MUS"}, {"nombre", "Música"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "MUSI7"}},
               {{"codigo", "LECTIVA"}, {"nombre", "Lectiva"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "900"}},
               {{"codigo", "GUARDIA"}, {"nombre", "Guardia"}, {"codigo_actividad", "GUARDIA"}, {"idmateria", "901"}},
           })
         + Seccion("profesores", "profesor", {
               {{"codigo", "MGR"}, {"nombre", "María"}, {"apellido1", "García"}, {"apellido2", "Ruiz"},
                {"documento", "1"}, {"idprofesor", "501"}},
           })
         + Seccion("aulas", "daula", {
               {{"codigo", "A1"}, {"nombre", "Aula 1"}, {"capacidad_alumnos", "30"}, {"idaula", "AULA-0001"}},
           })
         + Seccion("grupos", "dgrupo", {
               {{"codigo", "1ESOA"}, {"nombre", "1º ESO A"}, {"codigo_nivel", "ESO"}, {"curso", "1"},
                {"cgrupo", "A"}, {"idgrupo", "G1"}, {"idcurso", "C1"}},
           });
}

class Importacion : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(htemp);
        EscribirFichero(documento, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- NORVICA -->\n"
                                   "<centro codigo_interno=\" 15000001 \" nombre=\"IES Ñandú Ω\" curso=\"2026/2027\" "
                                   "version=\"3\" otro=\"x\">\n" + Base() + "</centro>\n<?fin de centro?>\n");
        RegistrosCodigos registros;
        ComponentesTabla c;
        thn::Exportar(documento, htemp, registros, c);
    }

    void Soluc(const std::vector<Entrada>& entradas)
    {
        dbf::Tabla t = NuevaSoluc(htemp);
        for (const auto& e : entradas) {
            t.Anadir();
            t.PonerEntero("DIA", e.dia);
            t.PonerFlotante("HORA", e.hora);
            t.PonerTexto("SESIONES", e.sesiones);
            t.PonerTexto("CODGRUPO", e.grupo);
            t.PonerTexto("ASIG", e.asig);
            t.PonerTexto("TAREA", e.tarea);
            t.PonerTexto("PROF", e.prof);
            t.PonerTexto("AULA", e.aula);
            t.Grabar();
        }
    }

    ResultadoAccion Importar()
    {
        Reloj reloj{[] { return std::time_t{1796637600}; }, "%d/%m/%Y", "%H:%M:%S"};
        return thn::Importar(documento, htemp, componentes, ',', reloj);
    }

    // The dsolucion elements of the result, as written.
    std::string Solucion()
    {
        const std::string texto = LeerFichero(dir / "ResultadoHoraliacentro.xml");
        const auto inicio = texto.find("<solucion_horario");
        const auto fin = texto.find("</centro>");
        return inicio == std::string::npos ? texto : texto.substr(inicio, fin - inicio);
    }

    DirectorioTemporal dir;
    std::filesystem::path htemp = dir / "HTEMP";
    std::filesystem::path documento = dir / "centro.xml";
    ComponentesTabla componentes;
};

std::string Ds(const std::string& casig, const std::string& cgrupo, const std::string& cprofe, const std::string& caula,
               const std::string& cactiv, const std::string& dia, const std::string& hora, const std::string& sesiones,
               const std::string& idcurso)
{
    return "<dsolucion casig=\"" + casig + "\" cgrupo=\"" + cgrupo + "\" cprofe=\"" + cprofe + "\" caula=\"" + caula
         + "\" cactiv=\"" + cactiv + "\" dia=\"" + dia + "\" hora=\"" + hora + "\" sesiones=\"" + sesiones
         + "\" idcurso=\"" + idcurso + "\"/>";
}

TEST_F(Importacion, DocumentoResultadoCompleto)
{
    Soluc({{1, 2, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"}});
    const auto r = Importar();
    ASSERT_EQ(r.desenlace, Desenlace::Completado);
    const Reloj reloj{[] { return std::time_t{1796637600}; }, "%d/%m/%Y", "%H:%M:%S"};
    const std::string marca = reloj.MarcaTemporal();
    // Whatever stood outside the root stays; the root's identity is trimmed and
    // passes through the code page; nothing else of the old document survives.
    EXPECT_EQ(LeerFichero(dir / "ResultadoHoraliacentro.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- NORVICA -->\n<?fin de centro?>\n"
              "<centro codigo_interno=\"15000001\" nombre=\"IES Ñandú ?\" curso=\"2026/2027\" fecha_exportacion=\""
                  + marca
                  + "\" version=\"3\"><solucion_horario>"
                  + Ds("101", "G1", "501", "AULA-0001", "900", "1", "2", "1", "C1")
                  + "</solucion_horario></centro>\n");
}

TEST_F(Importacion, BucleDeEntradas)
{
    Soluc({
        {0, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"},     // 1: no day
        {1, 0, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"},     // 2: no hour
        {1, 1, "1", "1ESOA", "XXX", "LECT", "MGR", "A1"},     // 3: unknown subject, all else found
        {1, 2, "11", "9Z", "MAT", "GUAR", "NADIE", "NINGUNA"},// 4: group, teacher, room unknown
        {2, 3, "1\xbd", "1ESOA", "MUS", "lect", "MGR", "A1"},    // 5: lower-case lect is not translated
        {2, 4, "1", "1ESOA", "MUS", "MUSI", "MGR", "A1"},     // 6: first four characters of casig
        {2, 5, "1", "1ESOA", "MAT", "OTRA", "mgr", "a1"},     // 7: any other activity; case counts
        {3, 2.5, "1", "", "MAT", "LECTIVA", "", ""},          // 8: an ASIGNOMT code; empty keys
    });
    const auto r = Importar();
    EXPECT_EQ(Solucion(), "<solucion_horario>"
                              + Ds("101", "", "", "", "901", "1", "2", "11", "")
                              + Ds("MUSI7", "G1", "501", "AULA-0001", "lect", "2", "3", "1½", "C1")
                              + Ds("MUSI7", "G1", "501", "AULA-0001", "MUSI7", "2", "4", "1", "C1")
                              + Ds("101", "G1", "", "", "OTRA", "2", "5", "1", "C1")
                              + Ds("101", "", "", "", "900", "3", "2,5", "1", "")
                              + "</solucion_horario>");
    ASSERT_EQ(r.informe.omisiones.size(), 3u);
    EXPECT_EQ(r.informe.omisiones[0].donde, "SOLUC registro 1");
    EXPECT_EQ(r.informe.omisiones[1].donde, "SOLUC registro 2");
    EXPECT_EQ(r.informe.omisiones[2].motivo, "la materia 'XXX' no está en ASIGNOMT: no se escribe");
    // Look-ups of a non-empty key that found nothing: 9Z, NADIE, NINGUNA, mgr, a1.
    EXPECT_EQ(r.informe.avisos.size(), 5u);
    EXPECT_EQ(r.informe.recuentos.at(0).registros, 5u);
}

TEST_F(Importacion, SinLectivaNiGuardiaEnAsignomt)
{
    // A centre without those activities keeps the long words.
    RegistrosCodigos registros;
    ComponentesTabla c;
    EscribirFichero(documento, Centro(Seccion("materias", "dmateria", {
        {{"codigo", "MAT"}, {"nombre", "M"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}}})));
    thn::Exportar(documento, htemp, registros, c);
    Soluc({{1, 1, "1", "", "MAT", "LECT", "", ""}, {1, 2, "1", "", "MAT", "GUAR", "", ""}});
    Importar();
    EXPECT_EQ(Solucion(), "<solucion_horario>" + Ds("101", "", "", "", "LECTIVA", "1", "1", "1", "")
                              + Ds("101", "", "", "", "GUARDIA", "1", "2", "1", "") + "</solucion_horario>");
}

TEST_F(Importacion, SolucVaciaYRepeticion)
{
    Soluc({});
    Importar();
    EXPECT_EQ(Solucion(), "<solucion_horario/>");
    Soluc({{1, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"}});
    Importar();
    EXPECT_NE(Solucion().find("<dsolucion"), std::string::npos);
}

TEST_F(Importacion, FaltanEntradas)
{
    // No SOLUC: nothing touched, nothing saved.
    EXPECT_EQ(Importar().desenlace, Desenlace::FaltaEntrada);
    Soluc({});
    EXPECT_EQ(thn::Importar(dir / "otro.xml", htemp, componentes, ',', RelojDelSistema()).desenlace,
              Desenlace::FaltaEntrada);
    EXPECT_EQ(thn::Importar("", htemp, componentes, ',', RelojDelSistema()).desenlace, Desenlace::FaltaEntrada);
    EXPECT_FALSE(std::filesystem::exists(dir / "ResultadoHoraliacentro.xml"));
}

TEST_F(Importacion, SolucConNombreEnMinusculas)
{
    Soluc({{1, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"}});
    std::filesystem::rename(htemp / "SOLUC.DBF", htemp / "soluc.dbf");
    EXPECT_EQ(Importar().desenlace, Desenlace::Completado);
}

TEST_F(Importacion, FallosNoGuardanNadaNiDejanTablasBloqueadas)
{
    Soluc({{1, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"}});
    const std::string valido = LeerFichero(documento);
    struct Caso {
        const char* nombre;
        std::function<void()> preparar;
        std::string contiene;
    } casos[] = {
        {"falta una tabla", [&] { std::filesystem::remove(htemp / "ASIGT.DBF"); }, "ASIGT"},
        {"documento mal formado", [&] { EscribirFichero(documento, "<centro>"); }, "no es un documento XML"},
        {"NUL y basura tras la raíz",
         [&] { EscribirFichero(documento, valido + std::string(1, '\0') + "basura"); },
         "El archivo '" + documento.string() + "' no es un documento XML válido (línea "
             + std::to_string(std::count(valido.begin(), valido.end(), '\n') + 1) + ": "},
        {"raíz sin version",
         [&] { EscribirFichero(documento, "<centro codigo_interno=\"1\" nombre=\"x\" curso=\"y\"/>"); },
         "Falta el atributo 'version' en el elemento centro"},
        {"otra raíz", [&] { EscribirFichero(documento, "<colegio/>"); }, "'colegio'"},
        {"falta un campo en SOLUC",
         [&] {
             dbf::Tabla::Crear(htemp / "SOLUC.DBF", {{"DIA", dbf::TipoCampo::Entero, 0}, {"HORA", dbf::TipoCampo::Entero, 0}});
         },
         "Falta el campo 'SESIONES'"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();  // fresh tables and document
        Soluc({{1, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"}});
        c.preparar();
        try {
            Importar();
            ADD_FAILURE() << "completada";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.contiene), std::string::npos) << e.what();
        }
        EXPECT_FALSE(std::filesystem::exists(dir / "ResultadoHoraliacentro.xml"));
        for (const char* t : {"SOLUC", "GRUPOST", "PROFT", "AULAT", "ASIGNOMT"})
            EXPECT_NO_THROW(dbf::Tabla(htemp / (std::string(t) + ".DBF"), dbf::Acceso::Exclusivo)) << t;
        EscribirFichero(documento, valido);
    }
}

TEST_F(Importacion, SolucCortadaSeRechazaSinTocarElResultado)
{
    const std::vector<Entrada> entradas(3, {1, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"});
    Soluc(entradas);
    Importar();
    const std::string anterior = LeerFichero(dir / "ResultadoHoraliacentro.xml");
    const std::string soluc = LeerFichero(htemp / "SOLUC.DBF");
    const std::size_t cabecera = static_cast<unsigned char>(soluc[8]) + 256u * static_cast<unsigned char>(soluc[9]);
    const std::size_t registro = static_cast<unsigned char>(soluc[10]) + 256u * static_cast<unsigned char>(soluc[11]);
    ASSERT_EQ(soluc.size(), cabecera + 3 * registro + 1);
    const struct {
        std::size_t largo;
        std::string error;
    } casos[] = {
        {40, "no es una tabla dBASE válida"},  // inside the header
        {cabecera, "La tabla 'SOLUC' está incompleta: su cabecera anuncia 3 registros y el fichero solo contiene 0"},
        {cabecera + registro + 5, "anuncia 3 registros y el fichero solo contiene 1"},
        {cabecera + 3 * registro - 1, "anuncia 3 registros y el fichero solo contiene 2"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.largo);
        EscribirFichero(htemp / "SOLUC.DBF", soluc.substr(0, c.largo));
        try {
            Importar();
            ADD_FAILURE() << "completada";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
        EXPECT_EQ(LeerFichero(dir / "ResultadoHoraliacentro.xml"), anterior);
    }
}

TEST_F(Importacion, RegistrosTrasLosQueAnunciaLaCabeceraSeListanComoDejadosFuera)
{
    Soluc(std::vector<Entrada>(3, {1, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"}));
    const std::string soluc = LeerFichero(htemp / "SOLUC.DBF");
    const struct {
        unsigned anunciados;
        std::string relleno;   // after the end mark
        std::string omision;   // empty: none
    } casos[] = {
        {1, "", "su cabecera anuncia 1 registro"},
        {2, "", "(1 registros enteros) no se leen"},
        {3, "", ""},
        {3, "  ", ""},  // padding, not a record
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.anunciados) + " anunciados");
        std::string cambiada = soluc + c.relleno;
        cambiada[4] = static_cast<char>(c.anunciados);
        EscribirFichero(htemp / "SOLUC.DBF", cambiada);
        const ResultadoAccion r = Importar();
        ASSERT_EQ(r.informe.recuentos.at(0).registros, c.anunciados);
        if (c.omision.empty()) {
            EXPECT_TRUE(r.informe.omisiones.empty());
            continue;
        }
        ASSERT_EQ(r.informe.omisiones.size(), 1u);
        EXPECT_EQ(r.informe.omisiones[0].elemento, "SOLUC");
        EXPECT_EQ(r.informe.omisiones[0].codigo, "cabecera_no_coincide");
        EXPECT_NE(r.informe.omisiones[0].motivo.find(c.omision), std::string::npos) << r.informe.omisiones[0].motivo;
    }
}

TEST_F(Importacion, TablaBloqueadaYDirectorioDeSoloLectura)
{
    Soluc({{1, 1, "1", "1ESOA", "MAT", "LECT", "MGR", "A1"}});
    {
        dbf::Tabla ocupada(htemp / "AULAT.DBF", dbf::Acceso::Exclusivo);
        EXPECT_THROW(Importar(), Error);
    }
    EXPECT_NO_THROW(dbf::Tabla(htemp / "SOLUC.DBF", dbf::Acceso::Exclusivo));

    // A result that cannot be written: nothing half-written is left behind.
    std::filesystem::create_directories(dir / "ResultadoHoraliacentro.xml" / "ocupado");
    EXPECT_THROW(Importar(), Error);
    std::vector<std::string> quedan;
    for (const auto& e : std::filesystem::directory_iterator(dir.Ruta()))
        quedan.push_back(e.path().filename().string());
    std::sort(quedan.begin(), quedan.end());
    EXPECT_EQ(quedan, (std::vector<std::string>{"HTEMP", "ResultadoHoraliacentro.xml", "centro.xml"}));
    EXPECT_NO_THROW(dbf::Tabla(htemp / "SOLUC.DBF", dbf::Acceso::Exclusivo));
}

}  // namespace
}  // namespace thn::prueba
