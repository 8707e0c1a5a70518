// SPDX-License-Identifier: EUPL-1.2
// The table engine's behaviour: round trips, every field kind, conversions,
// navigation, Localizar, locking, the error path and a clean directory.

#include "comun/comun.h"
#include "dbf/tabla.h"
#include "dbf/registros_aparte.h"
#include "base/error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace thn::dbf {
namespace {

using prueba::DirectorioTemporal;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

std::vector<std::string> Listado(const fs::path& carpeta)
{
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(carpeta))
        r.push_back(e.path().filename().string());
    std::sort(r.begin(), r.end());
    return r;
}

// The message of the thn::Error that `f` throws ("" when none).
template <class F>
std::string MensajeDe(F&& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

const std::vector<DefinicionCampo> kCampos = {
    {"ASIG", TipoCampo::Caracter, 10},
    {"ESTAREA", TipoCampo::Logico},
    {"ORDEN", TipoCampo::Entero},
    {"HORAS", TipoCampo::Flotante},
};

TEST(DbfTabla, IdaYVueltaConTodosLosTipos)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    {
        Tabla t(ruta, Acceso::Exclusivo);
        EXPECT_TRUE(t.Abierta());
        EXPECT_EQ(t.NumeroRegistros(), 0u);
        EXPECT_TRUE(t.Fin());
        t.Anadir();
        t.PonerTexto("ASIG", "MAT");
        t.PonerLogico("ESTAREA", true);
        t.PonerEntero("ORDEN", 7);
        t.PonerFlotante("HORAS", 2.5);
        t.Grabar();
        t.Anadir();
        t.Grabar();  // all null
        t.Anadir();
        t.PonerTexto("ASIG", "L1\xBD");
        t.PonerLogico("ESTAREA", false);
        t.PonerEntero("ORDEN", -5);
        t.PonerFlotante("HORAS", -0.5);
        t.Grabar();
    }
    Tabla t(ruta, Acceso::Compartido);
    ASSERT_EQ(t.NumeroRegistros(), 3u);
    t.Primero();
    ASSERT_FALSE(t.Fin());
    EXPECT_EQ(t.RegistroActual(), 1u);
    EXPECT_EQ(t.LeerTexto("ASIG"), "MAT");
    EXPECT_EQ(t.LeerTexto("ESTAREA"), "T");
    EXPECT_TRUE(t.LeerLogico("ESTAREA"));
    EXPECT_EQ(t.LeerEntero("ORDEN"), 7);
    EXPECT_EQ(t.LeerTexto("ORDEN"), "7");
    EXPECT_DOUBLE_EQ(t.LeerNumero("HORAS"), 2.5);
    EXPECT_EQ(t.LeerTexto("HORAS"), "2.5");
    EXPECT_EQ(t.LeerTexto("HORAS", ','), "2,5");
    t.Siguiente();
    EXPECT_EQ(t.RegistroActual(), 2u);
    for (const char* c : {"ASIG", "ESTAREA", "ORDEN", "HORAS"}) {
        EXPECT_TRUE(t.EsNulo(c)) << c;
        EXPECT_EQ(t.LeerTexto(c), "") << c;
    }
    EXPECT_EQ(t.LeerEntero("ORDEN"), 0);
    EXPECT_EQ(t.LeerNumero("HORAS"), 0);
    EXPECT_FALSE(t.LeerLogico("ESTAREA"));
    t.Siguiente();
    EXPECT_EQ(t.LeerTexto("ASIG"), "L1\xBD");
    EXPECT_EQ(t.LeerTexto("ESTAREA"), "F");
    EXPECT_EQ(t.LeerEntero("ORDEN"), -5);
    EXPECT_EQ(t.LeerTexto("HORAS"), "-0.5");
    t.Siguiente();
    EXPECT_TRUE(t.Fin());
    EXPECT_EQ(t.RegistroActual(), 0u);
    t.Siguiente();  // harmless at the end
    EXPECT_TRUE(t.Fin());

    const auto campos = t.Campos();
    ASSERT_EQ(campos.size(), 4u);
    EXPECT_EQ(campos[0].nombre, "ASIG");
    EXPECT_EQ(campos[0].tipo, TipoCampo::Caracter);
    EXPECT_EQ(campos[0].ancho, 10);
    EXPECT_EQ(campos[1].tipo, TipoCampo::Logico);
    EXPECT_EQ(campos[2].tipo, TipoCampo::Entero);
    EXPECT_EQ(campos[3].tipo, TipoCampo::Flotante);
    EXPECT_TRUE(t.ExisteCampo("ORDEN"));
    EXPECT_TRUE(t.ExisteCampo("orden"));  // dBASE names are case-insensitive
    EXPECT_FALSE(t.ExisteCampo("NADA"));
}

