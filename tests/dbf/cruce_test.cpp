// SPDX-License-Identifier: EUPL-1.2
// Cross-checks with other implementations of the format:
// * Free Pascal's TDbf, through tests/dbf/tdbf/thn-tdbf (built when fpc
//   is installed; these tests skip otherwise): files TDbf writes at levels 3,
//   4 and 7 read with the engine, and files the engine writes read by TDbf.
// * Debian's python3-dbf (/usr/bin/python3, tests/dbf/pydbf.py):
//   dBASE III, FoxPro and Visual FoxPro files read with the engine.

#include "comun/comun.h"
#include "dbf/tabla.h"
#include "base/error.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/wait.h>

#ifndef THN_TDBF
#define THN_TDBF ""
#endif

namespace thn::dbf {
namespace {

using prueba::DirectorioTemporal;
using prueba::EscribirFichero;
using prueba::LeerFichero;
namespace fs = std::filesystem;

std::string Comillas(const fs::path& p) { return "'" + p.string() + "'"; }

int Ejecutar(const std::string& orden)
{
    const int r = std::system(orden.c_str());
    return r != -1 && WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

fs::path Tdbf() { return THN_TDBF; }

#define EXIGIR_TDBF()                                                   \
    do {                                                                \
        if (Tdbf().empty() || !fs::exists(Tdbf()))                      \
            GTEST_SKIP() << "fpc no está instalado: no hay thn-tdbf";   \
    } while (0)

std::vector<std::string> Lineas(const std::string& texto)
{
    std::vector<std::string> r;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);)
        r.push_back(l);
    return r;
}

// Writes `ruta` with TDbf at `nivel` from the line format of thn-tdbf.
void EscribirConTdbf(int nivel, const fs::path& ruta, const std::string& entrada)
{
    DirectorioTemporal trabajo;
    EscribirFichero(trabajo / "entrada.txt", entrada);
    const std::string orden = Comillas(Tdbf()) + " escribir " + std::to_string(nivel) + " " + Comillas(ruta) +
                              " < " + Comillas(trabajo / "entrada.txt") + " 2> " + Comillas(trabajo / "error.txt");
    ASSERT_EQ(Ejecutar(orden), 0) << LeerFichero(trabajo / "error.txt");
}

std::vector<std::string> VolcarConTdbf(const fs::path& ruta)
{
    DirectorioTemporal trabajo;
    const std::string orden = Comillas(Tdbf()) + " volcar " + Comillas(ruta) + " > " +
                              Comillas(trabajo / "salida.txt") + " 2> " + Comillas(trabajo / "error.txt");
    const int r = Ejecutar(orden);
    EXPECT_EQ(r, 0) << LeerFichero(trabajo / "error.txt");
    return Lineas(LeerFichero(trabajo / "salida.txt"));
}

// Every live record as "v1|v2|…" with LeerTexto, nulls as "\N".
std::vector<std::string> Volcado(Tabla& t, const std::vector<std::string>& campos)
{
    std::vector<std::string> r;
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        std::string linea;
        for (std::size_t i = 0; i < campos.size(); ++i)
            linea += (i ? "|" : "") + (t.EsNulo(campos[i]) ? std::string("\\N") : t.LeerTexto(campos[i]));
        r.push_back(linea);
    }
    return r;
}

// ---- TDbf writes, the engine reads -----------------------------------------

struct CasoTdbf {
    int nivel;
    std::string definicion;
    std::vector<std::string> campos;
    std::string registros;  // thn-tdbf's lines
    std::vector<std::string> esperado;
};

class DbfLeeTdbf : public ::testing::TestWithParam<CasoTdbf> {};

TEST_P(DbfLeeTdbf, ElMotorLeeLoQueEscribeTdbf)
{
    EXIGIR_TDBF();
    const CasoTdbf& caso = GetParam();
    DirectorioTemporal dir;
    const auto ruta = dir / "SOLUC.DBF";
    EscribirConTdbf(caso.nivel, ruta, caso.definicion + "\n" + caso.registros);
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_EQ(Volcado(t, caso.campos), caso.esperado);
    EXPECT_EQ(t.NumeroRegistros(), caso.esperado.size());
    const unsigned char version = static_cast<unsigned char>(LeerFichero(ruta)[0]);
    EXPECT_EQ(version & 7, caso.nivel == 7 ? 4 : 3);
}

const std::string kRegistros34 =
    "1\t2.5\tMAT\tT\t20240506\n"
    "\\N\t\\N\t\\N\t\\N\t\\N\n"
    "-5\t-0.5\tL1\xBD\tF\t\\N\n"
    "123456789\t0.125\t  ab  \tT\t19991231\n";
const std::vector<std::string> kEsperado34 = {
    "1|2.5|MAT|T|20240506", "\\N|\\N|\\N|\\N|\\N", "-5|-0.5|L1\xBD|F|\\N", "123456789|0.125|  ab|T|19991231"};

