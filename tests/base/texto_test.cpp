// SPDX-License-Identifier: EUPL-1.2
#include "base/error.h"
#include "base/texto.h"

#include <gtest/gtest.h>

namespace thn {
namespace {

TEST(Recortar, QuitaBlancosYControlesDeAmbosExtremos)
{
    struct Caso { std::string entrada, esperado; } casos[] = {
        {"  Aula 1 \t", "Aula 1"},
        {"\x01\x1f X\x7f ", "X\x7f"},   // U+007F is above U+0020: kept
        {"", ""},
        {" \t\r\n", ""},
        {"a  b", "a  b"},
        {"\xc2\xa0" "a", "\xc2\xa0" "a"},  // no-break space is not trimmed
    };
    for (const auto& c : casos)
        EXPECT_EQ(Recortar(c.entrada), c.esperado) << c.entrada;
}

TEST(Ansi, IdaYVueltaConLosCaracteresDeLaPagina)
{
    struct Caso { std::string utf8, ansi; } casos[] = {
        {"Matemáticas", "Matem\xe1ticas"},
        {"½", "\xbd"},
        {"€", "\x80"},
        {"Ñandú", "\xd1" "and\xfa"},
        {"œ", "\x9c"},
        {"ASCII 123", "ASCII 123"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(AAnsi(c.utf8), c.ansi) << c.utf8;
        EXPECT_EQ(DesdeAnsi(c.ansi), c.utf8) << c.utf8;
    }
}

TEST(Ansi, LoQueLaPaginaNoTieneSeVuelveInterrogacion)
{
    EXPECT_EQ(AAnsi("Ω"), "?");
    EXPECT_EQ(AAnsi("a\xe4\xb8\xad" "b"), "a?b");     // a CJK character
    EXPECT_EQ(AAnsi("\xf0\x9f\x98\x80"), "?");         // outside the BMP: one character, one '?'
    EXPECT_EQ(AAnsi("x\xff" "y"), "x?y");              // malformed UTF-8
    EXPECT_EQ(AAnsi("a\xe4\xb8" "b"), "a?b");         // a cut sequence is one unit
    EXPECT_EQ(AAnsi("\xed\xa0\x80"), "???");          // an encoded surrogate is three
    EXPECT_EQ(AAnsi("\xc0\xaf\xf4\x90\x80\x80"), "??????");  // overlong; above U+10FFFF
}

TEST(SinMayusculas, PlegadoSencilloDeLaPagina)
{
    struct Caso { std::string a, b; bool iguales; } casos[] = {
        {"MGR", "mgr", true},
        {"\xd1", "\xf1", true},        // Ñ ñ
        {"a", "\xe1", false},          // a á
        {"\xc1", "\xe1", true},        // Á á
        {"1ESOA", "1esoa", true},
        {"ab", "abc", false},
        {"", "", true},
        {"\x8a", "\x9a", true},        // Š š
    };
    for (const auto& c : casos) {
        EXPECT_EQ(IgualesSinMayusculasAnsi(c.a, c.b), c.iguales) << c.a << " " << c.b;
        EXPECT_EQ(PlegadoAnsi(c.a) == PlegadoAnsi(c.b), c.iguales) << c.a << " " << c.b;
    }
}

TEST(CajaError, PuntoFinalSalvoQueYaTermineEnPuntoOMenor)
{
    struct Caso { std::string mensaje, caja; } casos[] = {
        {"No existe", "No existe."},
        {"Hecho.", "Hecho."},
        {"¿Seguro?", "¿Seguro?."},
        {"Fin,", "Fin,"},        // ',' sorts before '.'
        {"Fin-", "Fin-"},
        {"Fin'", "Fin'"},
        {"Fin/", "Fin/."},       // '/' sorts after '.'
        {"", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TextoCajaError(c.mensaje), c.caja) << c.mensaje;
}

TEST(Formatear, SustituyeEnOrden)
{
    EXPECT_EQ(Formatear("'%s' no es un valor entero válido para el campo '%s'", {"30 alumnos", "MAXALUM"}),
              "'30 alumnos' no es un valor entero válido para el campo 'MAXALUM'");
    EXPECT_EQ(Formatear("%s y %s", {"uno"}), "uno y %s");
}

}  // namespace
}  // namespace thn
