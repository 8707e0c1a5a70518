// SPDX-License-Identifier: EUPL-1.2
// The engine's files byte by byte: a whole two-record level-7 table, the
// header of a new table, and the I / O field encodings.

#include "comun/comun.h"
#include "dbf/codificacion.h"
#include "dbf/tabla.h"
#include "base/error.h"
#include "so/plataforma.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>

namespace thn::dbf {
namespace {

using prueba::DirectorioTemporal;
using prueba::LeerFichero;

std::string Hex(std::string_view bytes)
{
    static const char* d = "0123456789ABCDEF";
    std::string r;
    for (unsigned char c : bytes) {
        r += d[c >> 4];
        r += d[c & 15];
        r += ' ';
    }
    return r;
}

std::string Bytes(std::initializer_list<int> b)
{
    std::string r;
    for (int v : b)
        r += static_cast<char>(v);
    return r;
}

// A 48-byte level-7 descriptor.
std::string Descriptor7(const std::string& nombre, char tipo, int ancho)
{
    std::string d(48, '\0');
    d.replace(0, nombre.size(), nombre);
    d[32] = tipo;
    d[33] = static_cast<char>(ancho);
    return d;
}

TEST(DbfBytes, TablaDeDosRegistrosByteAByte)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "EJEMPLO.DBF";
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
        t.Anadir();
        t.Grabar();
    }

    std::string esperado;
    esperado += Bytes({0x04, 0, 0, 0, 0x02, 0, 0, 0, 0x05, 0x01, 0x12, 0x00});
    esperado += std::string(20, '\0');
    esperado += std::string("DBWINWE0") + std::string(24, '\0');
    esperado += std::string(4, '\0');
    esperado += Descriptor7("DIHO", 'C', 4);
    esperado += Descriptor7("SESION_ORDEN", 'I', 4);
    esperado += Descriptor7("HORAS", 'O', 8);
    esperado += Descriptor7("ESTAREA", 'L', 1);
    esperado += '\x0D';
    ASSERT_EQ(esperado.size(), 0x105u);
    esperado += Bytes({0x20, 0x4C, 0x31, 0xBD, 0x20, 0x80, 0x00, 0x00, 0x07,
                       0xC0, 0x04, 0, 0, 0, 0, 0, 0, 0x54});
    esperado += Bytes({0x20, 0x20, 0x20, 0x20, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20});
    esperado += '\x1A';
    ASSERT_EQ(esperado.size(), 0x12Au);

    std::string real = LeerFichero(ruta);
    ASSERT_EQ(real.size(), esperado.size());
    // The date (bytes 1-3) is today's: checked apart.
    const std::tm hoy = so::HoraLocal(std::time(nullptr));
    EXPECT_EQ(static_cast<unsigned char>(real[1]), hoy.tm_year);
    EXPECT_EQ(static_cast<unsigned char>(real[2]), hoy.tm_mon + 1);
    EXPECT_EQ(static_cast<unsigned char>(real[3]), hoy.tm_mday);
    real.replace(1, 3, std::string(3, '\0'));
    for (std::size_t i = 0; i < esperado.size(); i += 16)
        EXPECT_EQ(Hex(real.substr(i, 16)), Hex(esperado.substr(i, 16))) << "desde el byte " << i;
}

TEST(DbfBytes, TablaVaciaRecienCreada)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "V.DBF";
    Tabla::Crear(ruta, {{"A", TipoCampo::Caracter, 10}, {"B", TipoCampo::Entero}});
    const std::string f = LeerFichero(ruta);
    const std::size_t hl = 68 + 48 * 2 + 1;
    ASSERT_EQ(f.size(), hl + 1);
    EXPECT_EQ(f[0], '\x04');
    EXPECT_EQ(f.substr(4, 4), std::string(4, '\0'));  // no records
    EXPECT_EQ(static_cast<unsigned char>(f[8]) | static_cast<unsigned char>(f[9]) << 8, hl);
    EXPECT_EQ(static_cast<unsigned char>(f[10]) | static_cast<unsigned char>(f[11]) << 8, 1 + 10 + 4);
    EXPECT_EQ(f[28], '\0');  // no production index
    EXPECT_EQ(f[29], '\0');  // language driver id left at 0, as TDbf at level 7
    EXPECT_EQ(f.substr(32, 9), std::string("DBWINWE0") + '\0');
    EXPECT_EQ(f[hl - 1], '\x0D');
    EXPECT_EQ(f[hl], '\x1A');
    // Reserved bytes are all zero.
    EXPECT_EQ(f.substr(12, 16), std::string(16, '\0'));
    EXPECT_EQ(f.substr(64, 4), std::string(4, '\0'));
}

