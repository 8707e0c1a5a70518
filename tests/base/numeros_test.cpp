// SPDX-License-Identifier: EUPL-1.2
#include "base/crc32.h"
#include "base/error.h"
#include "base/numeros.h"

#include <gtest/gtest.h>

#include <optional>

namespace thn {
namespace {

TEST(EnteroDesdeTexto, TextosAceptadosYRechazados)
{
    struct Caso { std::string texto; std::optional<std::int32_t> valor; } casos[] = {
        {"0", 0}, {"030", 30}, {"  42", 42}, {"+7", 7}, {"-5", -5},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt},
        {"$1F", 31}, {"$1f", 31}, {"x10", 16}, {"X10", 16}, {"0x10", 16}, {"0X1a", 26},
        {"-$10", -16}, {"$FFFFFFFF", -1}, {"$7FFFFFFF", 2147483647}, {"$100000000", std::nullopt},
        {"", std::nullopt}, {" ", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt},
        {"12 ", std::nullopt}, {"30 alumnos", std::nullopt}, {"1.5", std::nullopt},
        {"G1", std::nullopt}, {"$G1", std::nullopt}, {"$-1", std::nullopt}, {"$0x1F", std::nullopt},
        {"\t5", std::nullopt}, {"+", std::nullopt}, {"--1", std::nullopt}, {"8:", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : casos) {
        std::int32_t v = 0;
        EXPECT_EQ(ProbarEnteroDesdeTexto(c.texto, v), c.valor.has_value()) << "'" << c.texto << "'";
        if (c.valor) {
            EXPECT_EQ(v, *c.valor) << c.texto;
            EXPECT_EQ(EnteroDesdeTexto(c.texto), *c.valor);
        } else {
            try {
                EnteroDesdeTexto(c.texto);
                ADD_FAILURE() << "aceptado: '" << c.texto << "'";
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()), "'" + c.texto + "' no es un valor entero válido");
            }
        }
    }
}

TEST(FlotanteDesdeTexto, ConElSeparadorRegional)
{
    struct Caso { std::string texto; char sep; std::optional<double> valor; } casos[] = {
        {"4", ',', 4}, {"2,5", ',', 2.5}, {" 0,5 ", ',', 0.5}, {"-3", ',', -3}, {"+1,25", ',', 1.25},
        {",5", ',', 0.5}, {"5,", ',', 5}, {"1,5e2", ',', 150}, {"1E-1", ',', 0.1},
        {"2.5", '.', 2.5}, {"2.5", ',', std::nullopt}, {"2,5", '.', std::nullopt},
        {"", ',', std::nullopt}, {"  ", ',', std::nullopt}, {"abc", ',', std::nullopt},
        {"1,2,3", ',', std::nullopt}, {"1e", ',', std::nullopt}, {",", ',', std::nullopt},
        {"- 1", ',', std::nullopt}, {"1 2", ',', std::nullopt}, {"1e999", ',', std::nullopt},
        {"inf", '.', std::nullopt}, {"nan", '.', std::nullopt}, {"0x10", '.', std::nullopt},
    };
    for (const auto& c : casos) {
        if (c.valor) {
            EXPECT_DOUBLE_EQ(FlotanteDesdeTexto(c.texto, c.sep), *c.valor) << c.texto;
        } else {
            try {
                FlotanteDesdeTexto(c.texto, c.sep);
                ADD_FAILURE() << "aceptado: '" << c.texto << "'";
            } catch (const Error& e) {
                EXPECT_EQ(std::string(e.what()), "'" + c.texto + "' no es un valor punto flotante válido");
            }
        }
    }
}

TEST(TextoDesdeNumero, FormaDecimalMasCorta)
{
    EXPECT_EQ(TextoDesdeEntero(-60), "-60");
    EXPECT_EQ(TextoDesdeEntero(5), "5");
    struct Caso { double valor; char sep; std::string texto; } casos[] = {
        {3, ',', "3"}, {2.5, ',', "2,5"}, {2.5, '.', "2.5"}, {-0.0, ',', "0"}, {0.1, ',', "0,1"},
        {-7, '.', "-7"}, {100, '.', "100"}, {1000000, ',', "1000000"}, {0.0001, ',', "0,0001"},
        {1e300, '.', "1e+300"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoDesdeFlotante(c.valor, c.sep), c.texto);
}

}  // namespace
}  // namespace thn

namespace thn {
namespace {

TEST(Crc32, ValoresConocidosYLoMismoPorTrozosQueDeUnaVez)
{
    const struct {
        std::string_view datos;
        std::uint32_t crc;
    } casos[] = {{"", 0}, {"a", 0xE8B7BE43u}, {"123456789", 0xCBF43926u},
                 {"The quick brown fox jumps over the lazy dog", 0x414FA339u}};
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.datos));
        EXPECT_EQ(Crc32De(c.datos), c.crc);
        // Cut at every place: the eight-byte steps must not depend on where blocks end.
        for (std::size_t corte = 0; corte <= c.datos.size(); ++corte) {
            Crc32 trozos;
            trozos.Anadir(c.datos.substr(0, corte));
            trozos.Anadir(c.datos.substr(corte));
            EXPECT_EQ(trozos.Valor(), c.crc) << corte;
        }
    }
}

}  // namespace
}  // namespace thn
