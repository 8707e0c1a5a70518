// SPDX-License-Identifier: EUPL-1.2
// Reading files the engine did not write: hand-built dBASE III, IV, 7,
// FoxPro and Visual FoxPro files, and malformed ones (which must give a
// thn::Error naming the file, never a crash: run these under ASan too).

#include "comun/comun.h"
#include "dbf/tabla.h"
#include "base/error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

namespace thn::dbf {
namespace {

using prueba::DirectorioTemporal;
using prueba::EscribirFichero;
using prueba::LeerFichero;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

struct CampoCrudo {
    std::string nombre;
    char tipo;
    int ancho;
    int decimales = 0;
    int banderas = 0;  // FoxPro descriptor byte 18
};

void PonerLE(std::string& s, std::size_t pos, std::uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        s[pos + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

struct Fichero {
    unsigned char version = 0x03;
    std::vector<CampoCrudo> campos;
    std::vector<std::string> registros;  // whole records, deletion flag included
    std::string tras_terminador;         // VFP back-link, level-7 property block…
    bool fin_1a = true;
    std::string fecha = std::string("\x7C\x05\x06", 3);

    bool Nivel7() const { return (version & 7) == 4; }

    std::size_t LongitudRegistro() const
    {
        std::size_t n = 1;
        for (const auto& c : campos)
            n += static_cast<std::size_t>(c.ancho);
        return n;
    }

    std::string Cabecera() const
    {
        const std::size_t base = Nivel7() ? 68 : 32, tam = Nivel7() ? 48 : 32;
        std::string h(base, '\0');
        h[0] = static_cast<char>(version);
        h.replace(1, 3, fecha);
        if (Nivel7())
            h.replace(32, 8, "DBWINWE0");
        std::size_t desp = 1;
        for (const auto& c : campos) {
            std::string d(tam, '\0');
            d.replace(0, c.nombre.size(), c.nombre);
            if (Nivel7()) {
                d[32] = c.tipo;
                d[33] = static_cast<char>(c.ancho);
                d[34] = static_cast<char>(c.decimales);
            } else {
                d[11] = c.tipo;
                PonerLE(d, 12, static_cast<std::uint32_t>(desp), 4);
                d[16] = static_cast<char>(c.ancho & 0xFF);
                d[17] = static_cast<char>(c.tipo == 'C' ? c.ancho >> 8 : c.decimales);
                d[18] = static_cast<char>(c.banderas);
            }
            desp += static_cast<std::size_t>(c.ancho);
            h += d;
        }
        h += '\x0D';
        h += tras_terminador;
        PonerLE(h, 4, static_cast<std::uint32_t>(registros.size()), 4);
        PonerLE(h, 8, static_cast<std::uint32_t>(h.size()), 2);
        PonerLE(h, 10, static_cast<std::uint32_t>(LongitudRegistro()), 2);
        return h;
    }

    std::string Bytes() const
    {
        std::string f = Cabecera();
        for (const auto& r : registros) {
            EXPECT_EQ(r.size(), LongitudRegistro()) << "registro de prueba mal construido";
            f += r;
        }
        if (fin_1a)
            f += '\x1A';
        return f;
    }
};

std::string BE32(std::uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>(v >> (24 - 8 * i));
    return s;
}

std::string LE(std::uint64_t v, int n)
{
    std::string s(static_cast<std::size_t>(n), '\0');
    for (int i = 0; i < n; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    return s;
}

std::string LEDoble(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, 8);
    return LE(b, 8);
}

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

// Every record's texts, in order, fields separated by '|'.
std::vector<std::string> Volcado(Tabla& t, char separador = '.')
{
    std::vector<std::string> r;
    const auto campos = t.Campos();
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        std::string linea;
        for (std::size_t i = 0; i < campos.size(); ++i)
            linea += (i ? "|" : "") + t.LeerTexto(campos[i].nombre, separador);
        r.push_back(linea);
    }
    return r;
}

TEST(DbfLectura, DBaseIIIConTodosSusTipos)
{
    Fichero f;
    f.version = 0x83;  // with .DBT memo (absent: memo contents are not read)
    f.campos = {{"DIA", 'N', 9}, {"HORA", 'N', 18, 8}, {"F", 'F', 6, 2}, {"ASIG", 'C', 6},
                {"ESTAREA", 'L', 1}, {"FECHA", 'D', 8}, {"NOTA", 'M', 10}};
    const std::string resto = "T20240506         1";
    f.registros = {
        " " + std::string("        1") + "        3.00000000" + "  2.50" + "MAT   " + resto,
        "*" + std::string("        2") + "        3.00000000" + "  2.50" + "BORRA " + resto,  // deleted
        " " + std::string("       -5") + "        2.50000000" + " -0.50" + "  L1\xBD " + "F" + "        " + "          ",
        " " + std::string(9, ' ') + std::string(18, ' ') + std::string(6, ' ') + std::string(6, ' ') + "?" +
            std::string(8, ' ') + std::string(10, ' '),
        " " + std::string("     0042") + std::string("1.5               ") + "+1e1  " + "x     " + "y" +
            "19991231" + std::string(10, ' '),
    };
    DirectorioTemporal dir;
    EscribirFichero(dir / "T3.DBF", f.Bytes());
    Tabla t(dir / "T3.DBF", Acceso::Compartido);
    EXPECT_EQ(t.NumeroRegistros(), 4u);
    EXPECT_THAT(MensajeDe([&] { t.LeerTexto("NOTA"); }), HasSubstr("no se puede leer"));
    t.Primero();
    EXPECT_EQ(t.RegistroActual(), 1u);
    EXPECT_EQ(t.LeerTexto("DIA"), "1");
    EXPECT_EQ(t.LeerTexto("HORA"), "3");
    EXPECT_EQ(t.LeerTexto("HORA", ','), "3");
    EXPECT_EQ(t.LeerTexto("F", ','), "2,5");
    EXPECT_EQ(t.LeerEntero("DIA"), 1);
    EXPECT_EQ(t.LeerEntero("HORA"), 3);
    EXPECT_DOUBLE_EQ(t.LeerNumero("F"), 2.5);
    EXPECT_EQ(t.LeerTexto("FECHA"), "20240506");
    EXPECT_TRUE(t.LeerLogico("ESTAREA"));
    t.Siguiente();
    EXPECT_EQ(t.RegistroActual(), 3u);  // physical number: the deleted record counts
    EXPECT_EQ(t.LeerTexto("DIA"), "-5");
    EXPECT_EQ(t.LeerTexto("HORA"), "2.5");
    EXPECT_EQ(t.LeerTexto("F"), "-0.5");
    EXPECT_EQ(t.LeerTexto("ASIG"), "  L1\xBD");
    EXPECT_EQ(t.LeerTexto("ESTAREA"), "F");
    EXPECT_TRUE(t.EsNulo("FECHA"));
    t.Siguiente();
    for (const char* c : {"DIA", "HORA", "F", "ASIG", "ESTAREA", "FECHA", "NOTA"}) {
        EXPECT_TRUE(t.EsNulo(c)) << c;
        if (std::string(c) != "NOTA") {
            EXPECT_EQ(t.LeerTexto(c), "") << c;
        }
    }
    EXPECT_EQ(t.LeerEntero("DIA"), 0);
    t.Siguiente();
    EXPECT_EQ(t.LeerTexto("DIA"), "42");  // leading zeros dropped
    EXPECT_EQ(t.LeerTexto("HORA"), "1.5");  // left-aligned accepted
    EXPECT_EQ(t.LeerTexto("F"), "10");
    EXPECT_EQ(t.LeerTexto("ESTAREA"), "T");  // y is true
    ASSERT_TRUE(t.Localizar("ASIG", "  L1\xBD"));
    EXPECT_EQ(t.RegistroActual(), 3u);
    EXPECT_FALSE(t.Localizar("ASIG", "BORRA"));  // deleted records are not found
    ASSERT_TRUE(t.Localizar("DIA", "-5"));
    ASSERT_TRUE(t.Localizar("HORA", "1.5"));
    EXPECT_EQ(t.RegistroActual(), 5u);

    const auto campos = t.Campos();
    ASSERT_EQ(campos.size(), 7u);
    EXPECT_EQ(campos[0].tipo, TipoCampo::Entero);    // N with 0 decimals
    EXPECT_EQ(campos[1].tipo, TipoCampo::Flotante);  // N with decimals
    EXPECT_EQ(campos[2].tipo, TipoCampo::Flotante);  // F
    EXPECT_EQ(campos[5].tipo, TipoCampo::Caracter);  // D reads as text
    EXPECT_EQ(campos[5].ancho, 8);
}

TEST(DbfLectura, NumeroNoValidoDaError)
{
    Fichero f;
    f.campos = {{"N", 'N', 4}};
    f.registros = {" ****", " 1 2 "};
    DirectorioTemporal dir;
    EscribirFichero(dir / "N.DBF", f.Bytes());
    Tabla t(dir / "N.DBF", Acceso::Compartido);
    EXPECT_THAT(MensajeDe([&] { t.LeerTexto("N"); }), HasSubstr("'****', que no es un número válido"));
    EXPECT_THAT(MensajeDe([&] { t.LeerEntero("N"); }), HasSubstr((dir / "N.DBF").string()));
    t.Siguiente();
    EXPECT_THAT(MensajeDe([&] { t.LeerNumero("N"); }), HasSubstr("'1 2'"));
    EXPECT_THAT(MensajeDe([&] { t.Localizar("N", "12"); }), HasSubstr("no es un número válido"));
}

TEST(DbfLectura, DBaseIVConIdiomaYSinFinDeFichero)
{
    Fichero f;
    f.version = 0x03;
    f.campos = {{"DIA", 'N', 9}, {"HORAS", 'N', 18, 8}, {"ESTAREA", 'L', 1}, {"ASIG", 'C', 4}};
    f.registros = {" " + std::string("       -5") + "        2.50000000" + "F" + "MAT "};
    f.fin_1a = false;  // TDbf copes with a missing 1A: so must we
    DirectorioTemporal dir;
    std::string bytes = f.Bytes();
    bytes[29] = '\x58';
    bytes += "basura";  // trailing bytes shorter than a record
    EscribirFichero(dir / "T4.DBF", bytes);
    Tabla t(dir / "T4.DBF", Acceso::Compartido);
    EXPECT_EQ(Volcado(t), std::vector<std::string>{"-5|2.5|F|MAT"});
}

TEST(DbfLectura, Nivel7ConBloqueDePropiedadesYTiposQueSeSaltan)
{
    Fichero f;
    f.version = 0x8C;  // level 7 with memo
    f.campos = {{"CLAVE", '+', 4}, {"ORDEN", 'I', 4}, {"HORAS", 'O', 8}, {"CUANDO", '@', 8},
                {"NOTA", 'M', 10}, {"NOMBRE_DE_CAMPO_MUY_LARGO_31CAR", 'C', 3}};
    f.tras_terminador = std::string(16, '\x01') + "propiedades";  // must be skipped by the header length
    f.registros = {
        " " + BE32(0x80000001) + BE32(0x80000007) + std::string("\xC0\x04\0\0\0\0\0\0", 8) +
            std::string("\x42\xCC\x00\x00\x00\x00\x00\x00", 8) + std::string(10, ' ') + "abc",
        " " + BE32(0x80000002) + std::string(4, '\0') + std::string("\x40\x1F\xFF\xFF\xFF\xFF\xFF\xFF", 8) +
            std::string(8, '\0') + std::string(10, ' ') + "   ",
    };
    DirectorioTemporal dir;
    EscribirFichero(dir / "T7.DBF", f.Bytes());
    Tabla t(dir / "T7.DBF", Acceso::Compartido);
    EXPECT_THAT(MensajeDe([&] { t.LeerTexto("CUANDO"); }), HasSubstr("no se puede leer"));
    EXPECT_FALSE(t.EsNulo("CUANDO"));
    EXPECT_EQ(t.LeerTexto("CLAVE"), "1");
    EXPECT_EQ(t.LeerTexto("ORDEN"), "7");
    EXPECT_EQ(t.LeerTexto("HORAS"), "2.5");
    EXPECT_EQ(t.LeerTexto("NOMBRE_DE_CAMPO_MUY_LARGO_31CAR"), "abc");
    t.Siguiente();
    EXPECT_EQ(t.LeerTexto("CLAVE"), "2");
    EXPECT_TRUE(t.EsNulo("ORDEN"));
    EXPECT_EQ(t.LeerTexto("HORAS"), "-0.5");
    EXPECT_TRUE(t.EsNulo("CUANDO"));
    EXPECT_TRUE(t.EsNulo("NOMBRE_DE_CAMPO_MUY_LARGO_31CAR"));
}

TEST(DbfLectura, Nivel7AutoincrementoAlAnadir)
{
    Fichero f;
    f.version = 0x04;
    f.campos = {{"CLAVE", '+', 4}, {"N", 'I', 4}};
    f.registros = {" " + BE32(0x80000001) + BE32(0x80000005)};
    std::string bytes = f.Bytes();
    // Next value 2 in descriptor bytes 42-45 (where TDbf and the BDE keep it).
    PonerLE(bytes, 68 + 42, 2, 4);
    DirectorioTemporal dir;
    EscribirFichero(dir / "A.DBF", bytes);
    {
        Tabla t(dir / "A.DBF", Acceso::Exclusivo);
        t.Anadir();
        t.PonerEntero("N", 6);
        t.Grabar();
        t.Anadir();
        t.PonerEntero("CLAVE", 100);  // an explicit value is kept
        t.Grabar();
        t.Anadir();
        t.Grabar();
    }
    Tabla t(dir / "A.DBF", Acceso::Compartido);
    std::vector<std::string> claves;
    for (t.Primero(); !t.Fin(); t.Siguiente())
        claves.push_back(t.LeerTexto("CLAVE"));
    EXPECT_EQ(claves, (std::vector<std::string>{"1", "2", "100", "3"}));
    EXPECT_EQ(LeerFichero(dir / "A.DBF").substr(68 + 42, 4), LE(4, 4));
}

TEST(DbfLectura, FoxProConCaracterLargo)
{
    Fichero f;
    f.version = 0xF5;
    f.campos = {{"LARGO", 'C', 300}, {"N", 'N', 3}};
    f.registros = {" " + std::string(299, 'x') + "y" + "  7"};
    DirectorioTemporal dir;
    EscribirFichero(dir / "FP.DBF", f.Bytes());
    Tabla t(dir / "FP.DBF", Acceso::Compartido);
    EXPECT_EQ(t.LeerTexto("LARGO"), std::string(299, 'x') + "y");
    EXPECT_EQ(t.LeerTexto("N"), "7");
    EXPECT_EQ(t.Campos().at(0).ancho, 300);
}

TEST(DbfLectura, VisualFoxProConNulos)
{
    Fichero f;
    f.version = 0x30;
    f.campos = {{"ORDEN", 'I', 4, 0, 0x02}, {"HORAS", 'B', 8, 0, 0x02}, {"COSTE", 'Y', 8, 4, 0},
                {"ASIG", 'C', 4, 0, 0x02}, {"FIJO", 'I', 4}, {"_NullFlags", '0', 1, 0, 0x05}};
    f.tras_terminador = std::string(263, '\0');  // back-link area
    f.registros = {
        " " + LE(static_cast<std::uint32_t>(-3), 4) + LEDoble(2.25) + LE(15000, 8) + "x\xBD  " + LE(0, 4) +
            std::string(1, '\0'),
        " " + LE(0, 4) + LE(0, 8) + LE(static_cast<std::uint64_t>(-1), 8) + "    " + LE(9, 4) +
            std::string(1, '\x07'),  // ORDEN, HORAS, ASIG null (bits 0, 1, 2)
        "*" + LE(1, 4) + LE(0, 8) + LE(0, 8) + "BORR" + LE(0, 4) + std::string(1, '\0'),
    };
    DirectorioTemporal dir;
    EscribirFichero(dir / "VFP.DBF", f.Bytes());
    Tabla t(dir / "VFP.DBF", Acceso::Compartido);
    EXPECT_FALSE(t.ExisteCampo("_NullFlags"));  // a system field
    EXPECT_EQ(t.Campos().size(), 5u);
    EXPECT_EQ(Volcado(t), (std::vector<std::string>{"-3|2.25|1.5|x\xBD|0", "||-0.0001||9"}));
    t.Primero();
    t.Siguiente();
    EXPECT_TRUE(t.EsNulo("ORDEN"));
    EXPECT_TRUE(t.EsNulo("HORAS"));
    EXPECT_FALSE(t.EsNulo("COSTE"));
    EXPECT_FALSE(t.EsNulo("FIJO"));
    EXPECT_EQ(t.NumeroRegistros(), 2u);
}

TEST(DbfLectura, AnadirAUnaTablaDBaseIII)
{
    Fichero f;
    f.campos = {{"DIA", 'N', 9}, {"HORAS", 'N', 6, 2}, {"ASIG", 'C', 4}, {"ESTAREA", 'L', 1}};
    f.registros = {" " + std::string("        1") + "  2.50" + "MAT " + "T"};
    f.fin_1a = false;
    DirectorioTemporal dir;
    const auto ruta = dir / "A3.DBF";
    EscribirFichero(ruta, f.Bytes() + "xx");  // trailing bytes are replaced
    {
        Tabla t(ruta, Acceso::Exclusivo);
        t.Anadir();
        t.PonerTexto("DIA", "-12");
        t.PonerTexto("HORAS", "1.255");
        t.PonerTexto("ASIG", "LENGUA");
        t.PonerLogico("ESTAREA", false);
        t.Grabar();
        t.Anadir();
        EXPECT_EQ(MensajeDe([&] { t.PonerTexto("DIA", "x"); }), "'x' no es un valor entero válido para el campo 'DIA'");
        EXPECT_THAT(MensajeDe([&] { t.PonerEntero("HORAS", 1000); }), HasSubstr("no cabe"));  // never cut
        t.PonerFlotante("DIA", 2.6);  // rounded to the field's decimals
        t.Grabar();
    }
    const std::string bytes = LeerFichero(ruta);
    const std::size_t hl = 32 + 4 * 32 + 1, rl = 21;
    ASSERT_EQ(bytes.size(), hl + 3 * rl + 1);
    EXPECT_EQ(bytes.substr(hl + rl, rl), " " + std::string("      -12") + "  1.25" + "LENG" + "F");
    EXPECT_EQ(bytes.back(), '\x1A');
    EXPECT_EQ(bytes[4], '\x03');
    Tabla t(ruta, Acceso::Compartido);
    EXPECT_EQ(Volcado(t), (std::vector<std::string>{"1|2.5|MAT|T", "-12|1.25|LENG|F", "3|||"}));
}

// ---- malformed files ------------------------------------------------------

std::string Valido()
{
    Fichero f;
    f.version = 0x04;
    f.campos = {{"ASIG", 'C', 3}, {"ORDEN", 'I', 4}, {"HORAS", 'O', 8}, {"ESTAREA", 'L', 1}};
    f.registros = {" MAT" + BE32(0x80000007) + std::string("\xC0\x04\0\0\0\0\0\0", 8) + "T",
                   " LEN" + std::string(4, '\0') + std::string(8, '\0') + " "};
    return f.Bytes();
}

constexpr std::size_t kCabeceraValido = 68 + 4 * 48 + 1;
constexpr std::size_t kRegistroValido = 17;

// Opens and reads everything; returns the error message and its detail line
// ("" when it opened).
std::string AbrirYLeer(const fs::path& ruta, std::size_t* registros = nullptr)
{
    try {
        Tabla t(ruta, Acceso::Compartido);
        std::size_t n = 0;
        const auto campos = t.Campos();
        for (t.Primero(); !t.Fin(); t.Siguiente(), ++n)
            for (const auto& c : campos) {
                try {
                    (void)t.LeerTexto(c.nombre);
                    (void)t.EsNulo(c.nombre);
                    (void)t.LeerNumero(c.nombre);
                } catch (const Error&) {
                    // a field may hold nonsense: an Error is the right answer
                }
            }
        if (registros)
            *registros = n;
        return "";
    } catch (const Error& e) {
        return std::string(e.what()) + "\n" + e.Detalle();
    }
}

TEST(DbfMalformado, ElFicheroValidoSeLee)
{
    DirectorioTemporal dir;
    EscribirFichero(dir / "V.DBF", Valido());
    std::size_t n = 0;
    EXPECT_EQ(AbrirYLeer(dir / "V.DBF", &n), "");
    EXPECT_EQ(n, 2u);
}

TEST(DbfMalformado, CadaLongitudDeTruncado)
{
    const std::string valido = Valido();
    DirectorioTemporal dir;
    const auto ruta = dir / "TRUNC.DBF";
    for (std::size_t largo = 0; largo < valido.size(); ++largo) {
        SCOPED_TRACE("largo " + std::to_string(largo));
        EscribirFichero(ruta, valido.substr(0, largo));
        std::size_t n = 99;
        const std::string m = AbrirYLeer(ruta, &n);
        if (largo < kCabeceraValido) {
            // A cut header: always an Error naming the file.
            EXPECT_THAT(m, HasSubstr("La tabla '" + ruta.string() + "' no es una tabla dBASE válida"));
        } else if (largo < kCabeceraValido + 2 * kRegistroValido) {
            // A cut record area: refused, never half-read.
            EXPECT_EQ(m, "La tabla 'TRUNC' está incompleta: su cabecera anuncia 2 registros y el fichero solo contiene "
                             + std::to_string((largo - kCabeceraValido) / kRegistroValido) + "\n" + ruta.string());
        } else {
            // Only the end mark missing.
            EXPECT_EQ(m, "");
            EXPECT_EQ(n, 2u);
        }
    }
}

TEST(DbfMalformado, CuentaDeLaCabecera)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "M.DBF";
    struct Caso {
        std::uint32_t cuenta;
        std::string relleno;  // after the end mark
        std::string error;    // "" when it opens
        std::size_t registros;
    } casos[] = {
        {2, "", "", 2},
        {2, std::string(4096, '\x1A') + "basura", "", 2},  // trailing bytes are no records
        {1, "", "", 1},                                      // claims fewer: the header wins
        {0, "", "", 0},
        {3, "", "anuncia 3 registros y el fichero solo contiene 2", 0},
        {1000, std::string(8, ' '), "anuncia 1000 registros y el fichero solo contiene 2", 0},
        {0xFFFFFFFF, "", "anuncia 4294967295 registros", 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.cuenta);
        std::string b = Valido() + c.relleno;
        PonerLE(b, 4, c.cuenta, 4);
        EscribirFichero(ruta, b);
        std::size_t n = 99;
        const std::string m = AbrirYLeer(ruta, &n);
        if (c.error.empty()) {
            EXPECT_EQ(m, "");
            EXPECT_EQ(n, c.registros);
        } else {
            EXPECT_THAT(m, HasSubstr("La tabla 'M' está incompleta: su cabecera " + c.error));
        }
    }
}

struct CasoMalo {
    std::string nombre;
    std::function<void(std::string&)> estropear;
    std::string motivo;  // part of the message
};

class DbfMalformadoCaso : public ::testing::TestWithParam<CasoMalo> {};

TEST_P(DbfMalformadoCaso, DaErrorConElNombreDelFichero)
{
    std::string b = Valido();
    GetParam().estropear(b);
    DirectorioTemporal dir;
    const auto ruta = dir / "MAL.DBF";
    EscribirFichero(ruta, b);
    const std::string m = AbrirYLeer(ruta);
    EXPECT_THAT(m, HasSubstr("'" + ruta.string() + "'"));
    EXPECT_THAT(m, HasSubstr(GetParam().motivo));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DbfMalformadoCaso,
    ::testing::Values(
        CasoMalo{"RegistroMasCortoQueLosCampos", [](std::string& b) { PonerLE(b, 10, 16, 2); },
                 "no da cabida a los campos"},
        CasoMalo{"RegistroDeLongitudCero", [](std::string& b) { PonerLE(b, 10, 0, 2); }, "no da cabida"},
        CasoMalo{"CabeceraMasAllaDelFichero", [](std::string& b) { PonerLE(b, 8, 0xFFFF, 2); },
                 "supera el tamaño del fichero"},
        CasoMalo{"CabeceraUnByteMasAllaDelFichero",
                 [](std::string& b) { PonerLE(b, 8, static_cast<std::uint32_t>(b.size() + 1), 2); },
                 "supera el tamaño del fichero"},
        CasoMalo{"CabeceraDemasiadoCorta", [](std::string& b) { PonerLE(b, 8, 40, 2); }, "demasiado pequeña"},
        CasoMalo{"SinTerminadorDeDescriptores", [](std::string& b) { b[kCabeceraValido - 1] = 'X'; },
                 "incompleto"},
        CasoMalo{"SinCampos",
                 [](std::string& b) {
                     b[68] = '\x0D';
                     PonerLE(b, 8, 69, 2);
                 },
                 "no tiene campos"},
        CasoMalo{"VersionDesconocida", [](std::string& b) { b[0] = '\x01'; }, "versión 0x01 desconocida"},
        CasoMalo{"TipoNoValido", [](std::string& b) { b[68 + 48 + 32] = '\0'; }, "tipo no válido"},
        CasoMalo{"AnchoCero", [](std::string& b) { b[68 + 33] = '\0'; }, "ancho 0"},
        CasoMalo{"EnteroDeAnchoRaro", [](std::string& b) { b[68 + 48 + 33] = '\x02'; }, "ancho no válido"},
        CasoMalo{"DobleDeAnchoRaro", [](std::string& b) { b[68 + 96 + 33] = '\x10'; }, "no da cabida"},
        CasoMalo{"CampoSinNombre", [](std::string& b) { b[68 + 48] = '\0'; }, "no tiene nombre"},
        CasoMalo{"NombreConControl", [](std::string& b) { b[68 + 1] = '\x01'; }, "no es válido"},
        CasoMalo{"FicheroVacio", [](std::string& b) { b.clear(); }, "más corto que la cabecera"},
        CasoMalo{"TextoCualquiera", [](std::string& b) { b = "<?xml version=\"1.0\"?>\n<centro/>\n"; },
                 "desconocida"},
        CasoMalo{"Nivel7CortoComoDBaseIII", [](std::string& b) { b.resize(40); }, "más corto que la cabecera"}),
    [](const ::testing::TestParamInfo<CasoMalo>& i) { return i.param.nombre; });

TEST(DbfMalformado, DescriptoresHastaLaLongitudDeCabeceraSinTerminador)
{
    // The header length ends exactly after the last descriptor, with no 0x0D:
    // readers stop at the header length, so this opens.
    Fichero f;
    f.version = 0x03;
    f.campos = {{"A", 'C', 2}};
    f.registros = {" ab"};
    std::string b = f.Bytes();
    b.erase(32 + 32, 1);  // drop the terminator
    PonerLE(b, 8, 64, 2);
    DirectorioTemporal dir;
    EscribirFichero(dir / "S.DBF", b);
    Tabla t(dir / "S.DBF", Acceso::Compartido);
    EXPECT_EQ(t.LeerTexto("A"), "ab");
}

TEST(DbfMalformado, LongitudDeRegistroEnorme)
{
    DirectorioTemporal dir;
    std::string b = Valido();
    PonerLE(b, 10, 0xFFFF, 2);  // fits the fields, but no record fits the file
    EscribirFichero(dir / "E.DBF", b);
    EXPECT_THAT(AbrirYLeer(dir / "E.DBF"), HasSubstr("anuncia 2 registros y el fichero solo contiene 0"));
}

TEST(DbfMalformado, BytesAlAzarEnLaCabecera)
{
    // Random damage must give an Error or a readable table: never a crash or a
    // bad read (this is the test ASan watches).
    const std::string valido = Valido();
    DirectorioTemporal dir;
    const auto ruta = dir / "AZAR.DBF";
    std::mt19937 azar(12345);
    for (int vuelta = 0; vuelta < 400; ++vuelta) {
        std::string b = valido;
        const int cambios = 1 + static_cast<int>(azar() % 4);
        for (int i = 0; i < cambios; ++i) {
            const std::size_t pos = azar() % (vuelta % 2 ? b.size() : 16);
            b[pos] = static_cast<char>(azar() & 0xFF);
        }
        if (vuelta % 7 == 0)
            b.resize(azar() % b.size());
        EscribirFichero(ruta, b);
        const std::string m = AbrirYLeer(ruta);
        if (!m.empty()) {
            EXPECT_THAT(m, HasSubstr(ruta.string()));
        }
    }
}

}  // namespace
}  // namespace thn::dbf