TEST(DbfBytes, CuentaYFinDeFicheroTrasVariasSesiones)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "S.DBF";
    Tabla::Crear(ruta, {{"N", TipoCampo::Entero}});
    for (int sesion = 1; sesion <= 3; ++sesion) {
        {
            Tabla t(ruta, Acceso::Exclusivo);
            for (int i = 0; i < sesion; ++i) {
                t.Anadir();
                t.PonerEntero("N", sesion * 10 + i);
                t.Grabar();
            }
        }
        const std::string f = LeerFichero(ruta);
        const std::size_t registros = static_cast<std::size_t>(sesion * (sesion + 1) / 2);
        const std::size_t hl = 68 + 48 + 1;
        ASSERT_EQ(f.size(), hl + registros * 5 + 1) << "sesión " << sesion;
        EXPECT_EQ(static_cast<unsigned char>(f[4]), registros);
        EXPECT_EQ(f.back(), '\x1A');
    }
    // Opening and closing without changes leaves the file as it was.
    const std::string antes = LeerFichero(ruta);
    { Tabla t(ruta, Acceso::Exclusivo); }
    EXPECT_EQ(LeerFichero(ruta), antes);
}

struct CasoEntero {
    std::int32_t valor;
    std::string bytes;
};

class DbfCodificacionEntero : public ::testing::TestWithParam<CasoEntero> {};

TEST_P(DbfCodificacionEntero, PatronesConocidos)
{
    unsigned char b[4];
    detalle::CodificarEntero7(b, GetParam().valor);
    EXPECT_EQ(Hex(std::string_view(reinterpret_cast<char*>(b), 4)), Hex(GetParam().bytes));
    EXPECT_EQ(detalle::DecodificarEntero7(b), GetParam().valor);
}

INSTANTIATE_TEST_SUITE_P(Patrones, DbfCodificacionEntero,
                         ::testing::Values(CasoEntero{0, Bytes({0x80, 0, 0, 0})},
                                           CasoEntero{7, Bytes({0x80, 0, 0, 0x07})},
                                           CasoEntero{42, Bytes({0x80, 0, 0, 0x2A})},
                                           CasoEntero{-1, Bytes({0x7F, 0xFF, 0xFF, 0xFF})},
                                           CasoEntero{-5, Bytes({0x7F, 0xFF, 0xFF, 0xFB})},
                                           CasoEntero{2147483647, Bytes({0xFF, 0xFF, 0xFF, 0xFF})}));

struct CasoDoble {
    double valor;
    std::string bytes;
};

class DbfCodificacionDoble : public ::testing::TestWithParam<CasoDoble> {};

TEST_P(DbfCodificacionDoble, PatronesConocidos)
{
    unsigned char b[8];
    detalle::CodificarDoble7(b, GetParam().valor);
    EXPECT_EQ(Hex(std::string_view(reinterpret_cast<char*>(b), 8)), Hex(GetParam().bytes));
    const auto vuelta = detalle::DecodificarDoble7(b);
    ASSERT_TRUE(vuelta.has_value());
    EXPECT_EQ(*vuelta, GetParam().valor);
    EXPECT_FALSE(std::signbit(*vuelta) && *vuelta == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Patrones, DbfCodificacionDoble,
    ::testing::Values(CasoDoble{0.0, Bytes({0x80, 0, 0, 0, 0, 0, 0, 0})},
                      CasoDoble{-0.0, Bytes({0x80, 0, 0, 0, 0, 0, 0, 0})},  // -0.0 written as +0.0
                      CasoDoble{1.0, Bytes({0xBF, 0xF0, 0, 0, 0, 0, 0, 0})},
                      CasoDoble{2.5, Bytes({0xC0, 0x04, 0, 0, 0, 0, 0, 0})},
                      CasoDoble{-0.5, Bytes({0x40, 0x1F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
                      CasoDoble{-1.0, Bytes({0x40, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})}));

TEST(DbfBytes, NulosSonCeros)
{
    const unsigned char ceros[8] = {};
    EXPECT_FALSE(detalle::DecodificarEntero7(ceros).has_value());
    EXPECT_FALSE(detalle::DecodificarDoble7(ceros).has_value());
}

TEST(DbfBytes, ElOrdenDeLosBytesOrdenaComoLosNumeros)
{
    const std::vector<double> v = {-1e300, -2.5, -1, -0.5, -1e-300, 0, 1e-300, 0.5, 1, 2.5, 1e300};
    std::string anterior;
    for (double x : v) {
        unsigned char b[8];
        detalle::CodificarDoble7(b, x);
        const std::string s(reinterpret_cast<char*>(b), 8);
        if (!anterior.empty()) {
            EXPECT_LT(anterior, s) << x;
        }
        anterior = s;
    }
}

TEST(DbfBytes, FlotanteMenosCeroEnElFichero)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "Z.DBF";
    Tabla::Crear(ruta, {{"O", TipoCampo::Flotante}});
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerFlotante("O", -0.0);
        t.Grabar();
    }
    const std::string f = LeerFichero(ruta);
    EXPECT_EQ(Hex(f.substr(68 + 48 + 1, 9)), Hex(Bytes({0x20, 0x80, 0, 0, 0, 0, 0, 0, 0})));
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_FALSE(t.EsNulo("O"));
    EXPECT_EQ(t.LeerTexto("O"), "0");
}

}  // namespace
}  // namespace thn::dbf