// PonerTexto on each kind, then LeerTexto / EsNulo after reopening.
struct CasoTexto {
    TipoCampo tipo;
    int ancho;
    std::string entrada;
    std::string esperado;
    bool nulo;
};

class DbfTextoPorTipo : public ::testing::TestWithParam<CasoTexto> {};

TEST_P(DbfTextoPorTipo, PonerTextoYLeerTexto)
{
    const CasoTexto& caso = GetParam();
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, {{"CAMPO", caso.tipo, caso.ancho}, {"OTRO", TipoCampo::Caracter, 3}});
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerTexto("CAMPO", caso.entrada);
        t.PonerTexto("OTRO", "xyz");
        t.Grabar();
    }
    Tabla t(ruta, Acceso::Compartido);
    ASSERT_FALSE(t.Fin());
    EXPECT_EQ(t.LeerTexto("CAMPO"), caso.esperado);
    EXPECT_EQ(t.EsNulo("CAMPO"), caso.nulo);
    EXPECT_EQ(t.LeerTexto("OTRO"), "xyz");  // neighbours untouched
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DbfTextoPorTipo,
    ::testing::Values(
        CasoTexto{TipoCampo::Caracter, 10, "MAT", "MAT", false},
        CasoTexto{TipoCampo::Caracter, 10, "123456789012", "1234567890", false},  // cut to the width
        CasoTexto{TipoCampo::Caracter, 10, "1234567890", "1234567890", false},
        CasoTexto{TipoCampo::Caracter, 10, "  ab  ", "  ab", false},  // leading kept, trailing dropped
        CasoTexto{TipoCampo::Caracter, 10, "", "", true},
        CasoTexto{TipoCampo::Caracter, 1, "XY", "X", false},
        CasoTexto{TipoCampo::Caracter, 254, std::string(300, 'a'), std::string(254, 'a'), false},
        CasoTexto{TipoCampo::Caracter, 4, "L1\xBD", "L1\xBD", false},  // cp1252 bytes unchanged
        CasoTexto{TipoCampo::Caracter, 4, "\xD1\xE1\xE9", "\xD1\xE1\xE9", false},
        CasoTexto{TipoCampo::Logico, 0, "T", "T", false},
        CasoTexto{TipoCampo::Logico, 0, "F", "F", false},
        CasoTexto{TipoCampo::Logico, 0, "y", "T", false},
        CasoTexto{TipoCampo::Logico, 0, "n", "F", false},
        CasoTexto{TipoCampo::Logico, 0, "", "", true},
        CasoTexto{TipoCampo::Logico, 0, "?", "", true},
        CasoTexto{TipoCampo::Entero, 0, "42", "42", false},
        CasoTexto{TipoCampo::Entero, 0, "-5", "-5", false},
        CasoTexto{TipoCampo::Entero, 0, "0", "0", false},
        CasoTexto{TipoCampo::Entero, 0, "  7", "7", false},
        CasoTexto{TipoCampo::Entero, 0, "$FF", "255", false},
        CasoTexto{TipoCampo::Entero, 0, "2147483647", "2147483647", false},
        CasoTexto{TipoCampo::Entero, 0, "-2147483647", "-2147483647", false},
        CasoTexto{TipoCampo::Entero, 0, "", "", true},  // empty gives null
        CasoTexto{TipoCampo::Flotante, 0, "2.5", "2.5", false},
        CasoTexto{TipoCampo::Flotante, 0, "-0.5", "-0.5", false},
        CasoTexto{TipoCampo::Flotante, 0, "3", "3", false},
        CasoTexto{TipoCampo::Flotante, 0, "0.1", "0.1", false},
        CasoTexto{TipoCampo::Flotante, 0, "1e3", "1000", false},
        CasoTexto{TipoCampo::Flotante, 0, "-0", "0", false},  // -0.0 stored as +0.0, not null
        CasoTexto{TipoCampo::Flotante, 0, " 12.25 ", "12.25", false},
        CasoTexto{TipoCampo::Flotante, 0, "", "", true}));