INSTANTIATE_TEST_SUITE_P(
    Niveles, DbfLeeTdbf,
    ::testing::Values(
        CasoTdbf{3, "DIA:N:9:0;HORA:N:18:8;ASIG:C:10;ESTAREA:L;FECHA:D", {"DIA", "HORA", "ASIG", "ESTAREA", "FECHA"},
                 kRegistros34, kEsperado34},
        CasoTdbf{4, "DIA:N:9:0;HORA:F:18:8;ASIG:C:10;ESTAREA:L;FECHA:D", {"DIA", "HORA", "ASIG", "ESTAREA", "FECHA"},
                 kRegistros34, kEsperado34},
        CasoTdbf{7, "DIA:I;HORA:O;ASIG:C:10;ESTAREA:L;FECHA:D", {"DIA", "HORA", "ASIG", "ESTAREA", "FECHA"},
                 kRegistros34, kEsperado34},
        // SOLUC tables as the import will meet them: DIA/HORA numeric,
        // float, integer or character; SESION_ORDEN whole at level 7 only.
        CasoTdbf{3, "DIA:C:2;HORA:C:2;SESION_ORD:N:4:0", {"DIA", "HORA", "SESION_ORD"},
                 "L\t1\t1\nMi\t12\t2\n", {"L|1|1", "Mi|12|2"}},
        CasoTdbf{4, "DIA:F:18:8;HORA:N:9:0;SESION_ORD:N:9:0", {"DIA", "HORA", "SESION_ORD"},
                 "1\t3\t7\n5\t10\t8\n", {"1|3|7", "5|10|8"}},
        CasoTdbf{7, "DIA:N:9:0;HORA:O;SESION_ORDEN:I", {"DIA", "HORA", "SESION_ORDEN"},
                 "1\t3\t7\n5\t10\t\\N\n", {"1|3|7", "5|10|\\N"}},
        CasoTdbf{7, "DIA:I;HORA:I;SESION_ORDEN:I;ASIG:C:254", {"DIA", "HORA", "SESION_ORDEN", "ASIG"},
                 "2\t4\t2147483647\t" + std::string(254, 'z') + "\n",
                 {"2|4|2147483647|" + std::string(254, 'z')}}),
    [](const ::testing::TestParamInfo<CasoTdbf>& i) { return "Caso" + std::to_string(i.index); });

TEST(DbfCruce, LocalizarEnUnaTablaDeTdbf)
{
    EXIGIR_TDBF();
    DirectorioTemporal dir;
    const auto ruta = dir / "L.DBF";
    std::string entrada = "CLAVE:C:8;N:N:9:0\n";
    for (int i = 0; i < 500; ++i)
        entrada += "K" + std::to_string(i % 250) + "\t" + std::to_string(i) + "\n";
    EscribirConTdbf(4, ruta, entrada);
    Tabla t(ruta, Acceso::Compartido);
    ASSERT_TRUE(t.Localizar("CLAVE", "K249"));
    EXPECT_EQ(t.LeerEntero("N"), 249);  // the first of the two
    ASSERT_TRUE(t.Localizar("N", "499"));
    EXPECT_EQ(t.RegistroActual(), 500u);
}

// ---- the engine writes, TDbf reads -----------------------------------------

TEST(DbfCruce, TdbfLeeLoQueEscribeElMotor)
{
    EXIGIR_TDBF();
    DirectorioTemporal dir;
    const auto ruta = dir / "SESIONES.DBF";
    Tabla::Crear(ruta, {{"DIHO", TipoCampo::Caracter, 4},
                        {"SESION_ORDEN", TipoCampo::Entero},
                        {"HORAS", TipoCampo::Flotante},
                        {"ESTAREA", TipoCampo::Logico}});
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerTexto("DIHO", "L1\xBD");
        t.PonerEntero("SESION_ORDEN", 7);
        t.PonerFlotante("HORAS", 2.5);
        t.PonerLogico("ESTAREA", true);
        t.Grabar();
        t.Anadir();  // every field null
        t.Grabar();
        t.Anadir();
        t.PonerTexto("DIHO", "abcdef");
        t.PonerTexto("SESION_ORDEN", "-1");
        t.PonerFlotante("HORAS", -0.5);
        t.PonerLogico("ESTAREA", false);
        t.Grabar();
        t.Anadir();
        t.PonerTexto("DIHO", "  x");
        t.PonerEntero("SESION_ORDEN", 2147483647);
        t.PonerFlotante("HORAS", -0.0);  // +0.0: TDbf would read -0.0's pattern as NULL
        t.PonerTexto("ESTAREA", "F");
        t.Grabar();
        t.Anadir();
        t.PonerEntero("SESION_ORDEN", 0);
        t.PonerFlotante("HORAS", 1e6);
        t.Grabar();
    }
    const auto lineas = VolcarConTdbf(ruta);
    const std::vector<std::string> esperado = {
        "DIHO:C:4:0;SESION_ORDEN:I:4:0;HORAS:O:8:0;ESTAREA:L:1:0",
        "L1\xBD\t7\t2.5\tT",
        "\\N\t\\N\t\\N\t\\N",
        "abcd\t-1\t-0.5\tF",
        "  x\t2147483647\t0\tF",
        "\\N\t0\t1000000\t\\N",
    };
    EXPECT_EQ(lineas, esperado);
    std::vector<std::string> ficheros;
    for (const auto& e : fs::directory_iterator(dir.Ruta()))
        ficheros.push_back(e.path().filename().string());
    EXPECT_EQ(ficheros, std::vector<std::string>{"SESIONES.DBF"});  // TDbf left nothing either
}

