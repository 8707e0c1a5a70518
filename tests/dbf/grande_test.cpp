// SPDX-License-Identifier: EUPL-1.2
// A table of 100,000 records: written, reread and searched (one index
// build, then 100,000 look-ups), with first-match semantics over duplicates.

#include "comun/comun.h"
#include "dbf/tabla.h"

#include <gtest/gtest.h>

#include <cstdio>

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

TEST(DbfGrande, CienMilRegistros)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "GRANDE.DBF";
    Tabla::Crear(ruta, {{"CLAVE", TipoCampo::Caracter, 10},
                        {"DIA", TipoCampo::Entero},
                        {"HORAS", TipoCampo::Flotante},
                        {"ESTAREA", TipoCampo::Logico}});
    {
        Tabla t(ruta, Acceso::Exclusivo);
        for (int i = 0; i < kRegistros; ++i) {
            t.Anadir();
            t.PonerTexto("CLAVE", Clave(i));
            t.PonerEntero("DIA", i % 5 + 1);
            t.PonerFlotante("HORAS", i / 4.0);
            t.PonerLogico("ESTAREA", i % 2 == 0);
            t.Grabar();
        }
    }
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