TEST(DbfTabla, PonerTextoRechazaNumerosNoValidos)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    Tabla t(ruta, Acceso::Exclusivo);
    t.Anadir();
    EXPECT_EQ(MensajeDe([&] { t.PonerTexto("ORDEN", "abc"); }),
              "'abc' no es un valor entero válido para el campo 'ORDEN'");
    EXPECT_EQ(MensajeDe([&] { t.PonerTexto("ORDEN", "2.5"); }),
              "'2.5' no es un valor entero válido para el campo 'ORDEN'");
    EXPECT_EQ(MensajeDe([&] { t.PonerTexto("ORDEN", "2147483648"); }),
              "'2147483648' no es un valor entero válido para el campo 'ORDEN'");
    EXPECT_EQ(MensajeDe([&] { t.PonerTexto("HORAS", "2,5"); }),
              "'2,5' no es un valor punto flotante válido para el campo 'HORAS'");
    EXPECT_EQ(MensajeDe([&] { t.PonerTexto("ESTAREA", "quizá"); }),
              "'quizá' no es un valor lógico válido para el campo 'ESTAREA'");
}

TEST(DbfTabla, ConversionesAlEscribir)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerEntero("ASIG", 123);     // C from an integer
        t.PonerEntero("HORAS", 7);      // O from an integer
        t.PonerFlotante("ORDEN", 3.0);  // I from an integral double
        t.Grabar();
        t.Anadir();
        t.PonerFlotante("ASIG", 2.25);
        t.PonerLogico("ASIG", true);  // C from a logical: "T"
        t.Grabar();

        t.Anadir();
        EXPECT_THAT(MensajeDe([&] { t.PonerFlotante("ORDEN", 2.5); }), HasSubstr("'2.5' no es un valor entero válido"));
        EXPECT_THAT(MensajeDe([&] { t.PonerEntero("ORDEN", INT32_MIN); }), HasSubstr("no cabe"));
        EXPECT_THAT(MensajeDe([&] { t.PonerLogico("ORDEN", true); }), HasSubstr("no admite"));
        EXPECT_THAT(MensajeDe([&] { t.PonerEntero("ESTAREA", 1); }), HasSubstr("no admite"));
        EXPECT_EQ(MensajeDe([&] { t.PonerEntero("ASIG", 2147483647); }), "");  // 10 characters fit
        EXPECT_THAT(MensajeDe([&] { t.PonerEntero("ASIG", -2147483647); }), HasSubstr("no cabe"));  // 11 do not
        EXPECT_THAT(MensajeDe([&] { t.PonerFlotante("HORAS", 1.0 / 0.0); }), HasSubstr("no es un valor punto flotante"));
    }
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_EQ(t.LeerTexto("ASIG"), "123");
    EXPECT_EQ(t.LeerTexto("HORAS"), "7");
    EXPECT_EQ(t.LeerEntero("ORDEN"), 3);
    t.Siguiente();
    EXPECT_EQ(t.LeerTexto("ASIG"), "T");
    EXPECT_EQ(t.NumeroRegistros(), 2u);  // the third record was never posted
}

