// SPDX-License-Identifier: EUPL-1.2
// SOLUC as Horalia hands it over: written by another implementation of the
// table format, at several levels and with several kinds of DIA and HORA.

#include "comun/centro.h"
#include "comun/comun.h"
#include "exportar/exportacion.h"
#include "dbf/tabla.h"
#include "documento/centro.h"
#include "base/error.h"
#include "importar/importacion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>

namespace thn::prueba {
namespace {

#ifdef THN_TDBF
constexpr const char* kTdbf = THN_TDBF;
#else
constexpr const char* kTdbf = "";
#endif

// Runs `orden`, feeding it `entrada`; true when it exits with 0.
bool Ejecutar(const std::string& orden, const std::string& entrada)
{
    FILE* p = ::popen(orden.c_str(), "w");
    if (!p)
        return false;
    std::fwrite(entrada.data(), 1, entrada.size(), p);
    return ::pclose(p) == 0;
}

class SolucExterna : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(kTdbf))
            GTEST_SKIP() << "sin thn-tdbf (Free Pascal)";
        std::filesystem::create_directory(htemp);
    }

    void Exportar(const std::string& centro)
    {
        EscribirFichero(documento, centro);
        RegistrosCodigos registros;
        ComponentesTabla c;
        ASSERT_EQ(thn::Exportar(documento, htemp, registros, c).desenlace, Desenlace::Completado);
    }

    void EscribirSoluc(int nivel, const std::string& lineas)
    {
        ASSERT_TRUE(Ejecutar(std::string(kTdbf) + " escribir " + std::to_string(nivel) + " '"
                                 + (htemp / "SOLUC.DBF").string() + "'",
                             lineas));
    }

    std::vector<std::map<std::string, std::string>> Dsoluciones()
    {
        const auto doc = DocumentoCentro::Cargar(dir / ("ResultadoHoralia" + documento.filename().string()));
        std::vector<std::map<std::string, std::string>> r;
        for (const auto& e : doc.Seleccionar("/centro/solucion_horario/dsolucion")) {
            std::map<std::string, std::string> m;
            for (const char* a : {"casig", "cgrupo", "cprofe", "caula", "cactiv", "dia", "hora", "sesiones", "idcurso"})
                m[a] = e.Atributo(a);
            r.push_back(m);
        }
        return r;
    }

    ResultadoAccion Importar(char separador = ',')
    {
        return thn::Importar(documento, htemp, componentes, separador, RelojDelSistema());
    }

    DirectorioTemporal dir;
    std::filesystem::path htemp = dir / "HTEMP";
    std::filesystem::path documento = dir / "centro.xml";
    ComponentesTabla componentes;
};

TEST_F(SolucExterna, NivelesYTiposDeDiaYHora)
{
    Exportar(Centro(Seccion("materias", "dmateria", {
        {{"codigo", "MAT"}, {"nombre", "Matemáticas"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}}})));
    struct Caso { int nivel; std::string campos; std::string hora_leida; } casos[] = {
        {3, "DIA:N:2:0;HORA:N:2:0", "3"},
        {3, "DIA:N:9:0;HORA:N:18:8", "3"},
        {4, "DIA:N:4:0;HORA:F:10:2", "3"},
        {4, "DIA:C:3;HORA:C:5", "3"},
        {7, "DIA:I;HORA:I", "3"},
        {7, "DIA:I;HORA:O", "3"},
        {7, "DIA:N:9:0;HORA:N:6:1", "3"},
        {25, "DIA:N:2:0;HORA:N:4:1", "3"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.nivel) + " " + c.campos);
        EscribirSoluc(c.nivel, c.campos + ";SESIONES:C:20;CODGRUPO:C:10;ASIG:C:10;TAREA:C:10;PROF:C:10;AULA:C:10\n"
                                          "2\t3\t1\t\tMAT\tLECT\t\t\n"
                                          "0\t3\t1\t\tMAT\tLECT\t\t\n"
                                          "2\t0\t1\t\tMAT\tLECT\t\t\n");
        Importar();
        const auto ds = Dsoluciones();
        ASSERT_EQ(ds.size(), 1u);
        EXPECT_EQ(ds[0].at("dia"), "2");
        EXPECT_EQ(ds[0].at("hora"), c.hora_leida);
        EXPECT_EQ(ds[0].at("casig"), "101");
    }
}