TEST(DbfCruce, TdbfLeeUnaTablaGrandeDelMotor)
{
    EXIGIR_TDBF();
    DirectorioTemporal dir;
    const auto ruta = dir / "G.DBF";
    Tabla::Crear(ruta, {{"N", TipoCampo::Entero}, {"X", TipoCampo::Flotante}});
    {
        Tabla t(ruta, Acceso::Exclusivo);
        for (int i = 0; i < 3000; ++i) {
            t.Anadir();
            t.PonerEntero("N", i - 1500);
            t.PonerFlotante("X", (i - 1500) / 4.0);
            t.Grabar();
        }
    }
    const auto lineas = VolcarConTdbf(ruta);
    ASSERT_EQ(lineas.size(), 3001u);
    EXPECT_EQ(lineas[1], "-1500\t-375");
    EXPECT_EQ(lineas[1501], "0\t0");
    EXPECT_EQ(lineas[3000], "1499\t374.75");
}

TEST(DbfCruce, MotorYTdbfSeAlternan)
{
    // TDbf writes, the engine appends, TDbf reads the whole.
    EXIGIR_TDBF();
    DirectorioTemporal dir;
    const auto ruta = dir / "MIXTA.DBF";
    EscribirConTdbf(7, ruta, "ASIG:C:6;ORDEN:I;HORAS:O\nMAT\t1\t0.5\n");
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerTexto("ASIG", "LEN");
        t.PonerEntero("ORDEN", 2);
        t.PonerFlotante("HORAS", 1.5);
        t.Grabar();
    }
    EXPECT_EQ(VolcarConTdbf(ruta),
              (std::vector<std::string>{"ASIG:C:6:0;ORDEN:I:4:0;HORAS:O:8:0", "MAT\t1\t0.5", "LEN\t2\t1.5"}));
}

// ---- python3-dbf writes, the engine reads ----------------------------------

class DbfLeePythonDbf : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists("/usr/bin/python3"))
            GTEST_SKIP() << "no hay /usr/bin/python3";
        const fs::path script = prueba::DatosPrueba().parent_path() / "dbf" / "pydbf.py";
        const int r = Ejecutar("/usr/bin/python3 " + Comillas(script) + " " + Comillas(dir_.Ruta()) + " 2> " +
                               Comillas(trabajo_ / "error.txt"));
        if (r == 3)
            GTEST_SKIP() << "/usr/bin/python3 no tiene el módulo dbf (python3-dbf)";
        ASSERT_EQ(r, 0) << LeerFichero(trabajo_ / "error.txt");
    }

    DirectorioTemporal dir_, trabajo_;
};

TEST_F(DbfLeePythonDbf, DBaseIII)
{
    Tabla t(dir_ / "PY3.DBF", Acceso::Compartido);
    EXPECT_EQ(Volcado(t, {"DIA", "HORAS", "ASIG", "ESTAREA", "FECHA"}),
              (std::vector<std::string>{"1|2.5|L1\xBD|T|20240506", "\\N|\\N|\\N|\\N|\\N", "-5|3|MAT|F|\\N"}));
    ASSERT_TRUE(t.Localizar("ASIG", "MAT"));
    EXPECT_EQ(t.RegistroActual(), 4u);  // after the deleted third record
    EXPECT_FALSE(t.Localizar("ASIG", "BORRADO"));
}

TEST_F(DbfLeePythonDbf, FoxPro)
{
    Tabla t(dir_ / "PYFP.DBF", Acceso::Compartido);
    EXPECT_EQ(Volcado(t, {"DIA", "HORA", "ASIG", "ESTAREA"}),
              (std::vector<std::string>{"7|1.25|" + std::string(19, 'x') + "y|T", "9|\\N|\xD1" "and\xFA|\\N"}));
    EXPECT_EQ(t.NumeroRegistros(), 2u);
    EXPECT_TRUE(t.ExisteCampo("NOTA"));  // memo: stepped over
}

TEST_F(DbfLeePythonDbf, VisualFoxPro)
{
    Tabla t(dir_ / "PYVFP.DBF", Acceso::Compartido);
    EXPECT_EQ(Volcado(t, {"ORDEN", "HORAS", "COSTE", "ASIG"}),
              (std::vector<std::string>{"-3|2.25|1.5|x\xBD", "\\N|\\N|\\N|\\N", "-2147483647|-1e+300|-0.0001|MIN"}));
    t.Primero();
    EXPECT_EQ(t.LeerEntero("ORDEN"), -3);
    EXPECT_DOUBLE_EQ(t.LeerNumero("COSTE"), 1.5);
}

}  // namespace
}  // namespace thn::dbf