TEST(DbfTabla, ConversionesAlLeer)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    {
        Tabla t(ruta, Acceso::Exclusivo);
        for (auto [texto, horas] : std::vector<std::pair<std::string, double>>{
                 {"12", 2.5}, {"2,5", -2.5}, {"x", 2.4}, {"", 1e12}, {"", 1e6}, {"", 0.0001}}) {
            t.Anadir();
            t.PonerTexto("ASIG", texto);
            t.PonerFlotante("HORAS", horas);
            t.Grabar();
        }
    }
    Tabla t(ruta, Acceso::Compartido);
    // O: rounded to the nearest integer, halves away from zero.
    EXPECT_EQ(t.LeerEntero("ASIG"), 12);
    EXPECT_EQ(t.LeerEntero("HORAS"), 3);
    EXPECT_DOUBLE_EQ(t.LeerNumero("ASIG"), 12);
    t.Siguiente();
    EXPECT_EQ(t.LeerEntero("HORAS"), -3);
    EXPECT_DOUBLE_EQ(t.LeerNumero("ASIG", ','), 2.5);
    EXPECT_EQ(MensajeDe([&] { t.LeerEntero("ASIG"); }), "'2,5' no es un valor entero válido");
    t.Siguiente();
    EXPECT_EQ(t.LeerEntero("HORAS"), 2);
    EXPECT_EQ(MensajeDe([&] { t.LeerEntero("ASIG"); }), "'x' no es un valor entero válido");
    EXPECT_EQ(MensajeDe([&] { t.LeerNumero("ASIG"); }), "'x' no es un valor punto flotante válido");
    t.Siguiente();
    EXPECT_EQ(t.LeerEntero("ASIG"), 0);  // null
    EXPECT_EQ(t.LeerNumero("ASIG"), 0);
    EXPECT_EQ(t.LeerTexto("HORAS"), "1000000000000");
    EXPECT_THAT(MensajeDe([&] { t.LeerEntero("HORAS"); }), HasSubstr("no cabe en un entero"));
    t.Siguiente();
    EXPECT_EQ(t.LeerTexto("HORAS"), "1000000");  // no exponent
    t.Siguiente();
    EXPECT_EQ(t.LeerTexto("HORAS"), "0.0001");
    EXPECT_EQ(t.LeerTexto("HORAS", ','), "0,0001");
}

TEST(DbfTabla, EnteroNulo)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, {{"ORDEN", TipoCampo::Entero}});
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerEntero("ORDEN", 0);
        t.Grabar();
        t.Anadir();
        t.PonerEntero("ORDEN", 5);
        t.PonerNulo("ORDEN");
        t.Grabar();
        t.Anadir();
        t.PonerTexto("ORDEN", "");
        t.Grabar();
    }
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_FALSE(t.EsNulo("ORDEN"));  // 0 is a value, not null
    EXPECT_EQ(t.LeerTexto("ORDEN"), "0");
    t.Siguiente();
    EXPECT_TRUE(t.EsNulo("ORDEN"));
    EXPECT_EQ(t.LeerTexto("ORDEN"), "");
    EXPECT_EQ(t.LeerEntero("ORDEN"), 0);
    t.Siguiente();
    EXPECT_TRUE(t.EsNulo("ORDEN"));
}

TEST(DbfTabla, RegistroNoGrabadoSeDescarta)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerTexto("ASIG", "PRIMERO");
        t.Anadir();  // starts over: the first is discarded
        t.PonerTexto("ASIG", "SEGUNDO");
        t.Grabar();
        t.Anadir();
        t.PonerTexto("ASIG", "TERCERO");
        // never posted
    }
    Tabla t(ruta, Acceso::Compartido);
    ASSERT_EQ(t.NumeroRegistros(), 1u);
    EXPECT_EQ(t.LeerTexto("ASIG"), "SEGUNDO");
    EXPECT_EQ(t.LeerTexto("ESTAREA"), "");  // Anadir starts from a blank record
}

