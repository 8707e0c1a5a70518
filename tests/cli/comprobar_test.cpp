// SPDX-License-Identifier: EUPL-1.2
// comprobar: every problem of a document or a solution in one run, and
// nothing touched.

#include "cli/cli_prueba.h"
#include "comun/centro.h"
#include "comun/comun.h"
#include "exportar/comprobacion_documento.h"
#include "exportar/exportacion.h"
#include "base/error.h"
#include "importar/comprobacion_solucion.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace thn::prueba {
namespace {

namespace fs = std::filesystem;

// Exit status, and standard output followed by standard error.
int Orden(const std::vector<std::string>& args, std::string* salida = nullptr)
{
    const auto r = Cli(args);
    if (salida)
        *salida = r.salida + r.errores;
    return r.estado;
}

// 1-based line of the first line of `texto` that holds `marca`.
std::size_t Linea(const std::string& texto, const std::string& marca)
{
    const std::size_t i = texto.find(marca);
    return i == std::string::npos ? 0 : 1 + static_cast<std::size_t>(std::count(texto.begin(), texto.begin() + static_cast<std::ptrdiff_t>(i), '\n'));
}

// Every item of a check, one line each: "list code element#position [attribute line]".
std::vector<std::string> Lineas(const Comprobacion& c)
{
    std::vector<std::string> r;
    for (const Problema& p : c.problemas)
        r.push_back("problema " + p.codigo + " " + p.elemento + "#" + std::to_string(p.posicion) + " " + p.atributo
                    + " " + std::to_string(p.linea));
    for (const auto& [lista, items] : {std::pair{"omision", &c.informe.omisiones}, {"aviso", &c.informe.avisos},
                                       {"cambio", &c.cambios}})
        for (const Omision& o : *items)
            r.push_back(std::string(lista) + " " + o.codigo + " " + o.elemento + "#" + std::to_string(o.posicion));
    std::string recuentos = "recuentos";
    for (const auto& n : c.informe.recuentos)
        recuentos += " " + n.tabla + "=" + std::to_string(n.registros);
    r.push_back(recuentos);
    return r;
}

class Comprobar : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(htemp);
        fs::create_directory(temporal);
        // The check's own folder goes under the temporary directory: a private
        // one tells that it is always removed.
        PonerVariable("TMPDIR", temporal.string());
        PonerVariable("TRANSHORALIA_HTEMP", htemp.string());
    }
    void TearDown() override
    {
        QuitarVariable("TMPDIR");
        QuitarVariable("TRANSHORALIA_HTEMP");
    }

    // Horalia's directory as an earlier export left it, with a stranger beside.
    void Exportado(const std::string& secciones)
    {
        EscribirFichero(dir / "bueno.xml", Centro(secciones));
        RegistrosCodigos r;
        ComponentesTabla c;
        thn::Exportar(dir / "bueno.xml", htemp, r, c);
        EscribirFichero(htemp / "NOTAS.TXT", "de Horalia");
    }

    DirectorioTemporal dir;
    fs::path htemp = dir / "HTEMP";
    fs::path temporal = dir / "tmp";
    fs::path documento = dir / "centro.xml";
};

std::string Profesores()
{
    return Seccion("profesores", "profesor", {
        {{"codigo", "MGR"}, {"nombre", "Łucja"}, {"apellido1", "Gil"}, {"apellido2", "Pardo"}, {"documento", "1"},
         {"idprofesor", "501"}},
        {{"codigo", "MGR"}, {"nombre", "Manuel"}, {"apellido1", "Gómez"}, {"apellido2", "Rey"}, {"documento", "2"},
         {"idprofesor", "502"}},
        {{"codigo", "LRS"}, {"nombre", "Luis"}, {"apellido1", "Ruiz"}, {"apellido2", "Sanz"}, {"documento", "3"},
         {"idprofesor", "PROFESOR-00503"}}});
}

