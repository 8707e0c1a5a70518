// SPDX-License-Identifier: EUPL-1.2
#include "cli/cli_prueba.h"
#include "comun/centro.h"
#include "comun/comun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace thn::prueba {
namespace {

class Cli_ : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(htemp);
        EscribirFichero(documento, Centro(Seccion("profesores", "profesor", {
            {{"codigo", "MGR"}, {"nombre", "María"}, {"apellido1", "García"}, {"apellido2", "Ruiz"},
             {"documento", "1"}, {"idprofesor", "501"}}})));
        QuitarVariable("TRANSHORALIA_HTEMP");
    }
    void TearDown() override { QuitarVariable("TRANSHORALIA_HTEMP"); }

    DirectorioTemporal dir;
    std::filesystem::path htemp = dir / "HTEMP";
    std::filesystem::path documento = dir / "centro.xml";
};

TEST_F(Cli_, EstadosDeSalidaYMensajes)
{
    const std::string h = htemp.string(), d = documento.string(), no = (dir / "no.xml").string();
    const std::string omite = (dir / "omite.xml").string();
    EscribirFichero(omite, Centro(Seccion("materias", "dmateria", {
        {{"codigo", "MAT"}, {"nombre", "Uno"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "1"}},
        {{"codigo", "MAT"}, {"nombre", "Dos"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "2"}}})));
    const std::string ayuda = " (vea transhoralianorvica-cli --help)\n";
    const std::string nada = "No se ha cambiado ninguna tabla de Horalia.\n";
    struct Caso {
        std::vector<std::string> args;
        int estado;
        std::string salida_empieza, errores;  // errores whole
    } casos[] = {
        {{"anteriores", "--htemp", h}, 0, "No hay exportaciones anteriores guardadas\n", ""},
        {{"restaurar", "--htemp", h}, 1, "", "No hay exportaciones anteriores guardadas.\n" + nada},
        {{"exportar", d, "--htemp", h}, 0, "Proceso finalizado\nASIGNOMT: 0 registros\nPROFT: 1 registro\n", ""},
        {{"exportar", d, "--htemp=" + h, "--estricto"}, 0, "Proceso finalizado\n", ""},
        {{"exportar", omite, "--htemp=" + h}, 0, "Proceso finalizado\n", ""},
        {{"exportar", omite, "--htemp=" + h, "--estricto"}, 4, "Proceso finalizado\nASIGNOMT: 1 registro\n", ""},
        {{"exportar", d, "--htemp", h, "--separador-decimal", ","}, 0, "Proceso finalizado\n", ""},
        {{"exportar", no, "--htemp", h}, 3, "", "No existe archivo\nNo se encuentra '" + no + "'.\n"},
        {{"exportar", dir.Ruta().string(), "--htemp", h}, 3, "",
         "No existe archivo\n'" + dir.Ruta().string() + "' es un directorio, no un archivo.\n"},
        {{"importar", d, "--htemp", h}, 3, "",
         "No existe archivo XML o Solución.\nNo se encuentra '" + (htemp / "SOLUC.DBF").string() + "'.\n"},
        {{"exportar", d, "--htemp", (dir / "NOHAY").string()}, 1, "",
         "No existe el directorio de trabajo de Horalia '" + (dir / "NOHAY").string() + "'\n" + nada},
        {{"exportar", d, "--htemp", d}, 1, "",
         "El directorio de trabajo de Horalia '" + d + "' es un archivo, no un directorio.\n" + nada},
        // Five exports have kept the three newest sets they replaced.
        {{"anteriores", "--htemp", h}, 0, "Exportaciones anteriores guardadas: 3, la más reciente primero:\n", ""},
        // The last export, of the document, replaced the tables of the one with a subject left out.
        {{"restaurar", "--htemp", h}, 0, "Proceso finalizado\nASIGNOMT: 1 registro\nPROFT: 0 registros\n", ""},
        {{"restaurar", "2000-01-01_00-00-00", "--htemp", h}, 1, "",
         "No hay ninguna exportación anterior guardada con la fecha '2000-01-01_00-00-00'\n"
         "Vea las que hay con: transhoralianorvica-cli anteriores\n" + nada},
        {{"anteriores", "x"}, 2, "", "transhoralianorvica-cli: sobra el argumento 'x'" + ayuda},
        {{"restaurar", "x", "y"}, 2, "", "transhoralianorvica-cli: sobra el argumento 'y'" + ayuda},
        {{}, 2, "", "transhoralianorvica-cli: falta la orden: exportar, importar, comprobar, anteriores o restaurar" + ayuda},
        {{"exportar"}, 2, "", "transhoralianorvica-cli: falta el documento del centro (CENTRO.xml)" + ayuda},
        {{"foo", d}, 2, "", "transhoralianorvica-cli: orden desconocida: 'foo'" + ayuda},
        {{"exportar", d, "otro"}, 2, "", "transhoralianorvica-cli: sobra el argumento 'otro'" + ayuda},
        {{"exportar", d, "--htemp"}, 2, "", "transhoralianorvica-cli: falta el valor de --htemp" + ayuda},
        {{"exportar", d, "--htemp="}, 2, "", "transhoralianorvica-cli: falta el valor de --htemp" + ayuda},
        {{"exportar", d, "--json=1"}, 2, "", "transhoralianorvica-cli: la opción --json no lleva valor" + ayuda},
        {{"exportar", d, "--nada"}, 2, "", "transhoralianorvica-cli: opción desconocida: '--nada'" + ayuda},
        {{"--version"}, 0, "transhoralianorvica-cli 1.0.0\n", ""},
        {{"exportar", "--help"}, 0, "Uso: transhoralianorvica-cli", ""},
        // With --json every answer, errors included, is one JSON object on standard output.
        {{"exportar", d, "--htemp", h, "--json"}, 0,
         "{\"formato\":1,\"programa\":\"transhoralianorvica-cli\",\"version\":\"1.0.0\",\"estado\":0,"
         "\"mensaje\":\"Proceso finalizado\",\"orden\":\"exportar\"", ""},
        {{"exportar", omite, "--htemp", h, "--json", "--estricto"}, 4, "{\"formato\":1,", ""},
        {{"exportar", no, "--htemp", h, "--json"}, 3,
         "{\"formato\":1,\"programa\":\"transhoralianorvica-cli\",\"version\":\"1.0.0\",\"estado\":3,"
         "\"mensaje\":\"No existe archivo\"", ""},
        {{"foo", "--json"}, 2, "{\"formato\":1,\"programa\":\"transhoralianorvica-cli\",\"version\":\"1.0.0\","
                               "\"estado\":2,\"mensaje\":\"orden desconocida: 'foo'\",\"orden\":null", ""},
        // Bytes that are not UTF-8 (a path, a system message) come out as U+FFFD.
        {{"f\xFFo\xE2\x82", "--json"}, 2, "{\"formato\":1,\"programa\":\"transhoralianorvica-cli\",\"version\":\"1.0.0\","
                               "\"estado\":2,\"mensaje\":\"orden desconocida: 'f\uFFFDo\uFFFD'\"", ""},
    };
    for (const auto& c : casos) {
        std::string traza;
        for (const auto& a : c.args)
            traza += a + " ";
        SCOPED_TRACE(traza);
        const auto r = Cli(c.args);
        EXPECT_EQ(r.estado, c.estado);
        EXPECT_EQ(r.salida.substr(0, c.salida_empieza.size()), c.salida_empieza) << r.salida;
        EXPECT_EQ(r.errores, c.errores);
        if (c.estado != 0 && c.estado != 4) {
            EXPECT_EQ(r.salida.find("Proceso finalizado"), std::string::npos);
        }
    }
}

TEST_F(Cli_, ErrorConElTextoDeLaCajaDeError)
{
    EscribirFichero(documento, Centro(Seccion("aulas", "daula", {{{"codigo", "A1"}, {"nombre", "x"}}})));
    const auto r = Cli({"exportar", documento.string(), "--htemp", htemp.string()});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores, "Falta el atributo 'capacidad_alumnos' en el elemento daula número 1.\n"
                         "No se ha cambiado ninguna tabla de Horalia.\n");
}

TEST_F(Cli_, DirectorioDeTrabajoPorVariableDeEntorno)
{
    PonerVariable("TRANSHORALIA_HTEMP", htemp.string());
    EXPECT_EQ(Cli({"exportar", documento.string()}).estado, 0);
    EXPECT_TRUE(std::filesystem::exists(htemp / "PROFT.DBF"));
    // --htemp wins over the variable.
    const auto otro = dir / "OTRO";
    std::filesystem::create_directory(otro);
    EXPECT_EQ(Cli({"exportar", documento.string(), "--htemp", otro.string()}).estado, 0);
    EXPECT_TRUE(std::filesystem::exists(otro / "PROFT.DBF"));
}

}  // namespace
}  // namespace thn::prueba