TEST(DbfTabla, ErroresDeUso)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    Tabla t(ruta, Acceso::Exclusivo);
    const std::string nombre = ruta.string();
    // Unknown field: names the field and the file.
    auto m = MensajeDe([&] { t.LeerTexto("NADA"); });
    EXPECT_THAT(m, HasSubstr("'NADA'"));
    EXPECT_THAT(m, HasSubstr(nombre));
    t.Anadir();
    m = MensajeDe([&] { t.PonerTexto("NADA", "x"); });
    EXPECT_THAT(m, HasSubstr("'NADA'"));
    EXPECT_THAT(m, HasSubstr(nombre));
    t.Grabar();
    // Poner without Anadir, Grabar without Anadir.
    EXPECT_THAT(MensajeDe([&] { t.PonerTexto("ASIG", "x"); }), HasSubstr(nombre));
    EXPECT_THAT(MensajeDe([&] { t.Grabar(); }), HasSubstr(nombre));
    // Reading at the end.
    EXPECT_FALSE(t.Localizar("ASIG", "nada"));
    EXPECT_THAT(MensajeDe([&] { t.LeerTexto("ASIG"); }), HasSubstr("No hay ningún registro en curso"));
    // After closing.
    t.Cerrar();
    t.Cerrar();  // idempotent
    EXPECT_FALSE(t.Abierta());
    EXPECT_TRUE(t.Fin());
    EXPECT_THAT(MensajeDe([&] { t.Primero(); }), HasSubstr("está cerrada"));
    EXPECT_THAT(MensajeDe([&] { t.Anadir(); }), HasSubstr("está cerrada"));

    // Appending only, nothing posted can be read back.
    Tabla s(ruta, Acceso::SoloAnadir);
    EXPECT_EQ(s.NumeroRegistros(), 1u);
    s.Anadir();
    s.Grabar();
    for (const auto& leer : std::vector<std::function<void()>>{
             [&] { s.Primero(); }, [&] { s.Siguiente(); }, [&] { s.Localizar("ASIG", "x"); }})
        EXPECT_THAT(MensajeDe(leer), HasSubstr("sólo para añadir"));
    EXPECT_THAT(MensajeDe([&] { s.LeerTexto("ASIG"); }), HasSubstr("No hay ningún registro en curso"));
}

TEST(DbfTabla, TablaInexistente)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "NO.DBF";
    EXPECT_EQ(MensajeDe([&] { Tabla t(ruta, Acceso::Compartido); }), "No existe la tabla '" + ruta.string() + "'");
    EXPECT_EQ(MensajeDe([&] { Tabla t(ruta, Acceso::Exclusivo); }), "No existe la tabla '" + ruta.string() + "'");
    EXPECT_THAT(MensajeDe([&] { Tabla t(dir.Ruta(), Acceso::Compartido); }), HasSubstr("no es un fichero"));
    EXPECT_TRUE(Listado(dir.Ruta()).empty());
}

TEST(DbfTabla, CompartidaNoAdmiteEscritura)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_THAT(MensajeDe([&] { t.Anadir(); }), HasSubstr("sólo para lectura"));
}

TEST(DbfTabla, Navegacion)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    Tabla t(ruta, Acceso::Exclusivo);
    for (int i = 1; i <= 5; ++i) {
        t.Anadir();
        t.PonerEntero("ORDEN", i);
        t.Grabar();
        EXPECT_EQ(t.RegistroActual(), static_cast<std::size_t>(i));  // the posted record becomes current
    }
    EXPECT_EQ(t.NumeroRegistros(), 5u);
    std::vector<int> vistos;
    for (t.Primero(); !t.Fin(); t.Siguiente())
        vistos.push_back(t.LeerEntero("ORDEN"));
    EXPECT_EQ(vistos, (std::vector<int>{1, 2, 3, 4, 5}));
    t.Primero();
    EXPECT_EQ(t.RegistroActual(), 1u);
}

