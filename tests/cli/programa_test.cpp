#include "cli/programa.h"
#include "comun/centro.h"
#include "comun/comun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace thn::prueba {
namespace {

struct Salida {
    int estado;
    std::string salida, errores;
};

Salida Cli(std::vector<std::string> args)
{
    args.insert(args.begin(), "transhoralianorvica-cli");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    std::ostringstream salida, errores;
    const int estado = cli::Ejecutar(static_cast<int>(argv.size()), argv.data(), salida, errores);
    return {estado, salida.str(), errores.str()};
}

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
    const std::string h = htemp.string(), d = documento.string();
    struct Caso {
        std::vector<std::string> args;
        int estado;
        std::string salida_empieza, errores_empieza;
    } casos[] = {
        {{"exportar", d, "--htemp", h}, 0, "Proceso finalizado\nASIGNOMT: 0 registros\nPROFT: 1 registro\n", ""},
        {{"exportar", (dir / "no.xml").string(), "--htemp", h}, 3, "", "No existe archivo\n"},
        {{"importar", d, "--htemp", h}, 3, "", "No existe archivo XML o Solución.\n"},
        {{"exportar", d, "--htemp", (dir / "NOHAY").string()}, 1, "", "No existe el directorio de trabajo de Horalia"},
        {{"exportar"}, 2, "", "transhoralianorvica-cli: se esperaba"},
        {{"convertir", d}, 2, "", "transhoralianorvica-cli: se esperaba"},
        {{"exportar", d, "--htemp"}, 2, "", "transhoralianorvica-cli: falta el valor de --htemp"},
        {{"exportar", d, "--nada"}, 2, "", "transhoralianorvica-cli: opción desconocida: --nada"},
        {{"--version"}, 0, "transhoralianorvica-cli 1.0.0\n", ""},
        {{"--help"}, 0, "Uso: transhoralianorvica-cli", ""},
        {{"exportar", d, "--htemp", h, "--json"}, 0,
         "{\"resultado\":\"Proceso finalizado\",\"informe\":{\"recuentos\":[{\"tabla\":\"ASIGNOMT\",\"registros\":0}", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.args.at(0) + (c.args.size() > 1 ? " " + c.args[1] : ""));
        const auto r = Cli(c.args);
        EXPECT_EQ(r.estado, c.estado);
        EXPECT_EQ(r.salida.substr(0, c.salida_empieza.size()), c.salida_empieza) << r.salida;
        EXPECT_EQ(r.errores.substr(0, c.errores_empieza.size()), c.errores_empieza) << r.errores;
        if (c.estado != 0) {
            EXPECT_EQ(r.salida.find("Proceso finalizado"), std::string::npos);
        }
    }
}

TEST_F(Cli_, ErrorConElTextoDeLaCajaDeError)
{
    EscribirFichero(documento, Centro(Seccion("aulas", "daula", {{{"codigo", "A1"}, {"nombre", "x"}}})));
    const auto r = Cli({"exportar", documento.string(), "--htemp", htemp.string()});
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.errores, "Falta el atributo 'capacidad_alumnos' en el elemento daula número 1.\n");
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