std::string Grupos(bool con_curso)
{
    Atributos segundo = {{"codigo", "1ESOA"}, {"nombre", "1º ESO A"}, {"codigo_nivel", "ESO"}, {"curso", "1"},
                         {"cgrupo", "A"}, {"idgrupo", "G2"}};
    if (con_curso)
        segundo.push_back({"idcurso", "C2"});
    return Seccion("grupos", "dgrupo", {
        {{"codigo", "1BACH-CIENCIAS"}, {"nombre", "1º Bach"}, {"codigo_nivel", "BACH"}, {"curso", "1"},
         {"cgrupo", "A"}, {"idgrupo", "G1"}, {"idcurso", "C1"}},
        segundo});
}

TEST_F(Comprobar, DocumentoTodosLosProblemasEnUnaPasadaSinTocarNada)
{
    const std::string texto = Centro(
        Seccion("materias", "dmateria", {
            {{"codigo", "MAT"}, {"nombre", "Matemáticas"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}},
            {{"codigo", "MAT"}, {"nombre", "Matemáticas II"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "102"}},
            {{"codigo", "FIS"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "103"}},
            {{"codigo", "LECTIVA"}, {"nombre", "Lectiva"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "900"}}})
        + Profesores()
        + Seccion("aulas", "daula", {
            {{"codigo", "A1"}, {"nombre", "Aula 1"}, {"capacidad_alumnos", "30 alumnos"}, {"idaula", "5001"}},
            {{"codigo", ""}, {"nombre", "Gimnasio"}, {"capacidad_alumnos", ""}, {"idaula", "5002"}}})
        + Grupos(false)
        + Seccion("franjashorarias", "franjahoraria", {
            {{"dia_semana", "1"}, {"posicion", "1"}, {"hora_inicio", "8:30"}, {"hora_final", "09:25"}},
            {{"dia_semana", "x"}, {"posicion", "2"}, {"hora_inicio", "09:25"}, {"hora_final", "10:20"}},
            {{"dia_semana", "1"}, {"posicion", "3"}, {"hora_inicio", "10:20"}, {"hora_final", "11:15"}}})
        + Seccion("asignaturas", "dasignatura", {
            {{"cgrupo", "G1"}, {"casig", "999"}, {"cprofe", "501"}, {"conexion", ""}, {"nhoras", "4"}},
            {{"cgrupo", "G1"}, {"casig", "101"}, {"cprofe", "501"}, {"conexion", ""}, {"nhoras", "dos"}},
            {{"cgrupo", "G1"}, {"casig", "101"}, {"cprofe", "777"}, {"conexion", ""}, {"nhoras", "3"}},
            {{"cgrupo", "G1"}, {"casig", "101"}, {"cprofe", "502"}, {"conexion", ""}, {"nhoras", "2,5"}}})
        + "<datos>\n" + Seccion("materias", "dmateria", {{{"codigo", "QUI"}}, {{"codigo", "BIO"}}}) + "</datos>\n"
        // Other data that happens to share a name: not the export's business.
        + "<tutorias><profesor codigo=\"Z\"/></tutorias>\n");
    EscribirFichero(documento, texto);
    const auto linea = [&](const std::string& marca) { return std::to_string(Linea(texto, marca)); };

    EXPECT_EQ(Lineas(ComprobarDocumento(documento)), (std::vector<std::string>{
        "problema falta_atributo dmateria#3 nombre " + linea("\"FIS\""),
        "problema entero_no_valido daula#1 capacidad_alumnos " + linea("30 alumnos"),
        "problema falta_atributo dgrupo#2 idcurso " + linea("\"G2\""),
        "problema hora_no_valida franjahoraria#1 hora_inicio " + linea("\"8:30\""),
        "problema entero_no_valido franjahoraria#2 dia_semana " + linea("\"x\""),
        "problema flotante_no_valido dasignatura#2 nhoras " + linea("\"dos\""),
        "omision fuera_de_lugar dmateria#0",
        "omision codigo_ocupado dmateria#2",
        "omision materia_inexistente dasignatura#1",
        "aviso profesor_inexistente dasignatura#3",
        "cambio caracter_no_representable profesor#1",
        "cambio codigo_con_contador profesor#2",
        "cambio texto_cortado profesor#3",
        "cambio codigo_desde_nombre daula#2",
        "cambio codigo_acortado dgrupo#1",
        "recuentos ASIGNOMT=2 PROFT=3 AULAT=1 GRUPOST=1 DIASHORAST=1 ASIGT=2",
    }));
    // The export itself still stops at the first.
    RegistrosCodigos registros;
    ComponentesTabla componentes;
    try {
        fs::create_directory(dir / "otro");
        thn::Exportar(documento, dir / "otro", registros, componentes);
        ADD_FAILURE() << "the export did not stop";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Falta el atributo 'nombre' en el elemento dmateria número 3");
    }

    // Through the CLI, with Horalia's directory holding tables: every exit
    // status, and that directory and the temporary one as they were.
    Exportado(Profesores());
    const Foto antes = Fotografiar(htemp);
    const std::string sin_fallos = (dir / "sin_fallos.xml").string(), limpio = (dir / "limpio.xml").string();
    EscribirFichero(sin_fallos, Centro(Profesores()));
    const std::string fuera = (dir / "fuera.xml").string();
    EscribirFichero(fuera, Centro("<profesor codigo=\"X\"/>\n"));
    EscribirFichero(limpio, Centro(Grupos(true).replace(Grupos(true).find("1BACH-CIENCIAS"), 14, "1BACH")));
    struct Caso {
        std::vector<std::string> args;
        int estado;
        std::string salida_empieza;
    } casos[] = {
        {{"comprobar", documento.string()}, 1, "La exportación se detendría: 6 problemas\n"},
        {{"comprobar", sin_fallos}, 4, "La exportación se completaría con 3 cambios\n"},
        {{"comprobar", limpio, "--json"}, 0, "{\"formato\":1,"},
        {{"comprobar", (dir / "no.xml").string()}, 3, "No existe archivo\n"},
        {{"comprobar", htemp.string()}, 3, "No existe archivo\n"},
        // What the export passes over goes to its own report too.
        {{"exportar", fuera, "--estricto", "--htemp", (dir / "otro").string()}, 4, "Proceso finalizado\n"},
        {{"exportar", limpio, "--solucion"}, 2, "transhoralianorvica-cli: la opción --solucion solo vale con comprobar"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.args[1]);
        std::string salida;
        EXPECT_EQ(Orden(c.args, &salida), c.estado);
        EXPECT_EQ(salida.substr(0, c.salida_empieza.size()), c.salida_empieza) << salida;
    }
    EXPECT_EQ(Diferencias(antes, Fotografiar(htemp)), "");
    EXPECT_TRUE(fs::is_empty(temporal));
}