TEST(DbfTabla, LocalizarPrimeraCoincidencia)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    {
        Tabla t(ruta, Acceso::Exclusivo);
        const std::vector<std::pair<std::string, int>> filas = {
            {"MAT", 1}, {"LEN", 2}, {"MAT", 3}, {"mat", 4}, {"MATE", 5}, {"", 6}, {"LEN", 7}};
        for (const auto& [asig, orden] : filas) {
            t.Anadir();
            t.PonerTexto("ASIG", asig);
            t.PonerEntero("ORDEN", orden);
            t.PonerFlotante("HORAS", orden / 2.0);
            t.Grabar();
        }
    }
    Tabla t(ruta, Acceso::Exclusivo);
    struct Caso {
        std::string campo, valor;
        int orden;  // 0: not found
    };
    for (const Caso& c : std::vector<Caso>{{"ASIG", "MAT", 1},
                                           {"ASIG", "LEN", 2},
                                           {"ASIG", "mat", 4},   // case-sensitive
                                           {"ASIG", "MATE", 5},
                                           {"ASIG", "MA", 0},    // whole value only
                                           {"ASIG", "MAT ", 0},
                                           {"ASIG", "", 6},      // the empty text finds a null field
                                           {"ORDEN", "3", 3},
                                           {"ORDEN", "03", 0},
                                           {"HORAS", "2.5", 5},
                                           {"HORAS", "3.5", 7},
                                           {"ESTAREA", "", 1},
                                           {"ESTAREA", "T", 0}}) {
        SCOPED_TRACE(c.campo + "=" + c.valor);
        t.Primero();
        const bool hallado = t.Localizar(c.campo, c.valor);
        EXPECT_EQ(hallado, c.orden != 0);
        if (c.orden != 0) {
            ASSERT_FALSE(t.Fin());
            EXPECT_EQ(t.LeerEntero("ORDEN"), c.orden);
            EXPECT_EQ(t.RegistroActual(), static_cast<std::size_t>(c.orden));
        } else {
            EXPECT_TRUE(t.Fin());
        }
    }
    // Index kept up to date by appends; the first match still wins.
    t.Anadir();
    t.PonerTexto("ASIG", "NUEVA");
    t.PonerEntero("ORDEN", 8);
    t.Grabar();
    t.Anadir();
    t.PonerTexto("ASIG", "MAT");
    t.PonerEntero("ORDEN", 9);
    t.Grabar();
    ASSERT_TRUE(t.Localizar("ASIG", "NUEVA"));
    EXPECT_EQ(t.LeerEntero("ORDEN"), 8);
    ASSERT_TRUE(t.Localizar("ASIG", "MAT"));
    EXPECT_EQ(t.LeerEntero("ORDEN"), 1);
    // Navigation continues from the located record.
    t.Siguiente();
    EXPECT_EQ(t.LeerEntero("ORDEN"), 2);
    EXPECT_THAT(MensajeDe([&] { t.Localizar("NADA", "x"); }), HasSubstr("'NADA'"));
}

TEST(DbfTabla, Bloqueos)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    const std::string ocupada = "La tabla '" + ruta.string() + "' está abierta por otro programa";
    {
        Tabla a(ruta, Acceso::Exclusivo);
        EXPECT_EQ(MensajeDe([&] { Tabla b(ruta, Acceso::Exclusivo); }), ocupada);
        EXPECT_EQ(MensajeDe([&] { Tabla b(ruta, Acceso::Compartido); }), ocupada);
        EXPECT_EQ(MensajeDe([&] { Tabla::Crear(ruta, kCampos); }), ocupada);
        a.Cerrar();  // releases the lock
        Tabla b(ruta, Acceso::Exclusivo);
    }
    {
        Tabla a(ruta, Acceso::Compartido);
        Tabla b(ruta, Acceso::Compartido);  // shared with shared: fine
        EXPECT_EQ(MensajeDe([&] { Tabla c(ruta, Acceso::Exclusivo); }), ocupada);
    }
    Tabla c(ruta, Acceso::Exclusivo);  // every lock released with its object
    EXPECT_EQ(Listado(dir.Ruta()), std::vector<std::string>{"T.DBF"});
}

