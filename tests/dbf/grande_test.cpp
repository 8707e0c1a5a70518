// SPDX-License-Identifier: EUPL-1.2
// A table of 100,000 records: written (held whole, or a block at a time
// when appending only, or made apart and posted in pieces), reread and searched (one index build, then 100,000
// look-ups), with first-match semantics over duplicates.

#include "comun/comun.h"
#include "dbf/tabla.h"
#include "dbf/registros_aparte.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace thn::dbf {
namespace {

using prueba::DirectorioTemporal;

std::string Clave(int i)
{
    char b[16];
    std::snprintf(b, sizeof b, "K%06d", i);
    return b;
}

constexpr int kRegistros = 100000;

// The records after the first three, appended through `acceso`; the first
// three were posted by an earlier opening. The last record begun is never
// posted. `aparte`: made apart instead, in pieces of many sizes whose ends
// fall anywhere in a block, with a record begun and dropped before each.
void Escribir(const std::filesystem::path& ruta, Acceso acceso, bool aparte = false)
{
    Tabla::Crear(ruta, {{"CLAVE", TipoCampo::Caracter, 10},
                        {"DIA", TipoCampo::Entero},
                        {"HORAS", TipoCampo::Flotante},
                        {"ESTAREA", TipoCampo::Logico}});
    const auto registro = [](auto& t, const auto& campos, int i) {
        t.Anadir();
        t.PonerTexto(campos[0], "SOBRESCRITO");  // a shorter text over it leaves blanks after
        t.PonerTexto(campos[0], Clave(i));
        t.PonerTexto(campos[1], std::to_string(i % 5 + 1));
        t.PonerFlotante(campos[2], i / 4.0);
        t.PonerTexto(campos[3], i % 2 == 0 ? "T" : "F");
    };
    {
        Tabla t(ruta, Acceso::Exclusivo);
        for (int i = 0; i < 3; ++i) {
            registro(t, std::array<std::string_view, 4>{"CLAVE", "DIA", "HORAS", "ESTAREA"}, i);
            t.Grabar();
        }
    }
    Tabla t(ruta, acceso);
    const std::array campos{t.Campo("CLAVE"), t.Campo("DIA"), t.Campo("HORAS"), t.Campo("ESTAREA")};
    t.Reservar(kRegistros - 3);
    RegistrosAparte hechos(t);
    for (int i = 3, pieza = 0; i < kRegistros; ++pieza) {
        if (!aparte) {
            registro(t, campos, i++);
            t.Grabar();
            continue;
        }
        hechos.Vaciar();
        for (int n = std::array{1, 2000, 7, 3333, 10923}[pieza % 5]; n > 0 && i < kRegistros; --n)
            registro(hechos, campos, i++);
        t.Anadir();
        t.PonerTexto(campos[0], "NUNCA");
        t.AnadirHechos(hechos);
    }
    t.Anadir();
    t.PonerTexto("CLAVE", "NUNCA");
}

// Appending only, or posting records made apart, writes the same bytes.
TEST(DbfGrande, SoloAnadirYHechosAparteEscribenLoMismo)
{
    DirectorioTemporal dir;
    Escribir(dir / "A.DBF", Acceso::Exclusivo);
    const auto a = prueba::LeerFichero(dir / "A.DBF");
    for (const auto& [acceso, aparte] :
         {std::pair{Acceso::SoloAnadir, false}, {Acceso::SoloAnadir, true}, {Acceso::Exclusivo, true}}) {
        Escribir(dir / "B.DBF", acceso, aparte);
        EXPECT_TRUE(a == prueba::LeerFichero(dir / "B.DBF")) << static_cast<int>(acceso) << aparte;
    }
    EXPECT_EQ(Tabla(dir / "B.DBF", Acceso::SoloAnadir).NumeroRegistros(), static_cast<std::size_t>(kRegistros));
}

TEST(DbfGrande, CienMilRegistros)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "GRANDE.DBF";
    Escribir(ruta, Acceso::Exclusivo);
    EXPECT_EQ(std::filesystem::file_size(ruta), 68 + 4 * 48 + 1 + kRegistros * 24u + 1);

    Tabla t(ruta, Acceso::Compartido);
    ASSERT_EQ(t.NumeroRegistros(), static_cast<std::size_t>(kRegistros));
    int i = 0;
    for (t.Primero(); !t.Fin(); t.Siguiente(), ++i) {
        if (i % 9973 == 0 || i == kRegistros - 1) {
            ASSERT_EQ(t.LeerTexto("CLAVE"), Clave(i));
            ASSERT_EQ(t.LeerEntero("DIA"), i % 5 + 1);
            ASSERT_EQ(t.LeerNumero("HORAS"), i / 4.0);
            ASSERT_EQ(t.LeerLogico("ESTAREA"), i % 2 == 0);
        }
    }
    EXPECT_EQ(i, kRegistros);

    ASSERT_TRUE(t.Localizar("CLAVE", Clave(kRegistros - 1)));
    EXPECT_EQ(t.RegistroActual(), static_cast<std::size_t>(kRegistros));
    EXPECT_EQ(t.LeerNumero("HORAS"), (kRegistros - 1) / 4.0);
    for (int k = 0; k < kRegistros; ++k) {
        const int j = (k * 7919) % kRegistros;
        ASSERT_TRUE(t.Localizar("CLAVE", Clave(j)));
        ASSERT_EQ(t.RegistroActual(), static_cast<std::size_t>(j + 1));
    }
    EXPECT_FALSE(t.Localizar("CLAVE", "NADA"));
    EXPECT_TRUE(t.Fin());
    ASSERT_TRUE(t.Localizar("DIA", "3"));  // 20,000 duplicates: the first wins
    EXPECT_EQ(t.RegistroActual(), 3u);
    ASSERT_TRUE(t.Localizar("HORAS", "24999.75"));
    EXPECT_EQ(t.RegistroActual(), static_cast<std::size_t>(kRegistros));
}

}  // namespace
}  // namespace thn::dbf