TEST_F(Comprobar, SolucionTodosLosProblemasSinEscribirNada)
{
    Exportado(Seccion("materias", "dmateria", {
                  {{"codigo", "MAT"}, {"nombre", "Matemáticas"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}}})
              + Profesores() + Grupos(true)
              + Seccion("aulas", "daula", {{{"codigo", "A1"}, {"nombre", "Aula 1"}, {"capacidad_alumnos", "30"},
                                            {"idaula", "5001"}}}));
    using dbf::TipoCampo;
    struct Registro {
        std::string dia, hora, grupo, asig, prof, aula;
    };
    const auto soluc = [&](const std::vector<Registro>& registros, bool con_aula) {
        std::vector<dbf::DefinicionCampo> campos = {
            {"DIA", TipoCampo::Caracter, 2}, {"HORA", TipoCampo::Flotante, 0}, {"SESIONES", TipoCampo::Caracter, 20},
            {"CODGRUPO", TipoCampo::Caracter, 10}, {"ASIG", TipoCampo::Caracter, 10},
            {"TAREA", TipoCampo::Caracter, 10}, {"PROF", TipoCampo::Caracter, 10}};
        if (con_aula)
            campos.push_back({"AULA", TipoCampo::Caracter, 10});
        dbf::Tabla::Crear(htemp / "SOLUC.DBF", campos);
        dbf::Tabla t(htemp / "SOLUC.DBF", dbf::Acceso::Exclusivo);
        for (const auto& r : registros) {
            t.Anadir();
            t.PonerTexto("DIA", r.dia);
            t.PonerTexto("HORA", r.hora);
            t.PonerTexto("SESIONES", "1");
            t.PonerTexto("CODGRUPO", r.grupo);
            t.PonerTexto("ASIG", r.asig);
            t.PonerTexto("TAREA", "LECT");
            t.PonerTexto("PROF", r.prof);
            if (con_aula)
                t.PonerTexto("AULA", r.aula);
            t.Grabar();
        }
        t.Cerrar();
        // Computed before the export that wrote the other tables.
        fs::last_write_time(htemp / "SOLUC.DBF", fs::last_write_time(htemp / "ASIGNOMT.DBF") - std::chrono::hours(1));
    };
    soluc({{"1", "1", "1BACH-CIAS", "MAT", "MGR", "A1"},
           {"0", "2", "1BACH-CIAS", "MAT", "MGR", "A1"},
           {"1", "0", "1BACH-CIAS", "MAT", "MGR", "A1"},
           {"1", "3", "1BACH-CIAS", "FIS", "MGR", "A1"},
           {"1", "4", "NADA", "MAT", "NADIE", "NINGUNA"},
           {"x", "5", "1BACH-CIAS", "MAT", "MGR", "A1"}},
          true);
    EscribirFichero(htemp / "AULAT.DBF", LeerFichero(htemp / "AULAT.DBF") + std::string(300, 'Z'));
    EscribirFichero(documento, "<centro codigo_interno=\"1\" nombre=\"IES\" curso=\"2026\"/>");

    const Foto antes = Fotografiar(htemp);
    const auto tiempos = [&] {
        std::string t;
        for (const auto& e : fs::directory_iterator(htemp))
            t += e.path().filename().string() + std::to_string(e.last_write_time().time_since_epoch().count()) + " ";
        return t;
    };
    const std::string tiempos_antes = tiempos();
    EXPECT_EQ(Lineas(ComprobarSolucion(documento, htemp)), (std::vector<std::string>{
        "problema falta_atributo centro#1 version 0",
        "problema valor_no_valido SOLUC#6  0",
        "omision cabecera_no_coincide AULAT#0",
        "omision sin_dia SOLUC#2",
        "omision sin_hora SOLUC#3",
        "omision materia_inexistente SOLUC#4",
        "aviso grupo_inexistente SOLUC#5",
        "aviso profesor_inexistente SOLUC#5",
        "aviso aula_inexistente SOLUC#5",
        "cambio soluc_anterior SOLUC#0",
        "recuentos dsolucion=2",
    }));
    std::string salida;
    EXPECT_EQ(Orden({"comprobar", documento.string(), "--solucion"}, &salida), 1);
    EXPECT_EQ(salida.rfind("La importación se detendría: 2 problemas\n", 0), 0u) << salida;
    EXPECT_EQ(Diferencias(antes, Fotografiar(htemp)), "");
    EXPECT_EQ(tiempos(), tiempos_antes);

    // What stops the import before any record is read.
    soluc({}, false);
    fs::remove(htemp / "ASIGT.DBF");
    EXPECT_EQ(Lineas(ComprobarSolucion(documento, htemp)), (std::vector<std::string>{
        "problema falta_atributo centro#1 version 0",
        "problema tabla_inexistente ASIGT#0  0",
        "omision cabecera_no_coincide AULAT#0",
        "recuentos",
    }));
    dbf::Tabla::Crear(htemp / "ASIGT.DBF", {{"CASIG", TipoCampo::Caracter, 10}});
    EXPECT_EQ(Lineas(ComprobarSolucion(documento, htemp))[1], "problema campo_inexistente SOLUC#0 AULA 0");
    EXPECT_EQ(Orden({"comprobar", documento.string(), "--solucion", "--htemp", (dir / "NOHAY").string()}), 3);
}

}  // namespace
}  // namespace thn::prueba