TEST(DbfTabla, LoGrabadoLlegaAlFicheroAunConExcepcion)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    try {
        Tabla t(ruta, Acceso::Exclusivo);
        for (int i = 0; i < 3; ++i) {
            t.Anadir();
            t.PonerEntero("ORDEN", i);
            t.Grabar();
        }
        t.Anadir();
        t.PonerTexto("ORDEN", "no es un número");  // throws out of the scope
        t.Grabar();
        FAIL() << "no se lanzó";
    } catch (const Error&) {
    }
    Tabla t(ruta, Acceso::Compartido);
    ASSERT_EQ(t.NumeroRegistros(), 3u);
    for (int i = 0; i < 3; ++i, t.Siguiente())
        EXPECT_EQ(t.LeerEntero("ORDEN"), i);
}

TEST(DbfTabla, DestructorGrabaAnteExcepcionAjena)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    EXPECT_THROW(
        {
            Tabla t(ruta, Acceso::Exclusivo);
            t.Anadir();
            t.PonerTexto("ASIG", "GUARDADO");
            t.Grabar();
            throw std::runtime_error("fallo ajeno");
        },
        std::runtime_error);
    Tabla t(ruta, Acceso::Compartido);
    ASSERT_EQ(t.NumeroRegistros(), 1u);
    EXPECT_EQ(t.LeerTexto("ASIG"), "GUARDADO");
}

TEST(DbfTabla, NadaQuedaEnLaCarpeta)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    EXPECT_EQ(Listado(dir.Ruta()), std::vector<std::string>{"T.DBF"});
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerTexto("ASIG", "MAT");
        t.Grabar();
        t.Localizar("ASIG", "MAT");
        EXPECT_EQ(Listado(dir.Ruta()), std::vector<std::string>{"T.DBF"});
    }
    {
        Tabla t(ruta, Acceso::Compartido);
        t.Localizar("ASIG", "MAT");
    }
    Tabla::Crear(ruta, kCampos);  // replacing
    EXPECT_THROW(Tabla::Crear(dir / "MAL.DBF", {{"1MAL", TipoCampo::Entero}}), Error);
    EXPECT_THROW(Tabla::Crear(dir / "NO" / "T.DBF", kCampos), Error);
    EXPECT_EQ(Listado(dir.Ruta()), std::vector<std::string>{"T.DBF"});
}

TEST(DbfTabla, CrearReemplaza)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.Grabar();
    }
    Tabla::Crear(ruta, {{"OTRO", TipoCampo::Entero}});
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_EQ(t.NumeroRegistros(), 0u);
    EXPECT_TRUE(t.ExisteCampo("OTRO"));
    EXPECT_FALSE(t.ExisteCampo("ASIG"));
}

TEST(DbfTabla, CrearRechazaDefinicionesNoValidas)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    const std::vector<std::vector<DefinicionCampo>> malas = {
        {},
        {{"", TipoCampo::Entero}},
        {{"A B", TipoCampo::Entero}},
        {{std::string(32, 'A'), TipoCampo::Entero}},
        {{"A", TipoCampo::Caracter, 0}},
        {{"A", TipoCampo::Caracter, 255}},
        {{"A", TipoCampo::Entero}, {"a", TipoCampo::Entero}},
    };
    for (const auto& campos : malas)
        EXPECT_THAT(MensajeDe([&] { Tabla::Crear(ruta, campos); }),
                    HasSubstr("No se puede crear la tabla '" + ruta.string() + "'"));
    EXPECT_TRUE(Listado(dir.Ruta()).empty());
    // 31 characters are fine, and names are stored in upper case.
    Tabla::Crear(ruta, {{std::string(31, 'b'), TipoCampo::Entero}});
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_EQ(t.Campos().at(0).nombre, std::string(31, 'B'));
}