TEST_F(SolucExterna, HoraConDecimalesYTextoQueNoEsNumero)
{
    Exportar(Centro(Seccion("materias", "dmateria", {
        {{"codigo", "MAT"}, {"nombre", "M"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}}})));
    const std::string resto = ";SESIONES:C:20;CODGRUPO:C:10;ASIG:C:10;TAREA:C:10;PROF:C:10;AULA:C:10\n";
    EscribirSoluc(3, "DIA:N:2:0;HORA:N:6:2" + resto + "1\t2.50\t1\t\tMAT\t\t\t\n");
    Importar(',');
    EXPECT_EQ(Dsoluciones().at(0).at("hora"), "2,5");

    EscribirSoluc(4, "DIA:C:4;HORA:C:4" + resto + "1\tdos\t1\t\tMAT\t\t\t\n");
    try {
        Importar();
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "'dos' no es un valor punto flotante válido");
    }
    EscribirSoluc(4, "DIA:C:4;HORA:C:4" + resto + "lun\t2\t1\t\tMAT\t\t\t\n");
    try {
        Importar();
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "'lun' no es un valor entero válido");
    }
}

// Export, a solution built from the export's own tables, import: every
// entry carries the identifiers the centre gave its subject, group, teacher
// and room.
TEST_F(SolucExterna, IdaYVueltaConElEjemplo)
{
    const auto ejemplo = std::filesystem::path(THN_DATOS_PRUEBA).parent_path().parent_path() / "examples" / "centro.xml";
    ASSERT_TRUE(std::filesystem::exists(ejemplo));
    std::filesystem::copy_file(ejemplo, documento);
    RegistrosCodigos registros;
    ComponentesTabla c;
    ASSERT_EQ(thn::Exportar(documento, htemp, registros, c).desenlace, Desenlace::Completado);
    const std::string herramienta = (DirectorioBinario() / "tests" / "thn-soluc-prueba").string();
    ASSERT_EQ(std::system((herramienta + " '" + htemp.string() + "' 2>/dev/null | " + kTdbf + " escribir 3 '"
                           + (htemp / "SOLUC.DBF").string() + "'").c_str()),
              0);
    const auto r = Importar();
    EXPECT_TRUE(r.informe.omisiones.empty());

    const auto centro = DocumentoCentro::Cargar(ejemplo);
    std::set<std::string> aulas;
    for (const auto& e : centro.Seleccionar("/centro/aulas/daula"))
        aulas.insert(e.Atributo("idaula"));
    std::set<std::tuple<std::string, std::string, std::string>> asignaciones;
    for (const auto& e : centro.Seleccionar("/centro/asignaturas/dasignatura"))
        asignaciones.insert({e.Atributo("casig"), e.Atributo("cgrupo"), e.Atributo("cprofe")});

    // Every session of every assignment comes back.
    std::size_t sesiones = 0;
    {
        dbf::Tabla asigt(htemp / "ASIGT.DBF", dbf::Acceso::Compartido);
        for (asigt.Primero(); !asigt.Fin(); asigt.Siguiente())
            sesiones += static_cast<std::size_t>(std::ceil(asigt.LeerNumero("HORAS")));
    }
    const auto ds = Dsoluciones();
    ASSERT_GT(ds.size(), 300u);
    EXPECT_EQ(ds.size(), sesiones);
    for (const auto& d : ds) {
        EXPECT_TRUE(asignaciones.count({d.at("casig"), d.at("cgrupo"), d.at("cprofe")}))
            << d.at("casig") << " " << d.at("cgrupo") << " " << d.at("cprofe");
        EXPECT_TRUE(d.at("caula").empty() || aulas.count(d.at("caula"))) << d.at("caula");
    }
}

}  // namespace
}  // namespace thn::prueba