TEST(DbfTabla, MoverTabla)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    Tabla a(ruta, Acceso::Exclusivo);
    a.Anadir();
    a.PonerTexto("ASIG", "MOVIDA");
    a.Grabar();
    Tabla b(std::move(a));
    EXPECT_FALSE(a.Abierta());  // NOLINT(bugprone-use-after-move): documented state
    EXPECT_TRUE(b.Abierta());
    EXPECT_EQ(b.Ruta(), ruta);
    Tabla::Crear(dir / "U.DBF", kCampos);
    Tabla c(dir / "U.DBF", Acceso::Exclusivo);
    c = std::move(b);  // closes U.DBF, takes T.DBF
    EXPECT_EQ(c.Ruta(), ruta);
    c.Cerrar();
    Tabla d(ruta, Acceso::Exclusivo);
    EXPECT_EQ(d.LeerTexto("ASIG"), "MOVIDA");
    Tabla e(dir / "U.DBF", Acceso::Exclusivo);  // its lock was released
}

// A column found once reads and writes what its name does, and belongs to
// the table object that gave it: another table, even of the same file or
// layout, refuses it.
TEST(DbfTabla, ColumnasDeUnaTabla)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "T.DBF";
    Tabla::Crear(ruta, kCampos);
    {
        Tabla t(ruta, Acceso::Exclusivo);
        const Columna asig = t.Campo("asig"), estarea = t.Campo("ESTAREA"), orden = t.Campo("ORDEN"),
                      horas = t.Campo("HORAS");
        t.Reservar(2);
        t.Anadir();
        t.PonerTexto(asig, "PRIMERO");
        t.Anadir();  // starts over, as by name
        t.PonerTexto(asig, "MATEMATICAS");
        t.PonerLogico(estarea, true);
        t.PonerEntero(orden, 7);
        t.PonerFlotante(horas, 2.5);
        t.Grabar();
        t.Anadir();
        t.PonerTexto("ASIG", "LEN");
        t.Grabar();
        ASSERT_TRUE(t.Localizar(asig, "MATEMATICA"));
        EXPECT_EQ(t.LeerTexto(asig), t.LeerTexto("ASIG"));
        EXPECT_EQ(t.LeerEntero(orden), 7);
        EXPECT_EQ(t.LeerNumero(horas), 2.5);
        EXPECT_TRUE(t.LeerLogico("ESTAREA"));
        EXPECT_THAT(MensajeDe([&] { t.Campo("NADA"); }), HasSubstr("'NADA'"));

        Tabla::Crear(dir / "U.DBF", kCampos);
        Tabla u(dir / "U.DBF", Acceso::Exclusivo);
        EXPECT_THAT(MensajeDe([&] { u.LeerTexto(asig); }), HasSubstr("no es de la tabla"));
        u.Anadir();
        EXPECT_THAT(MensajeDe([&] { u.PonerTexto(asig, "x"); }), HasSubstr("no es de la tabla"));
        RegistrosAparte aparte(t);
        EXPECT_THAT(MensajeDe([&] { aparte.PonerTexto(asig, "x"); }), HasSubstr("ningún registro nuevo"));
        aparte.Anadir();
        EXPECT_THAT(MensajeDe([&] { aparte.PonerTexto(u.Campo("ASIG"), "x"); }), HasSubstr("no es de la tabla"));
        EXPECT_THAT(MensajeDe([&] { u.AnadirHechos(aparte); }), HasSubstr("no son de la tabla"));
        t.Cerrar();
        EXPECT_THAT(MensajeDe([&] { t.LeerTexto(asig); }), HasSubstr("está cerrada"));
    }
    Tabla t(ruta, Acceso::Compartido);
    ASSERT_EQ(t.NumeroRegistros(), 2u);
    EXPECT_EQ(t.LeerTexto("ASIG"), "MATEMATICA");
    EXPECT_THAT(MensajeDe([&] { t.LeerTexto(Tabla(ruta, Acceso::Compartido).Campo("ASIG")); }),
                HasSubstr("no es de la tabla"));
}

}  // namespace
}  // namespace thn::dbf
